#include "TfrmMovimenti.h"

#include "TfrmExpMovimenti.h"
#include "TfrmSospesiMov.h"
#include "TfrmStampaMovimento.h"
#include "TfrmTrovaMovimenti.h"
#include "dates/datetext.h"
#include "help/movementshelp.h"
#include "money/normalise.h"
#include "movements/archive.h"
#include "movements/saving.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "text/casing.h"
#include "ui/clients/TfrmTrovaClienti.h"
#include "ui/clients/identifierchecks.h"
#include "ui/common/calendarfiles.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/modal.h"

#include <QLabel>
#include <QRadioButton>
#include <QStyle>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr auto kIncomeLabel = u"Importo in entrata: \u20AC";
constexpr auto kExpenseLabel = u"Importo in uscita: \u20AC";

// The core's checks of Save, read as the check of one field: the fault when the first check
// that fails is that field's.
std::function<std::optional<SaveFault>(const CardTexts&)> movementRule(movements::SaveField field) {
    return [field](const CardTexts& texts) -> std::optional<SaveFault> {
        const movements::SaveVerdict verdict = movements::checkSave({
            .data = texts(u"txtData"_s),
            .causale = texts(u"txtCausale"_s),
            .dataSca = texts(u"txtDataSca"_s),
            .preavviso = texts(u"txtPreavviso"_s),
            .importo = texts(u"txtImporto"_s),
            .pagatore = texts(u"txtPagatore"_s),
            .beneficiario = texts(u"txtBeneficiario"_s),
        });
        if (verdict.ok || verdict.focus != field) return std::nullopt;
        return SaveFault{verdict.message, verdict.plain};
    };
}

std::function<std::optional<ChosenRecord>(QWidget*)> clientSearch(const QString& tag) {
    return [tag](QWidget* card) { return TfrmTrovaClienti::pick(card, tag); };
}

