#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;

namespace tavolex::ui {

// The date import screen: writes the calendar's date, dd/mm/yyyy, into the field
// named by its caller tag.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* parent = nullptr);
    void setTag(const QString& tag);
    QString tag() const;
    void setDate(const QDate& date);

    // The field a tag writes into: screen objectName and field objectName.
    static bool targetFor(const QString& tag, QString* screen, QString* field);

    void btnImportaDataClick();

private:
    QLabel* m_memory;
    QCalendarWidget* m_calendar;
};

// A read-only date field filled from the date import screen: Backspace or Delete
// empties it, any other key opens the calendar with `tag`.
void installDateField(QLineEdit* field, const QString& tag);

} // namespace tavolex::ui
