// The card pattern's declarations: what a declared card refuses, and how its kinds of
// control bind record fields.
#include "money/normalise.h"
#include "movements/saving.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"
#include "ui/common/recordcard.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using namespace tavolex::ui;
using tavolex::test::child;

namespace {

// A movement card cut down to what these tests need.
RecordCardDecl movementCard() {
    RecordCardDecl c;
    c.objectName = u"TfrmProva"_s;
    c.layout = &records::movementLayout();
    c.sections = {{u"Movimento"_s, u"\u20AC"_s, Tone::Records}};
    c.fields = {
        {.control = u"grpTipo"_s,
         .kind = FieldKind::Choice,
         .at = {0, 0, 0, 2},
         .options = {{u"optEntrata"_s, u"Entrata"_s, u"Entrata"_s},
                     {u"optUscita"_s, u"Uscita"_s, u"Uscita"_s}}},
        {.control = u"txtCausale"_s, .label = u"Causale:"_s, .at = {0, 1, 0, 4}},
        {.control = u"txtImporto"_s,
         .label = u"Importo:"_s,
         .kind = FieldKind::Amount,
         .at = {0, 1, 4},
         .places = 2,
         .normalise = money::normalisedMovementAmount},
        {.control = u"chkSaldato"_s,
         .label = u"Saldato"_s,
         .kind = FieldKind::Check,
         .at = {0, 1, 5}},
    };
    c.attachmentTag = u"movimenti"_s;
    c.saveChecks = {{u"grpTipo"_s, u"tipo"_s}, {u"txtCausale"_s, u"causale"_s}};
    c.reportTitle = u"SCHEDA"_s;
    c.report = {{u"Causale:"_s, u"[{txtCausale}] {txtImporto} \u20AC"_s}};
    return c;
}

class ProvaCard : public RecordCard {
public:
    ProvaCard() : RecordCard(movementCard()) {}
};

TEST(CardDeclaration, SoundDeclarationHasNoFault) {
    EXPECT_EQ(declarationFaults(movementCard()), QStringList());
}

TEST(CardDeclaration, NamesEveryFault) {
    struct Case {
        const char* what;
        std::function<void(RecordCardDecl&)> spoil;
        QString fault;
    };
    const Case cases[] = {
        {"a control named after a field the record lacks",
         [](auto& c) {
             c.fields.append({.control = u"txtCausal"_s, .at = {0, 2, 0}});
         },
         u"txtCausal: the record has no field Causal"_s},
        {"a misspelt field named outright",
         [](auto& c) {
             c.fields.append(
                 {.control = u"lblX"_s, .field = u"Fil01"_s, .kind = FieldKind::Hidden});
         },
         u"lblX: the record has no field Fil01"_s},
        {"a choice flag the record lacks",
         [](auto& c) { c.fields[0].options[1].field = u"Uscite"_s; },
         u"optUscita: the record has no field Uscite"_s},
        {"a section that is not declared",
         [](auto& c) {
             c.fields.append({.control = u"txtNote"_s, .at = {3, 0, 0}});
         },
         u"txtNote: no section 3"_s},
        {"a required control that is not on the card",
         [](auto& c) {
             c.saveChecks.append({u"txtNote"_s, u"note"_s});
         },
         u"required txtNote is not a control of the card"_s},
        {"a save rule focusing no control",
         [](auto& c) {
             c.saveChecks.append({.control = u"txtNote"_s, .rule = [](const CardTexts&) {
                                      return std::optional<SaveFault>();
                                  }});
         },
         u"save check txtNote is not a control of the card"_s},
        {"a derived field that is not on the card",
         [](auto& c) {
             c.derived.append({u"txtTotale"_s, [](const CardTexts&) { return QString(); }});
         },
         u"derived txtTotale is not a control of the card"_s},
        {"an import from a button that is not on the card",
         [](auto& c) {
             c.imports.append({u"impCliente"_s, {}, &records::clientLayout(), {}});
         },
         u"import impCliente is not a button of the card"_s},
        {"an import pairing a field its record lacks",
         [](auto& c) {
             c.imports.append({u"txtCausale"_s,
                               {},
                               &records::clientLayout(),
                               {{u"Causale"_s, u"txtCausale"_s}}});
         },
         u"import txtCausale: its record has no field Causale"_s},
        {"an import filling a control that is not on the card",
         [](auto& c) {
             c.imports.append({u"txtCausale"_s,
                               {},
                               &records::clientLayout(),
                               {{u"Cliente"_s, u"txtPagatore"_s}}});
         },
         u"import txtCausale fills no control txtPagatore"_s},
        {"a date field without its calendar tag",
         [](auto& c) {
             c.fields.append({.control = u"txtData"_s, .kind = FieldKind::Date, .at = {0, 2, 0}});
         },
         u"txtData: a date field names no calendar tag"_s},
        {"a report row naming no control",
         [](auto& c) {
             c.report.append({u"Note:"_s, u"{txtNote}"_s});
         },
         u"report row Note: names no control txtNote"_s},
        {"a first focus that is not on the card", [](auto& c) { c.firstFocus = u"txtNote"_s; },
         u"first focus txtNote is not a control of the card"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordCardDecl config = movementCard();
        c.spoil(config);
        EXPECT_EQ(declarationFaults(config), QStringList{c.fault});
    }
}

TEST(CardDeclarationDeathTest, CardWithAFaultStopsAtStartUp) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    class Broken : public RecordCard {
    public:
        Broken()
            : RecordCard([] {
                  RecordCardDecl c = movementCard();
                  c.fields.append({.control = u"txtImporti"_s, .at = {0, 2, 0}});
                  return c;
              }()) {}
    };
    EXPECT_DEATH(Broken(), "TfrmProva is declared wrongly: txtImporti: the record has no "
                           "field Importi");
}

// A choice stored as two flags writes "Sì" into the chosen one and "No" into the other;
// loading ticks the button of the flag that is "Sì" and leaves the buttons alone when
// neither is.
TEST(CardDeclaration, ChoiceOfTwoFlagsRoundTrip) {
    ProvaCard card;
    card.clearCard();
    child<QRadioButton>(&card, u"optUscita"_s)->setChecked(true);
    card.setText(u"txtCausale"_s, u"Affitto"_s);
    card.setText(u"chkSaldato"_s, u"S\u00EC"_s);
    records::Record record(records::movementLayout());
    card.storeInto(record);
    const QByteArray& bytes = record.bytes();
    EXPECT_EQ(bytes.mid(0, 3), QByteArray("\x02No"));       // Entrata
    EXPECT_EQ(bytes.mid(3, 3), QByteArray("\x02S\xEC"));    // Uscita
    EXPECT_EQ(bytes.mid(1905, 3), QByteArray("\x02S\xEC")); // Saldato
    EXPECT_EQ(card.text(u"grpTipo"_s), u"Uscita"_s);

    card.clearCard();
    EXPECT_EQ(card.text(u"grpTipo"_s), QString());
    EXPECT_EQ(card.text(u"chkSaldato"_s), u"No"_s);
    card.loadFrom(record);
    EXPECT_TRUE(child<QRadioButton>(&card, u"optUscita"_s)->isChecked());
    EXPECT_EQ(card.text(u"txtCausale"_s), u"Affitto"_s);
    EXPECT_EQ(card.text(u"chkSaldato"_s), u"S\u00EC"_s);

    records::Record damaged(records::movementLayout());
    damaged.setText(u"Entrata", u"forse"_s);
    damaged.setText(u"Uscita", u"No"_s);
    card.loadFrom(damaged);
    // "No" unchecks its button; a damaged flag leaves its own as it was.
    EXPECT_FALSE(child<QRadioButton>(&card, u"optUscita"_s)->isChecked());
    EXPECT_FALSE(child<QRadioButton>(&card, u"optEntrata"_s)->isChecked());
    EXPECT_EQ(card.text(u"grpTipo"_s), QString());
    damaged.setText(u"Entrata", u"S\u00EC"_s);
    damaged.setText(u"Uscita", u"??"_s);
    card.loadFrom(damaged);
    EXPECT_EQ(card.text(u"grpTipo"_s), u"Entrata"_s);
}

TEST(CardDeclaration, AmountIsNormalisedWhenLeftAndReportFillsPlaceholders) {
    ProvaCard card;
    card.show();
    card.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    auto* amount = child<QLineEdit>(&card, u"txtImporto"_s);
    auto* reason = child<QLineEdit>(&card, u"txtCausale"_s);
    amount->setFocus();
    amount->setText(u"0,125"_s);
    reason->setFocus(); // leaving the amount
    EXPECT_EQ(amount->text(), u"0,13"_s);
    card.setText(u"txtCausale"_s, u"  Affitto "_s);
    const report::CardReport printed = card.cardReport();
    EXPECT_EQ(printed.title, u"SCHEDA"_s);
    ASSERT_EQ(printed.rows.size(), 1);
    EXPECT_EQ(printed.rows[0].value, u"[Affitto] 0,13 \u20AC"_s);
    EXPECT_TRUE(printed.footer.startsWith(u"Stampa eseguita in data "_s));
}

// The attachment labels come with the declaration, bound to File01..Desc03.
TEST(CardDeclaration, AttachmentsAddTheSixBoundLabels) {
    ProvaCard card;
    card.setText(u"lblDesc03"_s, u"ricevuta"_s);
    records::Record record(records::movementLayout());
    card.storeInto(record);
    EXPECT_EQ(record.text(u"Desc03"), u"ricevuta"_s);
    card.clearCard();
    EXPECT_EQ(card.text(u"lblDesc03"_s), QString());
}

// A card whose Save declares each kind of step: a required choice, a normaliser, a length
// check, a rule with its own plain message, and a field derived once every check passes; and
// two imports of a client, one from a picture button and one from a command.
RecordCardDecl checkedCard(const std::function<std::optional<ChosenRecord>(QWidget*)>& search) {
    RecordCardDecl c = movementCard();
    c.archive = records::ArchiveKind::Movements;
    c.fields.append({.control = u"txtPagatore"_s, .at = {0, 2, 0, 2}});
    c.fields.append({.control = u"txtRecapitoPag"_s, .at = {0, 2, 2, 2}});
    c.fields.append({.control = u"impPagatore"_s, .kind = FieldKind::Picture, .at = {0, 2, 4}});
    c.fields.append({.control = u"txtTotale"_s, .field = u"Totale"_s, .kind = FieldKind::Hidden});
    c.commands = {{u"cmdImporta"_s, u"Importa"_s, u"I"_s}};
    c.saveChecks = {
        {u"grpTipo"_s, u"tipo"_s},
        {.control = u"txtImporto"_s, .normalise = money::normalisedMovementAmount},
        {u"txtCausale"_s, u"causale"_s},
        {u"txtCausale"_s, u"tre lettere"_s, 3},
        {.control = u"txtImporto"_s,
         .rule = [](const CardTexts& texts) -> std::optional<SaveFault> {
             if (texts(u"txtImporto"_s) != u"0,00"_s) return std::nullopt;
             return SaveFault{u"importo nullo per "_s + texts(u"txtCausale"_s), true};
         }},
    };
    c.derived = {{u"txtTotale"_s, [](const CardTexts& texts) {
                      return movements::signedTotal(texts(u"grpTipo"_s) == u"Entrata"_s,
                                                    texts(u"txtImporto"_s));
                  }}};
    const QList<std::pair<QString, QString>> client = {{u"Cliente"_s, u"txtPagatore"_s},
                                                       {u"Recapito"_s, u"txtRecapitoPag"_s}};
    c.imports = {{u"impPagatore"_s, search, &records::clientLayout(), client},
                 {u"cmdImporta"_s, search, &records::clientLayout(), client.mid(0, 1)}};
    return c;
}

class CheckedCard : public RecordCard {
public:
    explicit CheckedCard(const std::function<std::optional<ChosenRecord>(QWidget*)>& search = {})
        : RecordCard(checkedCard(search)) {}
};

TEST(CardSave, DeclaredChecksRunInOrderAndTheFirstFailureSpeaksAndTakesTheFocus) {
    struct Case {
        const char* what;
        QString type, reason, amount;
        QString message;
        QMessageBox::Icon icon;
        QString focus;
        QString amountAfter;
    };
    const Case cases[] = {
        {"no type: nothing after it runs, the amount stays as typed",
         {},
         {},
         u"5"_s,
         u"tipo"_s,
         QMessageBox::Warning,
         u"optEntrata"_s,
         u"5"_s},
        {"the amount is normalised before a later check fails",
         u"Entrata"_s,
         {},
         u"5"_s,
         u"causale"_s,
         QMessageBox::Warning,
         u"txtCausale"_s,
         u"5,00"_s},
        {"a length check", u"Entrata"_s, u" Af "_s, u"5"_s, u"tre lettere"_s, QMessageBox::Warning,
         u"txtCausale"_s, u"5,00"_s},
        {"a rule over the card's texts, with its own plain message",
         u"Uscita"_s,
         u"Affitto"_s,
         {},
         u"importo nullo per Affitto"_s,
         QMessageBox::NoIcon,
         u"txtImporto"_s,
         u"0,00"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckedCard card;
        card.show();
        card.clearCard();
        card.setText(u"grpTipo"_s, c.type);
        card.setText(u"txtCausale"_s, c.reason);
        card.setText(u"txtImporto"_s, c.amount);
        child<QWidget>(&card, u"txtPagatore"_s)->setFocus();
        const test::SeenBox box = test::answerNextBox([&] { card.cmdSalvaClick(); });
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.icon, c.icon);
        EXPECT_EQ(card.focusWidget(), child<QWidget>(&card, c.focus));
        EXPECT_EQ(card.text(u"txtImporto"_s), c.amountAfter);
        EXPECT_EQ(card.text(u"txtTotale"_s), QString()) << "derived only when every check passes";
        EXPECT_EQ(card.position(), 0);
    }
}

TEST(CardSave, DerivedFieldsAreWrittenOnceEveryCheckPassesAndStored) {
    test::makeProgramFolder();
    CheckedCard card;
    card.openYear(u"2025"_s);
    card.clearCard();
    card.setText(u"grpTipo"_s, u"Uscita"_s);
    card.setText(u"txtCausale"_s, u"Affitto"_s);
    card.setText(u"txtImporto"_s, u"12,5"_s);
    const test::SeenBox box = test::answerNextBox([&] { card.cmdSalvaClick(); });
    EXPECT_EQ(box.text, u"La scheda corrente \u00E8 stata inserita in archivio."_s);
    EXPECT_EQ(card.text(u"txtTotale"_s), u"-12,50"_s);
    ASSERT_EQ(card.position(), 1);
    const std::unique_ptr<records::OpenArchive> stored = card.archive()->open();
    ASSERT_TRUE(stored);
    QByteArray bytes;
    ASSERT_TRUE(stored->read(1, bytes));
    EXPECT_EQ(records::Record(records::movementLayout(), bytes).text(u"Totale"), u"-12,50"_s);
}

// The declared button opens the search over the card; the record chosen there fills exactly
// the declared controls with its trimmed fields, and a search closed without a choice
// changes nothing.
TEST(CardImport, TheDeclaredButtonCopiesExactlyItsPairs) {
    const records::Record client = test::makeRecord(
        records::clientLayout(),
        {{u"Cliente", u" Neri Paola "_s}, {u"Recapito", u"06 1234"_s}, {u"Email", u"p@n.it"_s}});
    struct Case {
        const char* what;
        QString button;
        bool chosen;
        QString payer, address;
    };
    const Case cases[] = {
        {"a picture button with two pairs", u"impPagatore"_s, true, u"Neri Paola"_s, u"06 1234"_s},
        {"a command with one pair", u"cmdImporta"_s, true, u"Neri Paola"_s, u"prima"_s},
        {"a search closed without a choice", u"impPagatore"_s, false, u"prima"_s, u"prima"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QList<QWidget*> openedOver;
        CheckedCard card([&](QWidget* over) -> std::optional<ChosenRecord> {
            openedOver << over;
            if (!c.chosen) return std::nullopt;
            return ChosenRecord{client.bytes(), 3};
        });
        card.clearCard();
        for (const QString& name : {u"txtPagatore"_s, u"txtRecapitoPag"_s, u"txtCausale"_s})
            card.setText(name, u"prima"_s);
        child<QAbstractButton>(&card, c.button)->click();
        EXPECT_EQ(openedOver, QList<QWidget*>{&card});
        EXPECT_EQ(card.text(u"txtPagatore"_s), c.payer);
        EXPECT_EQ(card.text(u"txtRecapitoPag"_s), c.address);
        EXPECT_EQ(card.text(u"txtCausale"_s), u"prima"_s);
    }
}

} // namespace
