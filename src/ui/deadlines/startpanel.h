#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QPushButton;

namespace tavolex::ui {

class ScreenBehaviour;
class YearBoxes;

// The start panel panAvvio of the deadline card: the year box that opens a year's archive, the
// warning of imminent deadlines with OK to list them, and the calendar of the day and month
// lists. It only shows and asks: the card reads the archives and opens the lists.
class DeadlineStartPanel : public QWidget {
    Q_OBJECT
public:
    // `calendarDate` is the day the calendar shows selected.
    DeadlineStartPanel(ScreenBehaviour* behaviour, const QDate& calendarDate, QWidget* card);

    // Empties the year box.
    void resetYear();
    // Shows the warning sign and enables OK when deadlines are imminent, the all-clear sign
    // otherwise.
    void showImminent(bool imminent);
    QDate calendarDate() const;

Q_SIGNALS:
    void helpRequested();
    void exitRequested();
    void yearChosen(const QString& yearText);
    void imminentRequested();
    void dayRequested();
    void monthRequested();

private:
    YearBoxes* m_year;
    QWidget* m_present;
    QWidget* m_absent;
    QPushButton* m_ok;
    QCalendarWidget* m_calendar;
};

} // namespace tavolex::ui
