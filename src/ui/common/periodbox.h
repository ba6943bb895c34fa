#pragma once

#include <QDate>
#include <QGroupBox>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;

namespace tavolex::ui {

class ScreenBehaviour;

// The names and heading of one day of a period.
struct PeriodBoxDecl {
    QString title;      // the group's heading, e.g. " Data inizio intervallo: "
    QString dayName;    // the day drop-down: "01" … "31"
    QString monthName;  // the month drop-down: "Gennaio" … "Dicembre"
    QString yearName;   // the label beside them showing the year the day belongs to
    QStringList months; // the month drop-down's items, January first
};

// One day of a year chosen from two drop-down lists, with the year shown beside them. The
// drop-downs take no typing at all (only Enter, Tab and the keys that open the list): the
// value is picked from the list, through the screen's own pick-only rule.
class PeriodBox : public QGroupBox {
    Q_OBJECT
public:
    PeriodBox(const PeriodBoxDecl& decl, ScreenBehaviour* behaviour, QWidget* parent);

    QComboBox* dayField() const { return m_day; }
    QComboBox* monthField() const { return m_month; }
    // The chosen day and month as shown; empty while nothing is chosen.
    QString dayText() const;
    QString monthText() const;
    void setYear(const QString& year);
    // No day and no month chosen.
    void clearChoice();

private:
    QComboBox* m_day;
    QComboBox* m_month;
    QLabel* m_year;
};

} // namespace tavolex::ui
