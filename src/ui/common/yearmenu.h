#pragma once

#include "help/helptexts.h"
#include "yearboxes.h"

#include <QColor>
#include <QWidget>

class QLabel;

namespace tavolex::ui {

// What a year menu declares; the pattern builds the rest.
struct YearMenuDecl {
    QString objectName;
    QString caption;
    // The title tile: glyph, colour and text.
    QString tileGlyph;
    QColor tileColour;
    QString tileText;
    QString intro; // the text above the boxes
    // The year boxes: one ("Apri", which closes the menu for the card) or several (each
    // "Visualizza" opening a list over the menu, which stays).
    QList<YearBox> boxes;
    // The caller tag set when a year is chosen, and the card that closing under that tag
    // asks for; without a card, choosing a year leaves the menu open.
    QString openTag;
    QString cardName;
    // Whether the year text (as typed) names an archive; a refusal gives the four-digit
    // warning.
    bool (*isAcceptableYear)(const QString& yearText) = nullptr;
    help::HelpText (*help)() = nullptr;
};

// The year menu of an application with yearly archives: its year boxes (current year on
// every showing), whose buttons hand the year on (yearChosen), and the pictures imgGuida and
// imgEsci.
// The hidden tag lblMemory decides what closing asks for: "avvio" (set on showing) the
// main menu (finished), the open tag (set by "Apri") the card (cardRequested). The menu
// knows no other screen: the shell connects these signals.
class YearMenu : public QWidget {
    Q_OBJECT
public:
    QString callerTag() const;
    const QString& cardName() const { return m_decl.cardName; }

    void btnApriPreventiviClick(); // the first box's button
    void imgGuidaClick();
    void imgEsciClick();

Q_SIGNALS:
    // An accepted year, as typed, from box `box`.
    void yearChosen(int box, const QString& yearText);
    void cardRequested();
    void finished();

protected:
    YearMenu(const YearMenuDecl& decl, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    YearMenuDecl m_decl;
    YearBoxes* m_boxes;
    QLabel* m_memory;
};

} // namespace tavolex::ui
