#include "TfrmClienti.h"

#include "TfrmExpClienti.h"
#include "TfrmRicontatta.h"
#include "TfrmTrovaClienti.h"
#include "identifierchecks.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr unsigned kProvinceRules = UpperEachKey | TrimEachKey | UpperOnLeave | TrimOnLeave;

RecordCardDecl clientsDecl(TfrmClienti* card) {
    using K = FieldKind;
    RecordCardDecl c;
    c.objectName = u"TfrmClienti"_s;
    c.caption = u" Tavolex - Anagrafica Clienti"_s;
    c.archive = records::ArchiveKind::Clients;
    c.help = help::clientsCard();
    c.sections = {
        {u"Dati anagrafici e residenza"_s, u"\u263A"_s, Tone::People},
        {u"Recapiti"_s, u"\u260E"_s, Tone::Contacts},
        {u"Identificativi"_s, u"#"_s, Tone::Codes},
        {u"Profilo"_s, u"\u2605"_s, Tone::Profile},
        {u"Questioni in sospeso"_s, u"!"_s, Tone::Warning},
    };
    auto check = [card](void (*run)(QWidget*, const QString&), const char16_t* field) {
        return [card, run, field] { run(card, card->text(QString::fromUtf16(field))); };
    };
    const unsigned codes = TrimEachKey | UpperEachKey;
    // clang-format off
    c.fields = {
        {.control = u"txtCliente"_s, .label = u"Cognome e nome o ragione sociale:"_s, .at = {0, 0, 0, 3}},
        {.control = u"txtDataNasc"_s, .label = u"Data di nascita:"_s, .at = {0, 0, 3}, .align = Qt::AlignCenter},
        {.control = u"txtComuneNasc"_s, .label = u"Comune di nascita:"_s, .at = {0, 0, 4}},
        {.control = u"txtProvNasc"_s, .label = u"Prov."_s, .kind = K::Province, .at = {0, 0, 5}, .rules = kProvinceRules},
        {.control = u"txtSesso"_s, .label = u"Sesso:"_s, .at = {0, 1, 0}, .rules = UpperEachKey, .align = Qt::AlignCenter},
        {.control = u"txtRecapito"_s, .label = u"Recapito preferenziale:"_s, .at = {0, 1, 1, 2}},
        {.control = u"txtIndirizzoRes"_s, .label = u"Residente in Via / Piazza e numero civico:"_s, .at = {0, 1, 3, 2}},
        {.control = u"txtProvRes"_s, .label = u"Prov."_s, .kind = K::Province, .at = {0, 1, 5}, .rules = kProvinceRules},
        {.control = u"txtComuneRes"_s, .label = u"Comune di residenza:"_s, .at = {0, 2, 0, 2}},
        {.control = u"txtCapRes"_s, .label = u"CAP:"_s, .at = {0, 2, 2}, .rules = UpperOnRelease},
        {.control = u"txtEstremi"_s, .label = u"Modalit\u00E0 di pagamento:"_s, .at = {0, 2, 3, 3}},
        {.control = u"txtTelCasa"_s, .label = u"Tel. casa:"_s, .at = {1, 0, 0, 2}},
        {.control = u"txtTelUff"_s, .label = u"Tel. ufficio:"_s, .at = {1, 0, 2, 2}},
        {.control = u"txtTelCel"_s, .label = u"Tel. cellulare:"_s, .at = {1, 0, 4, 2}},
        {.control = u"txtFax"_s, .label = u"Fax:"_s, .at = {1, 1, 0, 2}},
        {.control = u"txtEmail"_s, .label = u"E-mail:"_s, .at = {1, 1, 2, 3}, .rules = TrimEachKey | TrimOnLeave},
        {.control = u"txtCodFisc"_s, .label = u"Codice fiscale:"_s, .at = {2, 0, 0, 2}, .rules = codes},
        {.control = u"txtCarta"_s, .label = u"Carta di credito n."_s, .at = {2, 0, 3}, .rules = DigitsOnly},
        {.control = u"txtScadeCarta"_s, .label = u"Scadenza:"_s, .at = {2, 0, 5}},
        {.control = u"txtPartitaIva"_s, .label = u"Partita IVA:"_s, .at = {2, 1, 0, 2}, .rules = DigitsOnly},
        {.control = u"txtIban"_s, .label = u"IBAN:"_s, .at = {2, 1, 3, 2}, .rules = codes},
        {.control = u"txtDocumento"_s, .label = u"Estremi documento:"_s, .at = {3, 0, 0, 2}},
        {.control = u"txtOccupazione"_s, .label = u"Occupazione:"_s, .at = {3, 0, 2, 2}},
        {.control = u"txtCivile"_s, .label = u"Stato civile:"_s, .at = {3, 0, 4, 2}},
        {.control = u"txtTitoli"_s, .label = u"Titoli e qualifiche:"_s, .at = {3, 1, 0, 2}},
        {.control = u"txtProdotti"_s, .label = u"Prodotti o servizi di interesse:"_s, .at = {3, 1, 2, 2}},
        {.control = u"txtZona"_s, .label = u"Zona di appartenenza:"_s, .at = {3, 1, 4, 2}},
        {.control = u"txtQuestioni"_s, .label = u"Questioni in sospeso:"_s, .at = {4, 0, 0, 5}},
        {.control = u"chkRicontatta"_s, .label = u"Da ricontattare"_s, .kind = K::Check, .at = {4, 0, 5},
         .hint = u"Annota che il Cliente \u00E8 da ricontattare per questioni in sospeso."_s},
        {.control = u"txtNote"_s, .label = u"Note:"_s, .at = {4, 1, 0, 6}},
        {.control = u"btnEmail"_s, .kind = K::Picture, .at = {1, 1, 5}, .hint = u"Invia una e-mail "
         u"all'indirizzo indicato."_s, .glyph = u"@"_s, .action = [card] { card->btnEmailClick(); }},
        {.control = u"btnCodFisc"_s, .kind = K::Picture, .at = {2, 0, 2}, .hint = u"Controlla il "
         u"codice fiscale."_s, .glyph = u"\u2714"_s, .action = check(checkTaxCode, u"txtCodFisc")},
        {.control = u"btnCarta"_s, .kind = K::Picture, .at = {2, 0, 4}, .hint = u"Controlla il numero "
         u"di carta di credito."_s, .glyph = u"\u2714"_s, .action = check(checkCardNumber, u"txtCarta")},
        {.control = u"btnPartitaIva"_s, .kind = K::Picture, .at = {2, 1, 2}, .hint = u"Controlla il "
         u"numero di partita IVA."_s, .glyph = u"\u2714"_s, .action = check(checkVatNumber, u"txtPartitaIva")},
        {.control = u"btnIban"_s, .kind = K::Picture, .at = {2, 1, 5}, .hint = u"Controlla l'IBAN."_s,
         .glyph = u"\u2714"_s, .action = check(checkIban, u"txtIban")},
    };
    c.attachmentTag = u"clienti"_s;
    c.commands = {
        {u"cmdNuovo"_s},
        {u"cmdDuplica"_s},
        {u"cmdFile"_s},
        {u"cmdSalva"_s},
        {.control = u"cmdTrova"_s, .action = [card] { card->cmdTrovaClick(); }},
        {u"cmdAnteprima"_s},
        {u"cmdStampa"_s},
        {u"cmdPDF"_s},
        {u"cmdRicontatta"_s, u"Ricontatta"_s, u"\u260E"_s, Tone::Service,
         u"Visualizza il riepilogo dei Clienti da ricontattare."_s,
         [card] { card->cmdRicontattaClick(); }},
        {.control = u"cmdEsporta"_s, .action = [card] { TfrmExpClienti(card).exec(); }},
        {u"cmdGuida"_s},
        {u"cmdEsci"_s},
    };
    c.saveChecks = {{u"txtCliente"_s, u"Attenzione: per salvare la scheda \u00E8 necessario "
                                    u"indicare il nome del Cliente."_s}};
    c.reportTitle = u"SCHEDA ANAGRAFICA CLIENTE"_s;
    c.report = {
        {u"Cognome e nome:"_s, u"{txtCliente}"_s},         {u"Data di nascita:"_s, u"{txtDataNasc}"_s},
        {u"Comune di nascita:"_s, u"{txtComuneNasc} {txtProvNasc}"_s},
        {u"Sesso:"_s, u"{txtSesso}"_s},                    {u"Recapito preferenziale:"_s, u"{txtRecapito}"_s},
        {u"Indirizzo di residenza:"_s, u"{txtIndirizzoRes}"_s},
        {u"Comune di residenza:"_s, u"{txtComuneRes} {txtProvRes}"_s},
        {u"Modalit\u00E0 pagamento:"_s, u"{txtEstremi}"_s}, {u"Tel. casa:"_s, u"{txtTelCasa}"_s},
        {u"Tel. ufficio:"_s, u"{txtTelUff}"_s},            {u"Tel. cellulare:"_s, u"{txtTelCel}"_s},
        {u"Fax:"_s, u"{txtFax}"_s},                        {u"E-mail:"_s, u"{txtEmail}"_s},
        {u"Codice fiscale:"_s, u"{txtCodFisc}"_s},         {u"Partita IVA:"_s, u"{txtPartitaIva}"_s},
        {u"Carta di credito:"_s, u"N. {txtCarta}  -  Scadenza: {txtScadeCarta}"_s},
        {u"IBAN:"_s, u"{txtIban}"_s},                      {u"Estremi documento:"_s, u"{txtDocumento}"_s},
        {u"Occupazione:"_s, u"{txtOccupazione}"_s},        {u"Titoli e qualifiche:"_s, u"{txtTitoli}"_s},
        {u"Prodotti e servizi:"_s, u"{txtProdotti}"_s},    {u"Zona di appartenenza:"_s, u"{txtZona}"_s},
        {u"Questioni in sospeso:"_s, u"{txtQuestioni}"_s}, {u"Note:"_s, u"{txtNote}"_s},
    };
    // clang-format on
    c.pdfFileName = u"Cliente.pdf"_s;
    return c;
}

} // namespace

TfrmClienti::TfrmClienti(QWidget* parent) : RecordCard(clientsDecl(this), parent) {}

void TfrmClienti::btnEmailClick() {
    if (!TMisc::OpenMail(text(u"txtEmail"_s).trimmed())) {
        msg::warning(this, u"Attenzione: indicare l'indirizzo e-mail del tesserato."_s);
        focusControl(u"txtEmail"_s);
    }
}

void TfrmClienti::cmdTrovaClick() {
    if (const auto chosen = TfrmTrovaClienti::pick(this, u"clienti"_s))
        loadFromRecord(chosen->bytes, chosen->position);
}

void TfrmClienti::cmdRicontattaClick() {
    TfrmRicontatta list(this);
    list.exec();
    if (const auto chosen = list.chosen()) loadFromRecord(chosen->bytes, chosen->position);
}

} // namespace tavolex::ui
