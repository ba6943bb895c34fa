#include "TfrmClienti.h"

#include "TfrmCarta.h"
#include "TfrmCodFisc.h"
#include "TfrmExpClienti.h"
#include "TfrmIban.h"
#include "TfrmPartitaIva.h"
#include "TfrmRicontatta.h"
#include "TfrmTrovaClienti.h"
#include "help/helptexts.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/attachments/TfrmAllegaCartella.h"
#include "ui/common/misc.h"
#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr unsigned kProvinceRules = UpperEachKey | TrimEachKey | UpperOnLeave | TrimOnLeave;

RecordCard::Config clientsConfig() {
    RecordCard::Config c;
    c.objectName = u"TfrmClienti"_s;
    c.caption = u" Tavolex - Anagrafica Clienti"_s;
    c.layout = &records::clientLayout();
    c.help = help::clientsCard();
    c.sections = {
        {u"Dati anagrafici e residenza", u"\u263A", QColor(0x2e, 0x6d, 0xb4)},
        {u"Recapiti", u"\u260E", QColor(0x2e, 0x8b, 0x57)},
        {u"Identificativi", u"#", QColor(0xc0, 0x6a, 0x1a)},
        {u"Profilo", u"\u2605", QColor(0x7a, 0x4e, 0xa8)},
        {u"Questioni in sospeso", u"!", QColor(0xb0, 0x30, 0x30)},
    };
    using W = CardWidget;
    c.fields = {
        {u"txtCliente", u"Cliente", u"Cognome e nome o ragione sociale:", W::Line, NoRule, 0, 0, 0,
         3},
        {u"txtDataNasc", u"DataNasc", u"Data di nascita:", W::Line, NoRule, 0, 0, 3, 1, nullptr,
         Qt::AlignCenter},
        {u"txtComuneNasc", u"ComuneNasc", u"Comune di nascita:", W::Line, NoRule, 0, 0, 4},
        {u"txtProvNasc", u"ProvNasc", u"Prov.", W::Province, kProvinceRules, 0, 0, 5},
        {u"txtSesso", u"Sesso", u"Sesso:", W::Line, UpperEachKey, 0, 1, 0, 1, nullptr,
         Qt::AlignCenter},
        {u"txtRecapito", u"Recapito", u"Recapito preferenziale:", W::Line, NoRule, 0, 1, 1, 2},
        {u"txtIndirizzoRes", u"IndirizzoRes", u"Residente in Via / Piazza e numero civico:",
         W::Line, NoRule, 0, 1, 3, 2},
        {u"txtProvRes", u"ProvRes", u"Prov.", W::Province, kProvinceRules, 0, 1, 5},
        {u"txtComuneRes", u"ComuneRes", u"Comune di residenza:", W::Line, NoRule, 0, 2, 0, 2},
        {u"txtCapRes", u"CapRes", u"CAP:", W::Line, UpperOnRelease, 0, 2, 2},
        {u"txtEstremi", u"Estremi", u"Modalit\u00E0 di pagamento:", W::Line, NoRule, 0, 2, 3, 3},
        {u"txtTelCasa", u"TelCasa", u"Tel. casa:", W::Line, NoRule, 1, 0, 0, 2},
        {u"txtTelUff", u"TelUff", u"Tel. ufficio:", W::Line, NoRule, 1, 0, 2, 2},
        {u"txtTelCel", u"TelCel", u"Tel. cellulare:", W::Line, NoRule, 1, 0, 4, 2},
        {u"txtFax", u"Fax", u"Fax:", W::Line, NoRule, 1, 1, 0, 2},
        {u"txtEmail", u"Email", u"E-mail:", W::Line, TrimEachKey | TrimOnLeave, 1, 1, 2, 3},
        {u"txtCodFisc", u"CodFisc", u"Codice fiscale:", W::Line, TrimEachKey | UpperEachKey, 2, 0,
         0, 2},
        {u"txtCarta", u"Carta", u"Carta di credito n.", W::Line, DigitsOnly, 2, 0, 3},
        {u"txtScadeCarta", u"ScadeCarta", u"Scadenza:", W::Line, NoRule, 2, 0, 5},
        {u"txtPartitaIva", u"PartitaIva", u"Partita IVA:", W::Line, DigitsOnly, 2, 1, 0, 2},
        {u"txtIban", u"Iban", u"IBAN:", W::Line, TrimEachKey | UpperEachKey, 2, 1, 3, 2},
        {u"txtDocumento", u"Documento", u"Estremi documento:", W::Line, NoRule, 3, 0, 0, 2},
        {u"txtOccupazione", u"Occupazione", u"Occupazione:", W::Line, NoRule, 3, 0, 2, 2},
        {u"txtCivile", u"Civile", u"Stato civile:", W::Line, NoRule, 3, 0, 4, 2},
        {u"txtTitoli", u"Titoli", u"Titoli e qualifiche:", W::Line, NoRule, 3, 1, 0, 2},
        {u"txtProdotti", u"Prodotti", u"Prodotti o servizi di interesse:", W::Line, NoRule, 3, 1, 2,
         2},
        {u"txtZona", u"Zona", u"Zona di appartenenza:", W::Line, NoRule, 3, 1, 4, 2},
        {u"txtQuestioni", u"Questioni", u"Questioni in sospeso:", W::Line, NoRule, 4, 0, 0, 5},
        {u"chkRicontatta", u"Ricontatta", u"Da ricontattare", W::Check, NoRule, 4, 0, 5, 1,
         u"Annota che il Cliente \u00E8 da ricontattare per questioni in sospeso."},
        {u"txtNote", u"Note", u"Note:", W::Line, NoRule, 4, 1, 0, 6},
        {u"lblFile01", u"File01", u"", W::Hidden},
        {u"lblFile02", u"File02", u"", W::Hidden},
        {u"lblFile03", u"File03", u"", W::Hidden},
        {u"lblDesc01", u"Desc01", u"", W::Hidden},
        {u"lblDesc02", u"Desc02", u"", W::Hidden},
        {u"lblDesc03", u"Desc03", u"", W::Hidden},
    };
    c.required = {
        {u"txtCliente",
         u"Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del Cliente."}};
    return c;
}

} // namespace

