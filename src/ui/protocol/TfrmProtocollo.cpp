#include "TfrmProtocollo.h"

#include "TfrmExpProtocollo.h"
#include "TfrmNumerazione.h"
#include "TfrmRiepProtocollo.h"
#include "TfrmStampaProtocollo.h"
#include "TfrmTrovaProtocollo.h"
#include "help/protocolhelp.h"
#include "programfolder.h"
#include "protocol/numbering.h"
#include "records/layouts.h"
#include "settings/inifile.h"
#include "settings/programsettings.h"
#include "text/casing.h"
#include "ui/common/attachments/attachmentfolder.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/modal.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

RecordCardDecl protocolDecl(TfrmProtocollo* card) {
    using K = FieldKind;
    const QString kRequired = u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s;
    RecordCardDecl c;
    c.objectName = u"TfrmProtocollo"_s;
    c.caption = u" Tavolex - Protocollo Posta"_s;
    c.archive = records::ArchiveKind::Protocol;
    c.help = help::protocolApplication();
    c.sections = {
        {u"Tipologia posta"_s, u"\u2709"_s, Tone::Profile},
        {u"Registrazione"_s, u"#"_s, Tone::Records},
        {u"Documento"_s, u"\u2630"_s, Tone::Contacts},
        {u"Mittente e destinatario"_s, u"\u21C4"_s, Tone::Codes},
        {u"Copia digitale"_s, u"\u2702"_s, Tone::Service},
    };
    const Qt::Alignment centred = Qt::AlignCenter;
    // clang-format off
    c.fields = {
        {.control = u"grpTipo"_s, .field = u"Tipo"_s, .kind = K::Choice, .at = {0, 0, 0, 3},
         .options = {{u"optEntrata"_s, u"In entrata"_s}, {u"optUscita"_s, u"In uscita"_s},
                     {u"optInterna"_s, u"Interna"_s}}},
        {.control = u"txtNumero"_s, .label = u"N. protocollo:"_s, .at = {1, 0, 0}, .align = centred},
        {.control = u"txtDataReg"_s, .label = u"Data registrazione:"_s, .kind = K::Date,
         .at = {1, 0, 1}, .align = centred, .hint = u"Fai clic su questo campo e premi un tasto "
         u"qualsiasi per importare una data dal calendario."_s, .tag = u"datareg"_s,
         .today = FillToday::OnShowAndNew},
        {.control = u"txtUfficio"_s, .label = u"Ufficio:"_s, .at = {1, 0, 2, 2}, .kept = true},
        {.control = u"txtOperatore"_s, .label = u"Operatore:"_s, .at = {1, 0, 4, 2}, .kept = true},
        {.control = u"txtCategoria"_s, .label = u"Categoria:"_s, .at = {1, 1, 0, 2}},
        {.control = u"txtCollocazione"_s, .label = u"Collocazione documento cartaceo:"_s,
         .at = {1, 1, 2, 4}},
        {.control = u"txtOggetto"_s, .label = u"Oggetto:"_s, .at = {2, 0, 0, 6}},
        {.control = u"txtDataSpe"_s, .label = u"Data spedizione:"_s, .at = {2, 1, 0}, .align = centred},
        {.control = u"txtDataRic"_s, .label = u"Data ricezione:"_s, .at = {2, 1, 1}, .align = centred},
        {.control = u"txtFormato"_s, .label = u"Formato:"_s, .at = {2, 1, 2, 3}},
        {.control = u"txtPagine"_s, .label = u"N. pagine:"_s, .at = {2, 1, 5}, .align = centred},
        {.control = u"txtRiferimenti"_s, .label = u"Riferimenti:"_s, .at = {2, 2, 0, 6}},
        {.control = u"txtNote"_s, .label = u"Note:"_s, .at = {2, 3, 0, 6}},
        {.control = u"txtMittente"_s, .label = u"Mittente:"_s, .at = {3, 0, 0, 3}},
        {.control = u"txtRecapitoMit"_s, .label = u"Recapito:"_s, .at = {3, 0, 3, 3}},
        {.control = u"txtDestinatario"_s, .label = u"Destinatario:"_s, .at = {3, 1, 0, 3}},
        {.control = u"txtRecapitoDes"_s, .label = u"Recapito:"_s, .at = {3, 1, 3, 3}},
        {.control = u"txtCopia"_s, .label = u"Copia digitale documento:"_s, .at = {4, 0, 0, 3},
         .readOnly = true, .enter = false},
        {.control = u"btnSfoglia"_s, .label = u"Sfoglia..."_s, .kind = K::Push, .at = {4, 0, 3},
         .hint = u"Seleziona il file da allegare alla scheda corrente."_s,
         .action = [card] {
             if (const QString name = attachments::chooseAndCopy(card); !name.isEmpty()) card->setText(u"txtCopia"_s, name); }},
        {.control = u"btnApri"_s, .label = u"Apri"_s, .kind = K::Push, .at = {4, 0, 4},
         .hint = u"Apri il file allegato alla scheda corrente."_s, .enabledBy = u"txtCopia"_s,
         .action = [card] { attachments::open(text::trimmed(card->text(u"txtCopia"_s))); }},
        {.control = u"imgCancella01"_s, .kind = K::Picture, .at = {4, 0, 5},
         .hint = u"Cancella il percorso del file allegato alla scheda corrente."_s,
         .glyph = u"\u2715"_s, .action = [card] { card->setText(u"txtCopia"_s, {}); }},
        // The card's own state: the open archive and the numbering settings last read.
        {.control = u"lblFile"_s, .kind = K::Hidden},
        {.control = u"lblInizio"_s, .kind = K::Hidden},
        {.control = u"lblSolare"_s, .kind = K::Hidden},
    };
    c.attachmentTag = u"protocollo"_s;
    c.settingsFile = &settings::programSettingsPath; // office and operator are remembered there
    c.settingsSection = QString::fromUtf16(protocol::kDocumentsSection);
    const auto onArchive = [card](auto& screen) { screen.setArchive(card->archiveId()); };
    c.commands = {
        {.control = u"cmdNuovo"_s, .hint = u"Prepara la schermata per l'inserimento di una nuova scheda."_s},
        {.control = u"cmdSalva"_s},
        {.control = u"cmdTrova"_s, .action = [card] {
             if (const auto found = TfrmTrovaProtocollo::pick(card, card->archiveId()))
                 card->loadFromRecord(found->bytes, found->position); }},
        {u"cmdRiepilogo"_s, u"Riepilogo"_s, u"\u2637"_s, Tone::Service, u"Visualizza il riepilogo "
         u"dei documenti protocollati in un intervallo di tempo."_s, [=] { runModal<TfrmRiepProtocollo>(card, onArchive); }},
        {.control = u"cmdFile"_s, .glyph = u"\u2702"_s},
        {.control = u"cmdStampa"_s, .glyph = u"\u25A4"_s, .action = [card] {
             runModal<TfrmStampaProtocollo>(card, [card](auto& print) { print.setCardReport(card->cardReport()); }); }},
        {.control = u"cmdEsporta"_s, .action = [=] { runModal<TfrmExpProtocollo>(card, onArchive); }},
        {u"cmdNumerazione"_s, u"Numerazione"_s, u"N"_s, Tone::Setup, u"Imposta il numero iniziale "
         u"per la numerazione del protocollo."_s, [card] {
             runModal<TfrmNumerazione>(card, [](auto& numbering) { numbering.setCallerTag(u"protocollo"_s); }); }},
        {.control = u"cmdGuida"_s},
        {.control = u"cmdEsci"_s, .hint = u"Esci da questa schermata di lavoro."_s},
    };
    c.saveChecks = {
        {u"txtNumero"_s, kRequired + u"il numero di protocollo del documento."_s},
        {u"txtDataReg"_s, kRequired + u"la data di registrazione del documento."_s},
        {u"txtCategoria"_s, kRequired + u"la categoria del documento."_s},
        {u"txtOggetto"_s, kRequired + u"l'oggetto del documento."_s},
        {u"grpTipo"_s, kRequired + u"la tipologia di posta (in entrata, in uscita o interna)."_s},
    };
    c.reportTitle = u"SCHEDA PROTOCOLLO DOCUMENTO"_s;
    c.report = {
        {u"Protocollo n."_s, u"{txtNumero}"_s},           {u"Data registrazione:"_s, u"{txtDataReg}"_s},
        {u"Ufficio:"_s, u"{txtUfficio}"_s},               {u"Operatore:"_s, u"{txtOperatore}"_s},
        {u"Categoria:"_s, u"{txtCategoria}"_s},           {u"Collocazione cartaceo:"_s, u"{txtCollocazione}"_s},
        {u"Oggetto:"_s, u"{txtOggetto}"_s},               {u"Data spedizione:"_s, u"{txtDataSpe}"_s},
        {u"Data ricezione:"_s, u"{txtDataRic}"_s},
        {u"Formato:"_s, u"{txtFormato}  -  N. pagine: {txtPagine}"_s},
        {u"Riferimenti:"_s, u"{txtRiferimenti}"_s},       {u"Mittente:"_s, u"{txtMittente}"_s},
        {u"Recapito mittente:"_s, u"{txtRecapitoMit}"_s}, {u"Destinatario:"_s, u"{txtDestinatario}"_s},
        {u"Recapito destinatario:"_s, u"{txtRecapitoDes}"_s},
        {u"Note:"_s, u"{txtNote}"_s},
    };
    // clang-format on
    return c;
}

} // namespace

TfrmProtocollo::TfrmProtocollo(QWidget* parent) : RecordCard(protocolDecl(this), parent) {}

void TfrmProtocollo::yearOpened(const QString& yearText) {
    setWindowTitle(protocol::cardCaption(yearText));
}

void TfrmProtocollo::cmdNuovoClick() {
    const settings::IniFile ini(settings::programSettingsPath());
    // A settings file that is there but cannot be read (no permission, not a plain file)
    // gives no number: counting from the default start would repeat numbers already given.
    if (!ini.isReadable())
        return msg::archiveAccessError(this, u"cannot read "_s + settings::programSettingsPath());
    const auto numbering = protocol::readNumbering(ini);
    setText(u"lblInizio"_s, numbering.start);
    setText(u"lblSolare"_s, numbering.yearSuffix);
    // Worked out before anything is blanked: a "Nuovo" that fails leaves the card as it was.
    const std::optional<QString> number =
        protocol::nextNumber(*archive(), numbering, Clock::today().year());
    if (!number) return msg::archiveAccessError(this);
    RecordCard::cmdNuovoClick();
    setText(u"txtNumero"_s, *number);
    focusControl(u"txtCategoria"_s);
}

} // namespace tavolex::ui
