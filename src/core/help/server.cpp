#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText sharedArchive() {
    return {u"Archivio condiviso."_s,
            paragraphs({
                u"Di norma Tavolex conserva gli archivi nella cartella del programma. Con un "
                u"archivio condiviso gli archivi stanno invece in un database PostgreSQL, al quale "
                u"possono collegarsi pi\u00F9 computer dell'ufficio nello stesso momento.",
                u"Connessione: la stringa di connessione al database, per esempio "
                u"host=server dbname=tavolex user=ufficio. Lasciandola vuota il programma usa gli "
                u"archivi della cartella del programma, come sempre. La password non va scritta "
                u"nella connessione, perch\u00E9 le impostazioni sono un file leggibile da "
                u"chiunque: va messa nel file .pgpass dell'utente. Una connessione con la "
                u"password, o con lettere accentate, non viene registrata.",
                u"Prova: si collega al database e vi prepara le tabelle degli archivi, oppure le "
                u"controlla se ci sono gi\u00E0; il messaggio dice se il collegamento \u00E8 "
                u"riuscito o perch\u00E9 no.",
                u"Copia sul server: copia tutti gli archivi della cartella del programma nel "
                u"database, scheda per scheda. Si pu\u00F2 fare soltanto con un database ancora "
                u"vuoto, perch\u00E9 gli archivi copiati non si mescolino con quelli gi\u00E0 "
                u"condivisi; se qualcosa non riesce, il database resta vuoto. Gli archivi della "
                u"cartella del programma non vengono modificati.",
                u"Salva: registra la connessione nelle impostazioni. Il programma la usa dalla "
                u"partenza successiva.",
            })};
}

} // namespace tavolex::help
