#include "deadlinecard.h"

#include "TfrmScadenzario.h"
#include "confirmationlists.h"
#include "dates/datetext.h"
#include "deadlines/archive.h"
#include "deadlines/rules.h"
#include "duelists.h"
#include "money/normalise.h"
#include "programfolder.h"
#include "records/archives.h"
#include "records/layouts.h"
#include "text/casing.h"
#include "ui/clients/identifierchecks.h"
#include "ui/common/calendarfiles.h"
#include "ui/common/modal.h"
#include "ui/practices/TfrmTrovaPratica.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList twoDigits(int first, int last) {
    QStringList values;
    for (int i = first; i <= last; ++i)
        values << u"%1"_s.arg(i, 2, 10, QChar(u'0'));
    return values;
}

// The due date Save builds from the day, the month and the archive's year.
QString dueDate(const CardTexts& texts) {
    return deadlines::dueDateText(texts(u"txtGiorno"_s), texts(u"txtMese"_s), texts(u"lblAnno"_s));
}

// A month typed that is none of the twelve builds no date.
std::optional<SaveFault> monthFault(const CardTexts& texts) {
    if (!dueDate(texts).isEmpty()) return std::nullopt;
    return SaveFault{u"Attenzione: selezionare il mese dal menu a cascata.\n\r\n\rPer poter "
                     u"salvare la scheda \u00E8 necessario indicare una data valida."_s};
}

// A day the month lacks (31 April, 29 February of a common year).
std::optional<SaveFault> dayFault(const CardTexts& texts) {
    const QString due = dueDate(texts);
    if (dates::parseDate(due)) return std::nullopt;
    return SaveFault{u"Attenzione: la data "_s + due +
                         u" non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 necessario "
                         u"indicare una data valida."_s,
                     true};
}

QString appointmentTime(const CardTexts& texts) {
    return text::trimmed(texts(u"txtOreApp"_s)) + u':' + text::trimmed(texts(u"txtMinutiApp"_s));
}

QString zeroWhenEmpty(const QString& amount) {
    return text::trimmed(amount).isEmpty() ? u"0,00"_s : amount;
}

} // namespace

