#pragma once

#include "help/helptexts.h"

#include <QColor>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// What a year menu declares; the pattern builds the rest.
struct YearMenuDecl {
    QString objectName;
    QString caption;
    // The title tile: glyph, colour and text.
    QString tileGlyph;
    QColor tileColour;
    QString tileText;
    QString intro;    // the text above the box
    QString boxTitle; // the box around "Anno:", the year field and "Apri"
    // The caller tag set by "Apri", and the card that closing under that tag asks for.
    QString openTag;
    QString cardName;
    // Whether the year text (as typed) names an archive; a refusal gives the four-digit
    // warning.
    bool (*isAcceptableYear)(const QString& yearText) = nullptr;
    help::HelpText (*help)() = nullptr;
};

// The year menu of an application with yearly archives: the year field
// txtAnnoPreventivi (current year on every showing), "Apri" (btnApriPreventivi), which
// hands the year on (yearChosen), and the pictures imgGuida and imgEsci.
// The hidden tag lblMemory decides what closing asks for: "avvio" (set on showing) the
// main menu (finished), the open tag (set by "Apri") the card (cardRequested). The menu
// knows no other screen: the shell connects these signals.
class YearMenu : public QWidget {
    Q_OBJECT
public:
    QString callerTag() const;
    const QString& cardName() const { return m_decl.cardName; }

    void btnApriPreventiviClick();
    void imgGuidaClick();
    void imgEsciClick();

Q_SIGNALS:
    // An accepted year, as typed.
    void yearChosen(const QString& yearText);
    void cardRequested();
    void finished();

protected:
    YearMenu(const YearMenuDecl& decl, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    YearMenuDecl m_decl;
    QLineEdit* m_year;
    QPushButton* m_open;
    QLabel* m_memory;
};

} // namespace tavolex::ui
