#include "TfrmPratica.h"

#include "TfrmCartella.h"
#include "TfrmDettagli.h"
#include "TfrmExpPratiche.h"
#include "TfrmTrovaPratica.h"
#include "TfrmUrgenti.h"
#include "dates/datetext.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "text/casing.h"
#include "ui/clients/TfrmTrovaClienti.h"
#include "ui/clients/identifierchecks.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/modal.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kRequired = u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s;

RecordCardDecl practiceDecl(TfrmPratica* card) {
    using K = FieldKind;
    RecordCardDecl c;
    c.objectName = u"TfrmPratica"_s;
    c.caption = u" Tavolex - Archivio Pratiche"_s;
    c.archive = records::ArchiveKind::Practices;
    c.help = help::practicesCard();
    c.initialHint = u"Pronto per stampare una nuova scheda..."_s;
    c.sections = {
        {u"Pratica"_s, u"\u2630"_s, Tone::Records},
        {u"Cliente"_s, u"\u263A"_s, Tone::People},
        {u"Pagamenti e note"_s, u"\u20AC"_s, Tone::Codes},
    };
    const auto today = [card](const char16_t* field) {
        return [card, field] {
            card->setText(QString::fromUtf16(field), dates::formatDate(Clock::today()));
        };
    };
    const auto check = [card](void (*run)(QWidget*, const QString&), const char16_t* field) {
        return [card, run, field] { run(card, card->text(QString::fromUtf16(field))); };
    };
    const QString todayHint = u"Inserisci la data corrente."_s;
    const unsigned upper = UpperEachKey | TrimEachKey;
    // clang-format off
    c.fields = {
        {.control = u"txtOggetto"_s, .label = u"Oggetto pratica:"_s, .at = {0, 0, 0, 6}},
        {.control = u"txtTipologia"_s, .label = u"Tipologia:"_s, .at = {0, 1, 0, 3}},
        {.control = u"txtProtocollo"_s, .label = u"Protocollo n."_s, .at = {0, 1, 3, 3}},
        {.control = u"txtApertura"_s, .label = u"Data apertura:"_s, .at = {0, 2, 0}, .align = Qt::AlignCenter,
         .today = FillToday::OnNew},
        {.control = u"impApertura"_s, .kind = K::Picture, .at = {0, 2, 1}, .hint = todayHint,
         .glyph = u"\u25A6"_s, .action = today(u"txtApertura")},
        {.control = u"txtChiusura"_s, .label = u"Data chiusura:"_s, .at = {0, 2, 2}, .align = Qt::AlignCenter},
        {.control = u"impChiusura"_s, .kind = K::Picture, .at = {0, 2, 3}, .hint = todayHint,
         .glyph = u"\u25A6"_s, .action = today(u"txtChiusura")},
        {.control = u"txtStato"_s, .label = u"Stato avanzamento:"_s, .kind = K::List, .at = {0, 2, 4, 2},
         .items = {u"Aperta"_s, u"In lavorazione"_s, u"Sospesa"_s, u"Non saldata"_s, u"Chiusa e saldata"_s}},
        {.control = u"txtDocumenti"_s, .label = u"Documenti principali:"_s, .at = {0, 3, 0, 4}},
        {.control = u"btnElenco"_s, .label = u"Elenco documenti associati a pratica"_s, .kind = K::Push,
         .at = {0, 3, 4, 2}, .hint = u"Visualizza l'elenco dettagliato dei documenti associati alla "
         u"pratica."_s, .action = [card] { card->btnElencoClick(); }},
        {.control = u"txtUffici"_s, .label = u"Uffici interessati:"_s, .at = {0, 4, 0, 4}},
        {.control = u"txtConsulente"_s, .label = u"Consulente o curatore:"_s, .at = {0, 4, 4, 2}},
        {.control = u"txtCliente"_s, .label = u"Cognome e nome o ragione sociale Cliente:"_s, .at = {1, 0, 0, 3}},
        {.control = u"impCliente"_s, .kind = K::Picture, .at = {1, 0, 3}, .hint = u"Importa i dati "
         u"dall'archivio anagrafico dei Clienti."_s, .glyph = u"\u263A"_s},
        {.control = u"txtRecapito"_s, .label = u"Recapito preferenziale:"_s, .at = {1, 0, 4, 2}},
        {.control = u"txtIndirizzoRes"_s, .label = u"Via / Piazza e numero civico:"_s, .at = {1, 1, 0, 3}},
        {.control = u"txtComuneRes"_s, .label = u"Comune di residenza:"_s, .at = {1, 1, 3, 2}},
        {.control = u"txtProvRes"_s, .label = u"Prov."_s, .kind = K::Province, .at = {1, 1, 5}, .rules = upper},
        {.control = u"txtCapRes"_s, .label = u"CAP:"_s, .at = {1, 2, 0}},
        {.control = u"txtCodFisc"_s, .label = u"Codice fiscale:"_s, .at = {1, 2, 1, 2}, .rules = upper},
        {.control = u"btnCodFisc"_s, .kind = K::Picture, .at = {1, 2, 3}, .hint = u"Controlla il codice "
         u"fiscale."_s, .glyph = u"\u2714"_s, .action = check(checkTaxCode, u"txtCodFisc")},
        {.control = u"txtPartitaIva"_s, .label = u"Partita IVA:"_s, .at = {1, 2, 4}, .rules = DigitsOnly},
        {.control = u"btnPartitaIva"_s, .kind = K::Picture, .at = {1, 2, 5}, .hint = u"Controlla il "
         u"numero di partita IVA."_s, .glyph = u"\u2714"_s, .action = check(checkVatNumber, u"txtPartitaIva")},
        {.control = u"txtSaldati"_s, .label = u"Pagamenti saldati:"_s, .at = {2, 0, 0, 3}},
        {.control = u"txtSospesi"_s, .label = u"Pagamenti da effettuare:"_s, .at = {2, 0, 3, 3}},
        {.control = u"txtNote"_s, .label = u"Note:"_s, .at = {2, 1, 0, 5}},
        {.control = u"chkUrgente"_s, .label = u"Pratica urgente"_s, .kind = K::Check, .at = {2, 1, 5},
         .hint = u"Contrassegna la pratica come urgente."_s},
    };
    // clang-format on
    for (int i = 1; i <= TfrmDettagli::kEntries; ++i)
        c.fields.append({.control = TfrmDettagli::labelName(i),
                         .field = TfrmDettagli::fieldName(i),
                         .kind = K::Hidden});
    c.attachmentTag = u"pratica"_s;
    // clang-format off
    c.commands = {
        {.control = u"cmdNuovo"_s},
        {.control = u"cmdSalva"_s},
        {.control = u"cmdTrova"_s, .action = [card] { card->cmdTrovaClick(); }},
        {.control = u"cmdAllega"_s},
        {u"cmdCartella"_s, u"Cartella"_s, u"\u2750"_s, Tone::Service,
         u"Gestisci la cartella abbinata alla scheda corrente."_s, [card] { card->cmdCartellaClick(); }},
        {.control = u"cmdAnteprima"_s},
        {.control = u"cmdStampa"_s},
        {u"cmdUrgente"_s, u"Urgenti"_s, u"!"_s, Tone::Exit,
         u"Visualizza il riepilogo delle pratiche urgenti."_s, [card] { card->cmdUrgenteClick(); }},
        {.control = u"cmdExcel"_s, .action = [card] { runModal<TfrmExpPratiche>(card); }},
        {.control = u"cmdGuida"_s},
        {.control = u"cmdEsci"_s},
    };
    c.imports = {
        {u"impCliente"_s,
         [](QWidget* from) { return TfrmTrovaClienti::pick(from, u"pratica"_s); },
         &records::clientLayout(),
         {{u"Cliente"_s, u"txtCliente"_s},
          {u"Recapito"_s, u"txtRecapito"_s},
          {u"IndirizzoRes"_s, u"txtIndirizzoRes"_s},
          {u"ComuneRes"_s, u"txtComuneRes"_s},
          {u"ProvRes"_s, u"txtProvRes"_s},
          {u"CapRes"_s, u"txtCapRes"_s},
          {u"CodFisc"_s, u"txtCodFisc"_s},
          {u"PartitaIva"_s, u"txtPartitaIva"_s}}},
    };
    c.saveChecks = {
        {u"txtOggetto"_s, kRequired + u"l'oggetto della pratica."_s},
        {u"txtProtocollo"_s, kRequired + u"il numero di protocollo della pratica."_s},
        {u"txtApertura"_s, kRequired + u"la data di apertura della pratica."_s},
        {u"txtCliente"_s, kRequired + u"il nome del Cliente."_s},
    };
    c.reportTitle = u"SCHEDA DETTAGLI PRATICA"_s;
    c.report = {
        {u"Oggetto pratica:"_s, u"{txtOggetto}"_s},         {u"Tipologia:"_s, u"{txtTipologia}"_s},
        {u"Protocollo n."_s, u"{txtProtocollo}"_s},         {u"Data apertura:"_s, u"{txtApertura}"_s},
        {u"Data chiusura:"_s, u"{txtChiusura}"_s},          {u"Stato avanzamento:"_s, u"{txtStato}"_s},
        {u"Documenti principali:"_s, u"{txtDocumenti}"_s},  {u"Uffici interessati:"_s, u"{txtUffici}"_s},
        {u"Cliente:"_s, u"{txtCliente}"_s},                 {u"Recapito preferenziale:"_s, u"{txtRecapito}"_s},
        {u"Via e numero civico:"_s, u"{txtIndirizzoRes}"_s},{u"Comune di residenza:"_s, u"{txtComuneRes}"_s},
        {u"Provincia:"_s, u"{txtProvRes}"_s},               {u"CAP:"_s, u"{txtCapRes}"_s},
        {u"Codice fiscale:"_s, u"{txtCodFisc}"_s},          {u"Partita IVA:"_s, u"N. {txtPartitaIva}"_s},
        {u"Pagamenti saldati:"_s, u"{txtSaldati}"_s},       {u"Pagamenti da effettuare:"_s, u"{txtSospesi}"_s},
        {u"Note:"_s, u"{txtNote}"_s},
    };
    // clang-format on
    for (int i = 1; i <= 5; ++i)
        c.report.append(
            {u"Documento associato %1:"_s.arg(i), u'{' + TfrmDettagli::labelName(i) + u'}'});
    return c;
}

} // namespace