TfrmClienti::TfrmClienti(QWidget* parent) : RecordCard(clientsConfig(), parent) {
    addStandardCommand(u"cmdNuovo"_s);
    addStandardCommand(u"cmdDuplica"_s);
    const QColor services(0x3a, 0x6e, 0xa5);
    addCommand(u"cmdFile"_s, u"Allegati"_s, u"\u2261"_s, services,
               u"Allega file alla scheda corrente."_s, [this] { cmdFileClick(); });
    addStandardCommand(u"cmdSalva"_s);
    addCommand(u"cmdTrova"_s, u"Trova"_s, u"\u25C9"_s, services, u"Trova una scheda in archivio."_s,
               [this] { cmdTrovaClick(); });
    addCommand(u"cmdAnteprima"_s, u"Anteprima"_s, u"\u25A4"_s, services,
               u"Visualizza l'anteprima di stampa."_s, [this] { cmdAnteprimaClick(); });
    addCommand(u"cmdStampa"_s, u"Stampa"_s, u"\u2630"_s, services, u"Stampa la scheda corrente."_s,
               [this] { cmdStampaClick(); });
    addCommand(u"cmdPDF"_s, u"PDF"_s, u"PDF"_s, QColor(0xc0, 0x20, 0x20),
               u"Esporta la scheda in formato PDF."_s, [this] { cmdPDFClick(); });
    addCommand(u"cmdRicontatta"_s, u"Ricontatta"_s, u"\u260E"_s, services,
               u"Visualizza il riepilogo dei Clienti da ricontattare."_s,
               [this] { cmdRicontattaClick(); });
    addCommand(u"cmdEsporta"_s, u"Esporta"_s, u"XLS"_s, QColor(0x1d, 0x6f, 0x42),
               u"Esporta le schede in archivio in un file di Microsoft Excel."_s,
               [this] { cmdEsportaClick(); });
    addStandardCommand(u"cmdGuida"_s);
    addStandardCommand(u"cmdEsci"_s);

    addSmallButton(u"btnEmail"_s, u"@"_s, u"Invia una e-mail all'indirizzo indicato."_s, 1, 1, 5,
                   &TfrmClienti::btnEmailClick);
    addSmallButton(u"btnCodFisc"_s, u"\u2714"_s, u"Controlla il codice fiscale."_s, 2, 0, 2,
                   &TfrmClienti::btnCodFiscClick);
    addSmallButton(u"btnCarta"_s, u"\u2714"_s, u"Controlla il numero di carta di credito."_s, 2, 0,
                   4, &TfrmClienti::btnCartaClick);
    addSmallButton(u"btnPartitaIva"_s, u"\u2714"_s, u"Controlla il numero di partita IVA."_s, 2, 1,
                   2, &TfrmClienti::btnPartitaIvaClick);
    addSmallButton(u"btnIban"_s, u"\u2714"_s, u"Controlla l'IBAN."_s, 2, 1, 5,
                   &TfrmClienti::btnIbanClick);
}

void TfrmClienti::addSmallButton(const QString& name, const QString& glyph, const QString& hint,
                                 int section, int row, int column, void (TfrmClienti::*slot)()) {
    QToolButton* button = makePictureButton(this, name, {}, glyph, QColor(0x3a, 0x6e, 0xa5));
    button->setIconSize(QSize(20, 20));
    placeInSection(button, section, row, column);
    behaviour()->setHint(button, hint);
    connect(button, &QToolButton::clicked, this, slot);
}

QString TfrmClienti::archivePath() const {
    return programPath(records::clientLayout().archiveName());
}

void TfrmClienti::btnEmailClick() {
    TMisc::Open(u"\"mailto:"_s + text(u"txtEmail"_s).trimmed() + u'"');
}

namespace {
template <typename Dialog> void runCheck(QWidget* parent, const QString& value) {
    Dialog dialog(parent);
    dialog.setInput(value);
    dialog.exec();
}
} // namespace

