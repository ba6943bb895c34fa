#include "protocolhelp.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText protocolApplication() {
    return {u"Applicazione Protocollo Posta."_s,
            paragraphs({
                u"Il Protocollo Posta registra i documenti interni e la corrispondenza in entrata "
                u"e in uscita "
                u"dell'ufficio, assegnando a ciascuno un numero di protocollo progressivo. Per "
                u"ogni anno solare "
                u"il programma tiene un archivio separato.",
                u"All'apertura dell'applicazione viene proposto l'anno in corso: per consultare o "
                u"aggiornare "
                u"l'archivio di un altro anno indicarlo con quattro cifre e premere Apri.",
                u"Il pulsante Nuovo prepara una nuova scheda, proponendo il numero di protocollo "
                u"successivo e la "
                u"data odierna come data di registrazione. Per cambiare la data fare clic sul "
                u"campo e premere un "
                u"tasto qualsiasi: si aprir\u00E0 il calendario da cui importarla. Scegliere la "
                u"tipologia di posta "
                u"(in entrata, in uscita o interna), compilare almeno categoria e oggetto e "
                u"premere Salva.",
                u"Il pulsante N permette di impostare il numero da cui inizia la numerazione e di "
                u"indicare, dopo "
                u"il numero progressivo, l'anno solare (ad esempio 12/2025). L'ufficio e "
                u"l'operatore indicati "
                u"vengono riproposti alla successiva apertura della scheda.",
                u"Con Sfoglia... si allega la copia digitale del documento, che viene copiata "
                u"nella cartella dei "
                u"documenti allegati e pu\u00F2 essere aperta con Apri; il pulsante Allegati "
                u"consente di "
                u"aggiungere fino a tre ulteriori file con la relativa descrizione.",
                u"Trova ricerca le schede in archivio, Riepilogo elenca i documenti protocollati "
                u"in un intervallo "
                u"di tempo, Stampa stampa la scheda corrente ed Esporta crea un file di Microsoft "
                u"Excel con "
                u"l'intero archivio dell'anno. Le frecce scorrono le schede una alla volta.",
            })};
}

HelpText protocolSummary() {
    return {u"Riepilogo protocollo per intervallo di tempo."_s,
            paragraphs({
                u"Questa schermata elenca i documenti protocollati, nell'archivio dell'anno "
                u"aperto, con data di "
                u"registrazione compresa tra le due date indicate, estremi inclusi.",
                u"Indicare la data di inizio e quella di fine nel formato gg/mm/aaaa e premere il "
                u"pulsante del "
                u"riepilogo. Il pulsante Esporta salva in un file di Microsoft Excel i documenti "
                u"elencati.",
            })};
}

HelpText protocolExport() {
    return {u"Esportazione protocollo posta in Microsoft Excel."_s,
            paragraphs({
                u"La tabella mostra tutte le schede dell'archivio di protocollo dell'anno aperto.",
                u"Il pulsante Esporta le salva nel file Protocollo.xls, nella cartella del "
                u"programma, che pu\u00F2 "
                u"essere aperto con Microsoft Excel o con un altro foglio di calcolo.",
            })};
}

} // namespace tavolex::help
