#include "helptexts.h"
#include "movementshelp.h"
#include "protocolhelp.h"

#include <QStringList>

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

QString paragraphs(std::initializer_list<const char16_t*> items) {
    QStringList list;
    for (const char16_t* item : items)
        list << QString::fromUtf16(item);
    return list.join(u"\r\n\r\n"_s);
}

HelpText generalGuide() {
    return {u"Uno sguardo a Tavolex."_s,
            paragraphs({
                u"Tavolex raccoglie in un unico programma le pratiche quotidiane di un piccolo "
                u"ufficio, "
                u"di un professionista o di una famiglia. Dal menu principale si aprono sette "
                u"applicazioni; "
                u"ciascuna mostra una scheda alla volta e conserva i dati in archivi nella "
                u"cartella del programma.",
                u"Anagrafica Clienti: i dati anagrafici e di contatto dei clienti, il codice "
                u"fiscale, la partita IVA, "
                u"l'IBAN, la carta di pagamento, le questioni in sospeso e fino a tre file "
                u"allegati. Il pulsante Trova "
                u"ricerca le schede, Ricontatta elenca i clienti da ricontattare, Esporta crea un "
                u"file di Microsoft Excel.",
                u"Protocollo Posta: il registro annuale della corrispondenza in entrata, in uscita "
                u"e interna, con la "
                u"numerazione automatica, la copia digitale del documento e gli allegati.",
                u"Archivio Pratiche: le pratiche con oggetto, tipologia, stato di avanzamento, "
                u"date, consulente, cliente, "
                u"documenti associati e cartella delle copie scansionate.",
                u"Scadenze e Appuntamenti: le scadenze annuali con data, ora, giorni di preavviso "
                u"e importo; all'apertura "
                u"il programma avvisa, anche con un suono, delle scadenze imminenti.",
                u"Entrate e Uscite: i movimenti di cassa dell'anno con importo, causale, pagatore, "
                u"beneficiario e scadenza. "
                u"Primanota e Bilancio, Pagamenti Insoluti e Grafici statistici leggono gli stessi "
                u"movimenti.",
                u"In ogni scheda: Nuovo prepara una scheda vuota, Salva la registra in archivio, "
                u"Duplica ne prepara una "
                u"copia, le frecce scorrono le schede, Esci torna al menu principale. Passando con "
                u"il mouse sopra un "
                u"pulsante, la barra in basso ne descrive la funzione.",
            })};
}

QList<HelpText> userGuide() {
    // clang-format off
    return {
        generalGuide(),
        clientsCard(),
        clientsExport(),
        protocolApplication(),
        protocolSummary(),
        protocolExport(),
        practicesCard(),
        practicesExport(),
        deadlinesApplication(),
        deadlinesSummaries(),
        deadlinesExport(),
        movementsApplication(),
        movementsExport(),
        cashBook(),
        unpaidMenu(),
        unpaidList(),
        calendarFiles(),
        statistics(),
        globalSearch(),
        sharedArchive(),
    };
    // clang-format on
}

} // namespace tavolex::help
