// The card pattern's declarations: what a declared card refuses, and how its kinds of
// control bind record fields.
#include "money/normalise.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/uitest.h"
#include "ui/common/recordcard.h"

#include <QLineEdit>
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
    c.required = {{u"grpTipo"_s, u"tipo"_s}, {u"txtCausale"_s, u"causale"_s}};
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
             c.required.append({u"txtNote"_s, u"note"_s});
         },
         u"required txtNote is not a control of the card"_s},
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

} // namespace