RecordCardDecl movementsDecl(TfrmMovimenti* card) {
    using K = FieldKind;
    RecordCardDecl c;
    c.objectName = u"TfrmMovimenti"_s;
    c.caption = u" Tavolex - Entrate e Uscite"_s;
    c.archive = records::ArchiveKind::Movements;
    c.help = help::movementsApplication();
    c.firstFocus = u"txtCausale"_s;
    c.sections = {
        {u"Movimento"_s, u"\u20AC"_s, Tone::Records},
        {u"Pagatore"_s, u"\u263A"_s, Tone::People},
        {u"Beneficiario e pagamento"_s, u"\u21C4"_s, Tone::Contacts},
    };
    const auto clear = [card](const char16_t* field) {
        return [card, field] { card->setText(QString::fromUtf16(field), {}); };
    };
    const auto check = [card](void (*run)(QWidget*, const QString&), const char16_t* field) {
        return
            [card, run, field] { run(card, text::trimmed(card->text(QString::fromUtf16(field)))); };
    };
    const QString dateHint = u"Fai clic su questo campo e premi un tasto qualsiasi per importare "
                             u"una data dal calendario."_s;
    const QString clearDate = u"Cancella la data."_s;
    const QString importHint = u"Importa i dati dall'archivio anagrafico dei Clienti."_s;
    const Qt::Alignment centred = Qt::AlignCenter;
    // clang-format off
    c.fields = {
        {.control = u"grpTipo"_s, .label = u"Tipo movimento:"_s, .kind = K::Choice, .at = {0, 0, 0, 2},
         .options = {{u"optEntrata"_s, u"Entrata"_s, u"Entrata"_s,
                      u"Spunta questa casella per registrare un importo in entrata."_s},
                     {u"optUscita"_s, u"Uscita"_s, u"Uscita"_s,
                      u"Spunta questa casella per registrare un importo in uscita."_s}},
         .initial = u"Entrata"_s},
        {.control = u"txtData"_s, .label = u"Data operazione:"_s, .kind = K::Date, .at = {0, 0, 2},
         .align = centred, .hint = dateHint, .tag = u"movimenti_data"_s, .today = FillToday::OnShowAndNew},
        {.control = u"impData"_s, .kind = K::Picture, .at = {0, 0, 3}, .hint = clearDate,
         .glyph = u"\u2715"_s, .action = clear(u"txtData")},
        {.control = u"txtCausale"_s, .label = u"Causale:"_s, .at = {0, 1, 0, 6}},
        {.control = u"txtPromemoria"_s, .label = u"Promemoria:"_s, .at = {0, 2, 0, 6}},
        {.control = u"txtDataSca"_s, .label = u"Data scadenza:"_s, .kind = K::Date, .at = {0, 3, 0},
         .align = centred, .hint = dateHint, .tag = u"movimenti_scadenza"_s},
        {.control = u"impDataSca"_s, .kind = K::Picture, .at = {0, 3, 1}, .hint = clearDate,
         .glyph = u"\u2715"_s, .action = clear(u"txtDataSca")},
        {.control = u"txtPreavviso"_s, .label = u"Avvisa n."_s, .after = u"giorni prima della scadenza."_s, .at = {0, 3, 2, 2},
         .rules = CountDigits, .align = centred, .initial = u"0"_s},
        {.control = u"txtImporto"_s, .label = QString::fromUtf16(kIncomeLabel), .kind = K::Amount,
         .at = {0, 3, 4, 2}, .rules = DigitsAndComma, .align = Qt::AlignRight, .places = 2,
         .normalise = money::normalisedMovementAmount, .initial = u"0,00"_s},
        {.control = u"txtPagatore"_s, .label = u"Pagatore:"_s, .at = {1, 0, 0, 3}},
        {.control = u"impPagatore"_s, .kind = K::Picture, .at = {1, 0, 3}, .hint = importHint,
         .glyph = u"\u263A"_s},
        {.control = u"txtRecapitoPag"_s, .label = u"Recapito:"_s, .at = {1, 0, 4, 2}},
        {.control = u"txtCodFisc"_s, .label = u"Codice fiscale:"_s, .at = {1, 1, 0, 2},
         .rules = UpperEachKey | TrimEachKey},
        {.control = u"chkCodFisc"_s, .kind = K::Picture, .at = {1, 1, 2}, .hint = u"Controlla il "
         u"codice fiscale."_s, .glyph = u"\u2714"_s, .action = check(checkTaxCode, u"txtCodFisc")},
        {.control = u"txtPartitaIva"_s, .label = u"Partita IVA:"_s, .at = {1, 1, 3, 2}, .rules = DigitsOnly},
        {.control = u"chkIva"_s, .kind = K::Picture, .at = {1, 1, 5}, .hint = u"Controlla il numero "
         u"di partita IVA."_s, .glyph = u"\u2714"_s, .action = check(checkVatNumber, u"txtPartitaIva")},
        {.control = u"txtCategoria"_s, .label = u"Categoria:"_s, .at = {1, 2, 0, 2}},
        {.control = u"txtEmail"_s, .label = u"E-mail:"_s, .at = {1, 2, 2, 3}, .rules = TrimEachKey},
        {.control = u"sndEmail"_s, .kind = K::Picture, .at = {1, 2, 5}, .hint = u"Invia una e-mail "
         u"all'indirizzo indicato."_s, .glyph = u"@"_s, .action = [card] { card->sndEmailClick(); }},
        {.control = u"txtPagamento"_s, .label = u"Modalit\u00E0 pagamento:"_s, .at = {1, 3, 0, 6},
         .maxLength = 150},
        {.control = u"txtBeneficiario"_s, .label = u"Beneficiario:"_s, .at = {2, 0, 0, 3}},
        {.control = u"impBeneficiario"_s, .kind = K::Picture, .at = {2, 0, 3}, .hint = importHint,
         .glyph = u"\u263A"_s},
        {.control = u"txtRecapitoBen"_s, .label = u"Recapito:"_s, .at = {2, 0, 4, 2}},
        {.control = u"txtRicevuta"_s, .label = u"CRO / Ricevuta n."_s, .at = {2, 1, 0, 6}},
        {.control = u"txtNote"_s, .label = u"Note:"_s, .at = {2, 2, 0, 6}},
        {.control = u"txtTariffa"_s, .label = u"Tariffa applicata:"_s, .at = {2, 3, 0, 5}},
        {.control = u"chkSaldato"_s, .label = u"Saldato"_s, .kind = K::Check, .at = {2, 3, 5},
         .hint = u"Spunta questa casella per indicare che il pagamento \u00E8 stato saldato."_s},
        // The signed amount of the movement and the open archive.
        {.control = u"txtTotale"_s, .field = u"Totale"_s, .kind = K::Hidden, .initial = u"+0,00"_s},
        {.control = u"lblFile"_s, .kind = K::Hidden},
    };
    c.attachmentTag = u"movimenti"_s;
    using F = movements::SaveField;
    c.saveChecks = {
        {u"grpTipo"_s, QString::fromUtf16(movements::kNeedTipo)},
        // The amount the core checks is the one the card shows, also when a check fails.
        {.control = u"txtImporto"_s, .normalise = money::normalisedMovementAmount},
        {.control = u"txtCausale"_s, .rule = movementRule(F::Causale)},
        {.control = u"txtData"_s, .rule = movementRule(F::Data)},
        {.control = u"txtDataSca"_s, .rule = movementRule(F::DataSca)},
        {.control = u"txtPreavviso"_s, .rule = movementRule(F::Preavviso)},
        {.control = u"txtImporto"_s, .rule = movementRule(F::Importo)},
        {.control = u"txtPagatore"_s, .rule = movementRule(F::Pagatore)},
        {.control = u"txtBeneficiario"_s, .rule = movementRule(F::Beneficiario)},
    };
    c.derived = {{u"txtTotale"_s, [](const CardTexts& texts) {
                      return movements::signedTotal(texts(u"grpTipo"_s) == u"Entrata"_s,
                                                    texts(u"txtImporto"_s));
                  }}};
    c.imports = {
        {u"impPagatore"_s, clientSearch(u"movimenti_pagatore"_s), &records::clientLayout(),
         {{u"Cliente"_s, u"txtPagatore"_s},
          {u"Recapito"_s, u"txtRecapitoPag"_s},
          {u"CodFisc"_s, u"txtCodFisc"_s},
          {u"PartitaIva"_s, u"txtPartitaIva"_s},
          {u"Email"_s, u"txtEmail"_s}}},
        {u"impBeneficiario"_s, clientSearch(u"movimenti_beneficiario"_s), &records::clientLayout(),
         {{u"Cliente"_s, u"txtBeneficiario"_s}, {u"Recapito"_s, u"txtRecapitoBen"_s}}},
    };
    c.commands = {
        {.control = u"cmdNuovo"_s, .hint = u"Predispone la schermata per l'inserimento di una nuova scheda."_s},
        {.control = u"cmdDuplica"_s},
        {.control = u"cmdSalva"_s},
        {.control = u"cmdTrova"_s, .action = [card] { card->cmdTrovaClick(); }},
        {.control = u"cmdFile"_s, .glyph = u"\u2702"_s},
        {.control = u"cmdStampa"_s, .glyph = u"\u25A4"_s, .action = [card] {
             runModal<TfrmStampaMovimento>(card, [card](auto& print) { print.setCardReport(card->cardReport()); }); }},
        {.control = u"cmdEsporta"_s, .action = [card] {
             runModal<TfrmExpMovimenti>(card, [card](auto& grid) { grid.setArchive(card->archiveId()); }); }},
        {u"cmdScadenze"_s, u"Scadenze"_s, u"!"_s, Tone::Exit, u"Visualizza il riepilogo dei "
         u"pagamenti in scadenza o scaduti e non saldati."_s, [card] { card->cmdScadenzeClick(); }},
        {.control = u"cmdGuida"_s, .hint = u"Visualizza la pagina della guida sensibile al contesto."_s},
        {.control = u"cmdEsci"_s, .hint = u"Esci da questa schermata di lavoro."_s},
    };
    c.reportTitle = u"SCHEDA INFORMATIVA MOVIMENTO"_s;
    c.report = {
        {u"Tipo movimento:"_s, u"{grpTipo}"_s},           {u"Data operazione:"_s, u"{txtData}"_s},
        {u"Causale:"_s, u"{txtCausale}"_s},               {u"Promemoria:"_s, u"{txtPromemoria}"_s},
        {u"Data scadenza:"_s, u"{txtDataSca}"_s},         {u"Giorni preavviso:"_s, u"{txtPreavviso}"_s},
        {u"Importo in euro:"_s, u"{txtImporto}"_s},       {u"Pagatore:"_s, u"{txtPagatore}"_s},
        {u"Recapito:"_s, u"{txtRecapitoPag}"_s},          {u"Codice fiscale:"_s, u"{txtCodFisc}"_s},
        {u"Partita IVA:"_s, u"{txtPartitaIva}"_s},        {u"Categoria:"_s, u"{txtCategoria}"_s},
        {u"E-mail:"_s, u"{txtEmail}"_s},                  {u"Modalit\u00E0 pagamento:"_s, u"{txtPagamento}"_s},
        {u"Beneficiario:"_s, u"{txtBeneficiario}"_s},     {u"Recapito:"_s, u"{txtRecapitoBen}"_s},
        {u"CRO / Ricevuta n."_s, u"{txtRicevuta}"_s},     {u"Tariffa applicata:"_s, u"{txtTariffa}"_s},
        {u"Note:"_s, u"{txtNote}"_s},                     {u"Saldato:"_s, u"{chkSaldato}"_s},
    };
    // clang-format on
    return c;
}

} // namespace

