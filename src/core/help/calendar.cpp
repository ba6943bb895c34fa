#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText calendarFiles() {
    return {u"Scadenze e pagamenti nel calendario."_s,
            paragraphs({
                u"Il pulsante Calendario della scheda delle scadenze e del riepilogo dei "
                u"pagamenti in scadenza scrive un file di calendario (iCalendar, .ics) che "
                u"Thunderbird, Evolution, Calendario di GNOME, Google Calendar, il calendario "
                u"del telefono e gli altri programmi di calendario importano o a cui si "
                u"abbonano.",
                u"Scadenze_aaaa.ics contiene tutte le scadenze dell'anno: quelle senza ora sono "
                u"eventi di un giorno intero, le altre durano un'ora all'ora indicata (ora di "
                u"Roma). Pagamenti_aaaa.ics contiene i movimenti non saldati che hanno una data "
                u"di scadenza. Ogni evento ha un promemoria tanti giorni prima quanti sono quelli "
                u"di preavviso; un pagamento gi\u00E0 effettuato non ha promemoria.",
                u"Esportando di nuovo il file, il calendario aggiorna gli stessi eventi invece "
                u"di duplicarli. Le schede con data, ora o preavviso illeggibili sono "
                u"tralasciate e contate nel messaggio finale.",
                u"Il file si trova nella cartella del programma, oppure nella cartella indicata: "
                u"scegliendo una cartella sincronizzata e spuntando l'aggiornamento a ogni "
                u"salvataggio, il calendario abbonato al file resta sempre aggiornato.",
            })};
}

} // namespace tavolex::help
