#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText practicesCard() {
    return {u"Applicazione Archivio Pratiche."_s,
            paragraphs({
                u"La scheda Pratica raccoglie l'oggetto, la tipologia, il numero di protocollo, "
                u"le date di apertura e chiusura, lo stato di avanzamento, i dati del Cliente, i "
                u"pagamenti saldati e da effettuare e le note. Per salvare la scheda servono "
                u"l'oggetto, il numero di protocollo, la data di apertura e il nome del Cliente.",
                u"I pulsanti accanto alle date inseriscono la data di oggi; il pulsante accanto "
                u"al Cliente importa i suoi dati dall'archivio anagrafico dei Clienti. Elenco "
                u"documenti associati a pratica apre l'elenco dei documenti della pratica, fino a "
                u"32, che viene salvato con la scheda.",
                u"Nuovo prepara una scheda vuota con la data di apertura di oggi; Salva inserisce "
                u"la scheda in archivio o ne salva le modifiche. Le frecce mostrano la prima, la "
                u"precedente, la successiva e l'ultima scheda.",
                u"Allegati associa fino a tre file alla scheda; Cartella apre la cartella dei "
                u"documenti scansionati della pratica (Pratica_ seguito dalla posizione della "
                u"scheda); Trova cerca le pratiche; Urgenti elenca le pratiche urgenti; "
                u"Anteprima e Stampa producono la scheda stampata; Esporta crea il file "
                u"Pratiche.xls.",
            })};
}

HelpText practicesExport() {
    return {u"Esportazione Archivio Pratiche in Microsoft Excel."_s,
            paragraphs({
                u"Questa schermata mostra in una griglia tutte le schede dell'archivio Pratiche, "
                u"una riga per scheda nell'ordine in cui sono state inserite.",
                u"Esporta scrive la griglia nel file Pratiche.xls nella cartella del programma, "
                u"che si apre con Microsoft Excel o con un altro foglio di calcolo. Il "
                u"contrassegno di urgenza, l'elenco dei documenti e gli allegati non vengono "
                u"esportati.",
            })};
}

} // namespace tavolex::help