TfrmPratica::TfrmPratica(QWidget* parent) : RecordCard(practiceDecl(this), parent) {}

void TfrmPratica::btnElencoClick() {
    QStringList entries;
    for (int i = 1; i <= TfrmDettagli::kEntries; ++i)
        entries << text::trimmed(text(TfrmDettagli::labelName(i)));
    TfrmDettagli list(this);
    list.setEntries(entries);
    list.setPrintedCard([this](const QString& name) { return text::trimmed(text(name)); });
    if (list.exec() != QDialog::Accepted) return;
    const QStringList applied = list.entries();
    for (int i = 1; i <= TfrmDettagli::kEntries; ++i)
        setText(TfrmDettagli::labelName(i), applied.value(i - 1));
}

void TfrmPratica::cmdTrovaClick() {
    if (const auto found = TfrmTrovaPratica::pick(this, u"pratica"_s))
        loadFromRecord(found->bytes, found->position);
}

void TfrmPratica::cmdUrgenteClick() {
    TfrmUrgenti list(this);
    list.exec();
    if (const auto chosen = list.chosen()) loadFromRecord(chosen->bytes, chosen->position);
}

void TfrmPratica::cmdCartellaClick() {
    if (position() == 0) {
        msg::warning(this, u"Attenzione: l'abbinamento di una cartella ad una pratica pu\u00F2 "
                           u"avvenire soltanto dopo che la scheda \u00E8 stata inserita in "
                           u"archivio."_s);
        return;
    }
    runModal<TfrmCartella>(
        this, [this](TfrmCartella& folder) { folder.setTag(QString::number(position())); });
}

} // namespace tavolex::ui