TfrmMovimenti::TfrmMovimenti(QWidget* parent) : RecordCard(movementsDecl(this), parent) {}

void TfrmMovimenti::built() {
    keepCalendarCurrent(this, calendar::Kind::Payments);
    // Every way the type changes (a click, New, a loaded record) passes through the buttons.
    for (const QString& name : {u"optEntrata"_s, u"optUscita"_s})
        connect(static_cast<QRadioButton*>(control(name)), &QRadioButton::toggled, this,
                &TfrmMovimenti::showMovementType);
    showMovementType();
}

void TfrmMovimenti::yearOpened(const QString& yearText) {
    setWindowTitle(movements::cardCaption(yearText));
}

void TfrmMovimenti::showMovementType() {
    const bool income = static_cast<QRadioButton*>(control(u"optEntrata"_s))->isChecked();
    auto* label = findChild<QLabel*>(u"lblImporto"_s);
    label->setText(QString::fromUtf16(income ? kIncomeLabel : kExpenseLabel));
    // The colour comes from the style sheet, by this property.
    label->setProperty("tavolexExpense", !income);
    label->style()->unpolish(label);
    label->style()->polish(label);
}

void TfrmMovimenti::clearOnDuplicate() {
    setText(u"chkSaldato"_s, QString::fromUtf16(records::kNo));
    setText(u"txtData"_s, dates::formatDate(Clock::today()));
    setText(u"txtDataSca"_s, {});
}

void TfrmMovimenti::sndEmailClick() {
    const QString address = text::trimmed(text(u"txtEmail"_s));
    // An address that could carry mail-link parameters (a file to attach) is no address.
    if (address.isEmpty() || !TMisc::OpenMail(address)) {
        msg::warning(this, u"Attenzione: indicare l'indirizzo e-mail del tesserato."_s);
        focusControl(u"txtEmail"_s);
    }
}

void TfrmMovimenti::cmdTrovaClick() {
    if (const auto found = TfrmTrovaMovimenti::pick(this, archiveId()))
        loadFromRecord(found->bytes, found->position);
}

void TfrmMovimenti::cmdScadenzeClick() {
    TfrmSospesiMov list(this);
    list.setArchive(archiveId());
    list.exec();
    if (const auto chosen = list.chosen()) loadFromRecord(chosen->bytes, chosen->position);
}

} // namespace tavolex::ui
