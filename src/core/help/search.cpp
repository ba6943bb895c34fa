#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText globalSearch() {
    return {u"Trova ovunque."_s,
            paragraphs({
                u"Cerca un testo in tutti gli archivi del programma insieme: clienti, pratiche "
                u"e, per ogni anno presente, protocollo posta, scadenze e movimenti di entrate e "
                u"uscite. Serve quando si ricorda un nome o una parola ma non dove \u00E8 stata "
                u"archiviata.",
                u"Testo da cercare: scrivere il testo e premere Invio o Trova. Il testo viene "
                u"cercato in ogni campo di testo di ogni scheda, anche negli allegati e nei "
                u"documenti associati alle pratiche, senza distinguere le maiuscole dalle "
                u"minuscole n\u00E9 le lettere accentate da quelle semplici: citta trova anche "
                u"Citt\u00E0. Le lettere \u00DF, \u00E6, \u0153 restano lettere a s\u00E9 (ss "
                u"non trova \u00DF). Le caselle S\u00EC/No non vengono esaminate.",
                u"Risultati: una riga per ogni scheda trovata, con l'archivio, l'anno (per gli "
                u"archivi annuali), il numero della scheda, il campo che contiene il testo e il "
                u"testo intorno a ci\u00F2 che \u00E8 stato trovato. Le righe compaiono man mano "
                u"che la ricerca procede, in ordine di archivio e di anno; una nuova ricerca o "
                u"l'uscita dalla schermata interrompono quella in corso.",
                u"Un doppio clic o Invio su una riga apre la scheda nella sua applicazione (per "
                u"gli archivi annuali, nell'anno della scheda); chiudendo la scheda si torna a "
                u"questa schermata con gli stessi risultati.",
                u"Le schede danneggiate, che non possono essere lette, vengono saltate e il loro "
                u"numero viene indicato sotto l'elenco.",
            })};
}

} // namespace tavolex::help
