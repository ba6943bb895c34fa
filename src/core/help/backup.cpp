#include "helptexts.h"

namespace tavolex::help {

using namespace Qt::Literals::StringLiterals;

HelpText backupCopies() {
    return {u"Copie di sicurezza."_s,
            paragraphs({
                u"Tutto ci\u00F2 che Tavolex conserva sta nella cartella del programma: gli "
                u"archivi di ogni anno, le impostazioni, la password, gli allegati e le cartelle "
                u"delle pratiche. Una copia di sicurezza \u00E8 un unico file zip con tutti questi "
                u"file, chiamato con la data e l'ora in cui \u00E8 stata fatta "
                u"(Tavolex_aaaa-mm-gg_hh-mm-ss.zip); le copie automatiche finiscono con _auto.",
                u"Cartella delle copie: dove vengono scritte le copie. Il pulsante Sfoglia "
                u"permette di sceglierne un'altra, per esempio un disco esterno o una cartella di "
                u"rete. Una copia sullo stesso disco degli archivi non protegge da un guasto del "
                u"disco: in tal caso la schermata lo segnala. La cartella delle copie non pu\u00F2 "
                u"essere la cartella del programma stessa n\u00E9 trovarsi dentro gli allegati o "
                u"le cartelle delle pratiche, perch\u00E9 ogni copia conterrebbe le precedenti.",
                u"Copia automatica alla chiusura: quando il programma viene chiuso dal menu "
                u"principale si fa una copia, al massimo una al giorno, e si conservano soltanto "
                u"le ultime copie automatiche nel numero indicato (da 1 a 99). Le copie fatte con "
                u"Crea copia non vengono mai cancellate dal programma.",
                u"Crea copia: scrive subito una nuova copia. Ogni copia contiene il file "
                u"MANIFEST.sha256 con l'impronta di ogni file, che si pu\u00F2 controllare anche "
                u"con i normali programmi (unzip e sha256sum -c).",
                u"Verifica: rilegge la copia selezionata e controlla ogni file con la sua "
                u"impronta; il risultato compare nell'elenco, con i nomi dei file danneggiati. Un "
                u"file zip che non \u00E8 una copia completa di Tavolex viene rifiutato.",
                u"Ripristina: rimette nella cartella del programma i file della copia "
                u"selezionata, dopo averla verificata e dopo aver salvato lo stato attuale in una "
                u"copia che termina con _prima_del_ripristino. Si pu\u00F2 fare soltanto quando "
                u"nessuna applicazione \u00E8 aperta. Dopo il ripristino la cartella \u00E8 "
                u"esattamente come al momento della copia: anche gli archivi creati dopo vengono "
                u"tolti (restano nella copia _prima_del_ripristino). Se qualcosa non va a buon "
                u"fine, o se il computer si spegne durante il ripristino, alla partenza "
                u"successiva i file tornano tutti come erano prima.",
            })};
}

} // namespace tavolex::help
