#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLineEdit;

namespace tavolex::ui {

class ScreenBehaviour;

// One box of a year chooser: its heading, the names of its year field and button, and the
// button's caption.
struct YearBox {
    QString title;
    QString yearField = QStringLiteral("txtAnnoPreventivi");
    QString button = QStringLiteral("btnApriPreventivi");
    QString caption = QStringLiteral("Apri");
};

// Boxes side by side, each "Anno:", a four-digit year field (digits only, Enter moves to
// its button) and a button that hands the year on. A year menu is made of it, and so is
// the start panel of a screen that opens its year in a second panel.
class YearBoxes : public QWidget {
    Q_OBJECT
public:
    // `isAcceptableYear` decides on the year text as typed; by default exactly four
    // characters. A refused year gives the four-digit warning and the focus goes back to it.
    YearBoxes(const QList<YearBox>& boxes, ScreenBehaviour* behaviour, QWidget* parent,
              bool (*isAcceptableYear)(const QString& yearText) = nullptr);

    // The current year in every field, the focus in the first one.
    void reset();
    QLineEdit* yearField(int box) const { return m_fields.value(box); }

    // Pressing the button of `box`.
    void choose(int box);

Q_SIGNALS:
    // An accepted year, as typed, from box `box`.
    void yearChosen(int box, const QString& yearText);

private:
    QList<QLineEdit*> m_fields;
    bool (*m_isAcceptableYear)(const QString&);
};

} // namespace tavolex::ui
