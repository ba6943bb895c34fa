#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText clientsCard() {
    return {
        u"Applicazione Anagrafica Clienti."_s,
        paragraphs({
            u"La scheda Cliente raccoglie i dati anagrafici e di residenza, i recapiti, gli "
            u"identificativi fiscali e "
            u"bancari, il profilo e le questioni in sospeso. L'unico dato obbligatorio \u00E8 il "
            u"cognome e nome o la "
            u"ragione sociale.",
            u"Premere Invio per passare al campo successivo. Il codice fiscale e l'IBAN vengono "
            u"scritti in maiuscolo; "
            u"nei campi della carta di credito e della partita IVA si possono digitare solo cifre.",
            u"I pulsanti accanto al codice fiscale, alla partita IVA, all'IBAN e alla carta di "
            u"credito ne controllano "
            u"la correttezza; il pulsante accanto all'indirizzo e-mail apre il programma di posta.",
            u"Nuovo prepara una scheda vuota; Salva inserisce la scheda in archivio o ne salva le "
            u"modifiche; Duplica "
            u"prepara una nuova scheda con gli stessi dati, senza gli allegati. Le frecce mostrano "
            u"la prima, la "
            u"precedente, la successiva e l'ultima scheda; il numero tra le frecce \u00E8 la "
            u"posizione della scheda "
            u"in archivio.",
            u"Allegati associa fino a tre file alla scheda; Trova cerca le schede per uno o "
            u"pi\u00F9 dati; Ricontatta "
            u"elenca i clienti da ricontattare; Anteprima, Stampa e PDF producono la scheda "
            u"stampata; Esporta crea "
            u"il file Clienti.xls con tutte le schede.",
        })};
}

HelpText clientsExport() {
    return {u"Esportazione archivio Clienti in Microsoft Excel."_s,
            paragraphs(
                {u"Questa schermata mostra in una griglia tutte le schede dell'archivio Clienti, "
                 u"una riga per scheda nell'ordine in cui sono state registrate.",
                 u"Il pulsante Esporta crea nella cartella del programma il file Clienti.xls, "
                 u"che si apre con Microsoft Excel o con un altro foglio di calcolo. Un file "
                 u"esportato in precedenza viene sostituito.",
                 u"Se il file Clienti.xls \u00E8 aperto in un altro programma, chiuderlo prima "
                 u"di esportare di nuovo i dati.",
                 u"Il pulsante Esci chiude la schermata e riporta alla scheda Clienti."})};
}

} // namespace tavolex::help