void TfrmClienti::btnCodFiscClick() {
    const QString code = text::trimmed(text(u"txtCodFisc"_s));
    // An all-digit tax code is a company's, which is its VAT number.
    if (text::isDigitsOnly(code))
        runCheck<TfrmPartitaIva>(this, code);
    else
        runCheck<TfrmCodFisc>(this, code);
}

void TfrmClienti::btnPartitaIvaClick() {
    runCheck<TfrmPartitaIva>(this, text::trimmed(text(u"txtPartitaIva"_s)));
}
void TfrmClienti::btnIbanClick() {
    runCheck<TfrmIban>(this, text::trimmed(text(u"txtIban"_s)));
}
void TfrmClienti::btnCartaClick() {
    runCheck<TfrmCarta>(this, text::trimmed(text(u"txtCarta"_s)));
}
void TfrmClienti::cmdFileClick() {
    const AttachmentValues current{text(u"lblFile01"_s).trimmed(), text(u"lblDesc01"_s).trimmed(),
                                   text(u"lblFile02"_s).trimmed(), text(u"lblDesc02"_s).trimmed(),
                                   text(u"lblFile03"_s).trimmed(), text(u"lblDesc03"_s).trimmed()};
    const auto chosen = TfrmAllegaCartella::edit(this, u"clienti"_s, current);
    if (!chosen) return;
    setText(u"lblFile01"_s, chosen->file01);
    setText(u"lblDesc01"_s, chosen->desc01);
    setText(u"lblFile02"_s, chosen->file02);
    setText(u"lblDesc02"_s, chosen->desc02);
    setText(u"lblFile03"_s, chosen->file03);
    setText(u"lblDesc03"_s, chosen->desc03);
}

report::ReportDocument TfrmClienti::cardReport() const {
    auto value = [this](const char16_t* control) {
        return text::trimmed(text(QString::fromUtf16(control)));
    };
    auto joined = [&](const char16_t* a, const char16_t* b) { return value(a) + u' ' + value(b); };
    report::CardReport card;
    card.title = u"SCHEDA ANAGRAFICA CLIENTE"_s;
    card.rows = {
        {u"Cognome e nome:"_s, value(u"txtCliente")},
        {u"Data di nascita:"_s, value(u"txtDataNasc")},
        {u"Comune di nascita:"_s, joined(u"txtComuneNasc", u"txtProvNasc")},
        {u"Sesso:"_s, value(u"txtSesso")},
        {u"Recapito preferenziale:"_s, value(u"txtRecapito")},
        {u"Indirizzo di residenza:"_s, value(u"txtIndirizzoRes")},
        {u"Comune di residenza:"_s, joined(u"txtComuneRes", u"txtProvRes")},
        {u"Modalit\u00E0 pagamento:"_s, value(u"txtEstremi")},
        {u"Tel. casa:"_s, value(u"txtTelCasa")},
        {u"Tel. ufficio:"_s, value(u"txtTelUff")},
        {u"Tel. cellulare:"_s, value(u"txtTelCel")},
        {u"Fax:"_s, value(u"txtFax")},
        {u"E-mail:"_s, value(u"txtEmail")},
        {u"Codice fiscale:"_s, value(u"txtCodFisc")},
        {u"Partita IVA:"_s, value(u"txtPartitaIva")},
        {u"Carta di credito:"_s,
         u"N. "_s + value(u"txtCarta") + u"  -  Scadenza: "_s + value(u"txtScadeCarta")},
        {u"IBAN:"_s, value(u"txtIban")},
        {u"Estremi documento:"_s, value(u"txtDocumento")},
        {u"Occupazione:"_s, value(u"txtOccupazione")},
        {u"Titoli e qualifiche:"_s, value(u"txtTitoli")},
        {u"Prodotti e servizi:"_s, value(u"txtProdotti")},
        {u"Zona di appartenenza:"_s, value(u"txtZona")},
        {u"Questioni in sospeso:"_s, value(u"txtQuestioni")},
        {u"Note:"_s, value(u"txtNote")},
    };
    return report::ReportDocument::card(card);
}

void TfrmClienti::cmdAnteprimaClick() {
    report::preview(this, cardReport());
}
void TfrmClienti::cmdStampaClick() {
    report::print(this, cardReport());
}
void TfrmClienti::cmdPDFClick() {
    report::exportPdf(this, cardReport(), u"Cliente.pdf"_s);
}
void TfrmClienti::cmdTrovaClick() {
    TfrmTrovaClienti search(this);
    search.setCallerTag(u"clienti"_s);
    search.exec();
    if (const auto chosen = search.chosen()) loadFromRecord(chosen->bytes, chosen->position);
}
void TfrmClienti::cmdRicontattaClick() {
    TfrmRicontatta list(this);
    list.exec();
    if (const auto chosen = list.chosen()) loadFromRecord(chosen->bytes, chosen->position);
}

void TfrmClienti::cmdEsportaClick() {
    TfrmExpClienti exportScreen(this);
    exportScreen.exec();
}

} // namespace tavolex::ui
