#include "movementshelp.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText movementsApplication() {
    return {u"Applicazione Entrate e Uscite."_s,
            paragraphs({
                u"Entrate e Uscite registra i movimenti di denaro dell'ufficio: le somme "
                u"ricevute e quelle pagate, con causale, data dell'operazione, scadenza, "
                u"pagatore, beneficiario, modalit\u00E0 di pagamento e ricevuta. Per ogni anno "
                u"solare il programma tiene un archivio separato: all'apertura viene proposto "
                u"l'anno in corso; per un altro anno indicarlo con quattro cifre e premere Apri.",
                u"Scegliere Entrata o Uscita: l'etichetta dell'importo diventa nera per le "
                u"entrate e rossa per le uscite. Le date si importano dal calendario facendo "
                u"clic sul campo e premendo un tasto qualsiasi; il pulsante accanto cancella la "
                u"data. L'importo si scrive con la virgola e viene completato con due decimali "
                u"all'uscita dal campo (ad esempio 5 diventa 5,00).",
                u"Per salvare la scheda servono causale, data dell'operazione, data di "
                u"scadenza, giorni di preavviso, importo, pagatore e beneficiario. I pulsanti "
                u"accanto al pagatore e al beneficiario importano i dati dall'archivio "
                u"anagrafico dei Clienti; accanto al codice fiscale e alla partita IVA si "
                u"trovano i controlli, accanto all'e-mail il pulsante per scrivere un messaggio.",
                u"Nuovo prepara una scheda vuota con la data di oggi; Duplica prepara una copia "
                u"della scheda non saldata, senza scadenza e senza allegati; Salva inserisce la "
                u"scheda in archivio o ne salva le modifiche. Le frecce mostrano la prima, la "
                u"precedente, la successiva e l'ultima scheda.",
                u"Trova cerca i movimenti dell'anno; Scadenze elenca i pagamenti non saldati "
                u"in scadenza o scaduti, tenendo conto dei giorni di preavviso; Allegati "
                u"associa fino a tre file alla scheda; Stampa stampa la scheda visualizzata; "
                u"Esporta crea il file Movimenti.xls.",
            })};
}

HelpText movementsExport() {
    return {u"Esportazione archivio movimenti in Microsoft Excel."_s,
            paragraphs({
                u"Questa schermata mostra in una griglia tutti i movimenti dell'anno aperto, una "
                u"riga per scheda nell'ordine in cui sono stati inseriti, con l'importo preceduto "
                u"dal segno: pi\u00F9 per le entrate, meno per le uscite.",
                u"Esporta scrive la griglia nel file Movimenti.xls nella cartella del programma, "
                u"che si apre con Microsoft Excel o con un altro foglio di calcolo. Il numero di "
                u"riga e gli allegati non vengono esportati.",
            })};
}

} // namespace tavolex::help
