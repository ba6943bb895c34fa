#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText cashBook() {
    return {u"Applicazione Primanota e Bilancio."_s,
            paragraphs({
                u"La primanota elenca i movimenti in entrata e in uscita registrati nell'archivio "
                u"dell'anno scelto la cui data di operazione cade nell'intervallo indicato, "
                u"estremi compresi, nell'ordine in cui sono stati inseriti. I movimenti saldati e "
                u"quelli non ancora saldati sono elencati e sommati allo stesso modo.",
                u"Indicando una causale vengono elencati soltanto i movimenti la cui causale "
                u"contiene il testo indicato, senza distinzione tra maiuscole e minuscole; "
                u"lasciando vuota la causale si ottiene lo storico di tutti i movimenti.",
                u"In calce sono riportati il totale delle entrate, il totale delle uscite e il "
                u"bilancio tra le due, calcolati al centesimo. Trova cerca una o pi\u00F9 parole "
                u"consecutive nell'elenco; facendo di nuovo clic su Trova si passa alla voce "
                u"successiva che le contiene.",
                u"Stampa primanota stampa l'elenco dei movimenti seguito dall'intervallo "
                u"selezionato e dai tre totali.",
            })};
}

HelpText unpaidMenu() {
    return {u"Applicazione Pagamenti Insoluti."_s,
            paragraphs({
                u"In questo ambiente si visualizzano i pagamenti scaduti e non ancora saldati "
                u"dell'anno indicato: le entrate ancora da incassare, le uscite ancora da pagare "
                u"oppure entrambe.",
                u"Un pagamento \u00E8 insoluto quando la sua data di scadenza \u00E8 quella di "
                u"oggi o una data passata e la casella Saldato della scheda non \u00E8 spuntata. I "
                u"giorni di preavviso non contano: un pagamento che scade oggi \u00E8 gi\u00E0 "
                u"elencato.",
                u"Indicare l'anno con quattro cifre nel riquadro desiderato e premere "
                u"Visualizza.",
            })};
}

HelpText unpaidList() {
    return {u"Riepilogo pagamenti insoluti."_s,
            paragraphs({
                u"La griglia mostra, una riga per movimento e nell'ordine di inserimento, i "
                u"pagamenti scaduti e non saldati dell'anno scelto, con tutti i dati della "
                u"scheda. L'importo \u00E8 riportato con il suo segno: positivo per le entrate, "
                u"negativo per le uscite.",
                u"Esporta scrive la griglia in un file di Microsoft Excel nella cartella del "
                u"programma, sostituendo quello eventualmente gi\u00E0 presente; il numero di "
                u"riga non viene esportato.",
            })};
}

HelpText statistics() {
    return {u"Applicazione Grafici Statistici."_s,
            paragraphs({
                u"I grafici statistici mostrano le entrate di ciascun mese, le uscite di ciascun "
                u"mese oppure il totale annuale delle entrate a confronto con quello delle "
                u"uscite, in base ai movimenti registrati nell'archivio dell'anno indicato. I "
                u"movimenti saldati e quelli non ancora saldati contano allo stesso modo.",
                u"I grafici mensili contano i movimenti la cui data di operazione cade nell'anno "
                u"indicato; il bilancio annuale conta tutti i movimenti dell'archivio. Tutti gli "
                u"importi sono arrotondati all'euro.",
                u"I pulsanti in calce mostrano il grafico a barre o a torta tridimensionale; "
                u"Stampa grafico chiede il numero di copie e stampa il grafico su un foglio "
                u"orizzontale.",
            })};
}

} // namespace tavolex::help