RecordCardDecl deadlineCardDecl(TfrmScadenzario* card) {
    using K = FieldKind;
    const QString kRequired = u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s;
    RecordCardDecl c;
    c.objectName = u"TfrmScadenzario"_s;
    c.caption = u" Tavolex - Scadenze e Appuntamenti"_s;
    c.archive = records::ArchiveKind::Deadlines;
    c.help = help::deadlinesApplication();
    c.panelName = u"panContainer"_s;
    c.hintsOnlyOverControls = true;
    c.savedNewMessage = u"La scheda corrente \u00E8 stata salvata in archivio."_s;
    c.sections = {
        {u"Data scadenza e appuntamento"_s, u"\u25F7"_s, Tone::Records},
        {u"Cliente e pratica"_s, u"\u263A"_s, Tone::People},
        {u"Pagamento"_s, u"\u20AC"_s, Tone::Codes},
    };
    const unsigned upper = UpperEachKey | TrimEachKey;
    const Qt::Alignment centred = Qt::AlignCenter;
    // clang-format off
    c.fields = {
        {.control = u"txtGiorno"_s, .label = u"Giorno:"_s, .kind = K::Pick, .at = {0, 0, 0}, .items = twoDigits(1, 31)},
        {.control = u"txtMese"_s, .label = u"Mese:"_s, .kind = K::Pick, .at = {0, 0, 1}, .items = deadlines::monthNames()},
        {.control = u"lblAnno"_s, .field = u"Anno"_s, .kind = K::Label, .at = {0, 0, 2}, .kept = true},
        {.control = u"txtOreApp"_s, .field = u"Ore"_s, .label = u"Ore:"_s, .kind = K::Pick, .at = {0, 0, 3},
         .items = twoDigits(0, 23), .initial = u"00"_s},
        {.control = u"txtMinutiApp"_s, .field = u"Minuti"_s, .label = u"Minuti:"_s, .kind = K::Pick, .at = {0, 0, 4},
         .items = twoDigits(0, 59), .initial = u"00"_s},
        {.control = u"txtAvviso"_s, .field = u"Preavviso"_s, .label = u"Avvisa n."_s, .after = u"giorni prima della scadenza."_s,
         .at = {0, 0, 5}, .rules = CountDigits, .align = centred},
        {.control = u"txtCliente"_s, .label = u"Cognome e nome Cliente:"_s, .at = {1, 0, 0, 2}},
        {.control = u"txtCodFisc"_s, .label = u"Codice fiscale:"_s, .at = {1, 0, 2}, .rules = upper},
        {.control = u"btnCodFisc"_s, .kind = K::Picture, .at = {1, 0, 3}, .hint = u"Controlla il codice fiscale."_s,
         .glyph = u"\u2714"_s, .action = [card] { checkTaxCode(card, card->text(u"txtCodFisc"_s)); }},
        {.control = u"txtRecapito"_s, .label = u"Recapito preferenziale:"_s, .at = {1, 0, 4, 2}},
        {.control = u"txtOggetto"_s, .label = u"Oggetto pratica:"_s, .at = {1, 1, 0, 6}},
        {.control = u"txtTipologia"_s, .label = u"Tipologia:"_s, .at = {1, 2, 0, 2}},
        {.control = u"txtProtocollo"_s, .label = u"Protocollo n."_s, .at = {1, 2, 2}},
        {.control = u"txtApertura"_s, .label = u"Data apertura:"_s, .at = {1, 2, 3}, .align = centred},
        {.control = u"txtChiusura"_s, .label = u"Data chiusura:"_s, .at = {1, 2, 4}, .align = centred},
        {.control = u"txtStato"_s, .label = u"Stato avanzamento:"_s, .at = {1, 2, 5}},
        {.control = u"txtConsulente"_s, .label = u"Consulente o curatore:"_s, .at = {1, 3, 0, 2}},
        {.control = u"txtDettagli"_s, .field = u"Causale"_s, .label = u"Causale scadenza:"_s, .at = {1, 3, 2, 4}},
        {.control = u"txtOfficina"_s, .field = u"Pagamento"_s, .label = u"Modalit\u00E0 di pagamento:"_s, .at = {2, 0, 0, 3}},
        {.control = u"txtCosto"_s, .field = u"Importo"_s, .label = u"Importo in euro:"_s, .kind = K::Amount, .at = {2, 0, 3},
         .align = Qt::AlignRight, .places = 4, .normalise = money::normalisedDeadlineAmount, .initial = u"0,00"_s},
        {.control = u"txtContatto"_s, .field = u"Ricevuta"_s, .label = u"Estremi ricevuta:"_s, .at = {2, 0, 4, 2}},
        {.control = u"txtNote"_s, .label = u"Note:"_s, .at = {2, 1, 0, 4}},
        {.control = u"chkDaConfermare"_s, .label = u"Appuntamento da confermare"_s, .kind = K::Check, .at = {2, 1, 4},
         .hint = u"Spunta questa casella per annotare che l'appuntamento \u00E8 in attesa di conferma."_s},
        {.control = u"chkEffettuata"_s, .field = u"Effettuato"_s, .label = u"Pagamento effettuato"_s, .kind = K::Check,
         .at = {2, 1, 5}, .hint = u"Spunta questa casella per annotare che il pagamento \u00E8 stata effettuato."_s},
        // The card's state: the open archive, the due date and the time built at Save.
        {.control = u"lblFile"_s, .kind = K::Hidden, .kept = true},
        {.control = u"lblData"_s, .field = u"DataSca"_s, .kind = K::Hidden},
        {.control = u"lblOra"_s, .field = u"Ora"_s, .kind = K::Hidden},
    };
    const auto onArchive = [card](auto& screen) { screen.setArchive(card->archiveId()); };
    const auto load = [card](const std::optional<ChosenRecord>& chosen) {
        if (chosen) card->loadFromRecord(chosen->bytes, chosen->position);
    };
    const auto list = [=]<typename Screen>(Screen*) {
        return [=] {
            Screen screen(card);
            onArchive(screen);
            screen.exec();
            load(screen.chosen());
        };
    };
    c.commands = {
        {.control = u"cmdNuovo"_s},
        {.control = u"cmdDuplica"_s},
        {u"cmdImporta"_s, u"Importa dati"_s, u"\u2630"_s, Tone::Service,
         u"Importa i dati dall'archivio delle pratiche."_s},
        {.control = u"cmdSalva"_s},
        {.control = u"cmdTrova"_s, .action = [card] { card->cmdTrovaClick(); }},
        {.control = u"cmdStampa"_s},
        {u"cmdEsporta"_s, u"Esporta archivio"_s, u"XLS"_s, Tone::Export, u"Esporta le schede in archivio in un "
         u"file di Microsoft Excel."_s, [=] { runModal<TfrmExpScadenzario>(card, onArchive); }},
        {u"cmdDaConfermare"_s, u"Da confermare"_s, u"?"_s, Tone::Setup, u"Visualizza l'elenco degli "
         u"appuntamenti in attesa di conferma."_s, list(static_cast<TfrmDaConfermare*>(nullptr))},
        {u"cmdDaEffettuare"_s, u"Da effettuare"_s, u"\u20AC"_s, Tone::Exit, u"Visualizza il riepilogo dei "
         u"pagamenti da effettuare, sia scaduti che non."_s, list(static_cast<TfrmConfermati*>(nullptr))},
        {u"cmdEffettuate"_s, u"Effettuati"_s, u"\u2714"_s, Tone::Create, u"Visualizza il riepilogo storico dei "
         u"pagamenti effettuati."_s, list(static_cast<TfrmNonConfermati*>(nullptr))},
        {u"cmdCalendario"_s, u"Calendario"_s, u"\u25A6"_s, Tone::Export,
         QString::fromUtf16(kCalendarCommandHint),
         [card] { runCalendarCommand(card, calendar::Kind::Deadlines, card->archiveId()); }},
        {.control = u"cmdGuida"_s, .hint = u"Visualizza la pagina della guida sensibile al contesto."_s},
        {.control = u"cmdEsci"_s, .hint = u"Esci da questa schermata di lavoro."_s},
    };
    c.imports = {
        {u"cmdImporta"_s,
         [](QWidget* from) { return TfrmTrovaPratica::pick(from, u"scadenzario"_s); },
         &records::practiceLayout(),
         {{u"Oggetto"_s, u"txtOggetto"_s},
          {u"Tipologia"_s, u"txtTipologia"_s},
          {u"Protocollo"_s, u"txtProtocollo"_s},
          {u"Apertura"_s, u"txtApertura"_s},
          {u"Chiusura"_s, u"txtChiusura"_s},
          {u"Stato"_s, u"txtStato"_s},
          {u"Consulente"_s, u"txtConsulente"_s},
          {u"Cliente"_s, u"txtCliente"_s},
          {u"Recapito"_s, u"txtRecapito"_s},
          {u"CodFisc"_s, u"txtCodFisc"_s}}},
    };
    c.saveChecks = {
        // An amount left empty is saved as zero.
        {.control = u"txtCosto"_s, .normalise = zeroWhenEmpty},
        {u"txtGiorno"_s, kRequired + u"il giorno della scadenza."_s},
        {u"txtGiorno"_s, kRequired + u"il giorno della scadenza usando due cifre."_s, 2},
        {u"txtMese"_s, kRequired + u"il mese della scadenza."_s},
        {u"txtOreApp"_s, kRequired + u"l'ora dell'appuntamento."_s},
        {u"txtMinutiApp"_s, kRequired + u"i minuti dell'ora dell'appuntamento."_s},
        {u"txtOreApp"_s, kRequired + u"l'ora dell'appuntamento usando due cifre."_s, 2},
        {u"txtMinutiApp"_s, kRequired + u"i minuti dell'ora dell'appuntamento usando due cifre."_s, 2},
        {u"txtAvviso"_s, kRequired + u"i giorni di preavviso."_s},
        {u"txtCliente"_s, kRequired + u"il nome del Cliente."_s},
        {u"txtOggetto"_s, kRequired + u"l'oggetto della pratica a cui la scadenza si riferisce."_s},
        {u"txtDettagli"_s, kRequired + u"la causale della scadenza."_s},
        {.control = u"txtMese"_s, .rule = monthFault},
        {.control = u"txtGiorno"_s, .rule = dayFault},
    };
    c.derived = {{u"lblOra"_s, appointmentTime}, {u"lblData"_s, dueDate}};
    c.reportTitle = u"SCHEDA SCADENZA / APPUNTAMENTO"_s;
    c.report = {
        {u"Data scadenza:"_s, u"{txtGiorno} {txtMese} {lblAnno}"_s},
        {u"Ora appuntamento:"_s, u"{txtOreApp}:{txtMinutiApp}"_s},
        {u"Giorni preavviso:"_s, u"{txtAvviso}"_s},
        {u"Cognome e nome Cliente:"_s, u"{txtCliente}"_s}, {u"Codice fiscale:"_s, u"{txtCodFisc}"_s},
        {u"Recapito preferenziale:"_s, u"{txtRecapito}"_s}, {u"Oggetto pratica:"_s, u"{txtOggetto}"_s},
        {u"Tipologia:"_s, u"{txtTipologia}"_s},             {u"Protocollo n."_s, u"{txtProtocollo}"_s},
        {u"Data apertura:"_s, u"{txtApertura}"_s},           {u"Data chiusura:"_s, u"{txtChiusura}"_s},
        {u"Stato avanzamento:"_s, u"{txtStato}"_s},          {u"Consulente o curatore:"_s, u"{txtConsulente}"_s},
        {u"Causale scadenza:"_s, u"{txtDettagli}"_s},        {u"Modalit\u00E0 di pagamento:"_s, u"{txtOfficina}"_s},
        {u"Importo in euro:"_s, u"{txtCosto}"_s},            {u"Estremi ricevuta:"_s, u"{txtContatto}"_s},
        {u"Note:"_s, u"{txtNote}"_s},
        {u"Appuntamento da confermare:"_s, u"{chkDaConfermare}"_s},
        {u"Pagamento effettuato:"_s, u"{chkEffettuata}"_s},
        {u" "_s, u" "_s}, {u" "_s, u" "_s}, {u" "_s, u" "_s}, {u" "_s, u" "_s},
    };
    // clang-format on
    return c;
}

} // namespace tavolex::ui
