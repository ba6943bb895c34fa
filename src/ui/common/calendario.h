#pragma once

#include <QDate>
#include <QDialog>
#include <optional>

class QCalendarWidget;
class QLabel;
class QLineEdit;

namespace tavolex::ui {

// The date import screen: the user picks a day and "Importa" hands it back to the caller.
// The caller tag (kept in lblMemory) says which field asked; the screen opened by anything
// but pick() has no caller to hand the date to, so "Importa" does nothing and it stays open.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* parent = nullptr);
    void setTag(const QString& tag);
    QString tag() const;
    void setDate(const QDate& date);

    // Shows the screen modally over `parent`; the chosen date, or nothing when cancelled.
    static std::optional<QDate> pick(QWidget* parent, const QString& tag);
    // The date "Importa" accepted, if it did.
    std::optional<QDate> chosen() const { return m_chosen; }

    void btnImportaDataClick();

private:
    QLabel* m_memory;
    QCalendarWidget* m_calendar;
    std::optional<QDate> m_chosen;
    bool m_handsBack = false; // opened by pick(): a caller waits for the date
};

// A read-only date field filled from the date import screen: Backspace or Delete
// empties it, any other key opens the calendar with `tag` and writes the date picked,
// dd/mm/yyyy, into the field.
// Enter too opens the calendar, so a card's Enter order does not move on from such a field.
void installDateField(QLineEdit* field, const QString& tag);
bool isDateField(const QWidget* field);

} // namespace tavolex::ui
