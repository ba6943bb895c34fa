#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText deadlinesApplication() {
    return {u"Applicazione Scadenze e Appuntamenti."_s,
            paragraphs({
                u"All'apertura la schermata controlla l'archivio dell'anno in corso e avvisa, "
                u"anche con un segnale sonoro, se ci sono scadenze imminenti: una scadenza \u00E8 "
                u"imminente dal giorno in cui mancano tanti giorni quanti sono quelli di "
                u"preavviso fino al giorno della scadenza compreso. OK ne mostra l'elenco.",
                u"Il calendario permette di scegliere un giorno: i pulsanti sotto di esso "
                u"mostrano le scadenze di quel giorno e di quel mese.",
                u"Per inserire o modificare le scadenze indicare l'anno e premere Apri. Giorno, "
                u"mese, ora e minuti si scelgono dai menu a cascata; per salvare la scheda "
                u"servono anche i giorni di preavviso, il Cliente, l'oggetto della pratica e la "
                u"causale. Importa dati copia i dati di una pratica dall'archivio delle pratiche.",
                u"Da confermare, Da effettuare ed Effettuati elencano gli appuntamenti in attesa "
                u"di conferma, i pagamenti da effettuare e quelli effettuati; Trova cerca le "
                u"scadenze dell'anno; Esporta archivio crea il file Scadenze_e_Appuntamenti.xls.",
            })};
}

HelpText deadlinesSummaries() {
    return {u"Visualizzazione scadenze e appuntamenti."_s,
            paragraphs({
                u"La griglia elenca le scadenze scelte in ordine di data e ora; la colonna N. "
                u"indica l'ordine in cui sono state inserite in archivio.",
                u"Le celle delle colonne da Modalit\u00E0 di pagamento a Pagamento effettuato e "
                u"del codice univoco si possono correggere prima dell'esportazione: le "
                u"correzioni valgono solo per il file esportato e non modificano l'archivio.",
                u"Esporta scrive la griglia in un file di Microsoft Excel nella cartella del "
                u"programma.",
            })};
}

HelpText deadlinesExport() {
    return {u"Esportazione archivio Scadenze e appuntamenti in Microsoft Excel."_s,
            paragraphs({
                u"La griglia mostra tutte le scadenze dell'anno aperto, nell'ordine in cui sono "
                u"state inserite in archivio.",
                u"Esporta scrive la griglia nel file Scadenze_e_Appuntamenti.xls nella cartella "
                u"del programma.",
            })};
}

} // namespace tavolex::help
