#pragma once

#include "deadlines/rules.h"
#include "ui/common/exportgrid.h"
#include "ui/common/yearlyarchive.h"

#include <QDate>

namespace tavolex::ui {

// A due-date list: the deadlines a rule selects from one yearly archive, sorted by their
// order key (each row keeping its file-order number), with the payment cells and the key
// open to retyping for the export only.
class DueListScreen : public GridScreen {
    Q_OBJECT
public:
    // The calendar date of the daily and monthly lists (the imminent list uses today).
    void setCalendarDate(const QDate& date) { m_calendarDate = date; }

protected:
    DueListScreen(deadlines::DueList list, const QString& objectName, QWidget* parent);
    void prepare() override;

private:
    deadlines::DueList m_list;
    QDate m_calendarDate;
};

// " Scadenze imminenti": the current year's deadlines in their notice window.
class TfrmExpImminenti : public DueListScreen {
    Q_OBJECT
public:
    explicit TfrmExpImminenti(QWidget* parent = nullptr);
};

// " Scadenze del giorno": the deadlines due on the calendar date.
class TfrmExpGiornaliere : public DueListScreen {
    Q_OBJECT
public:
    explicit TfrmExpGiornaliere(QWidget* parent = nullptr);
};

// " Scadenze del mese": the deadlines due in the calendar date's month.
class TfrmExpMensili : public DueListScreen {
    Q_OBJECT
public:
    explicit TfrmExpMensili(QWidget* parent = nullptr);
};

// " Esporta archivio Scadenzario pagamenti": every deadline of the open year, in file order.
class TfrmExpScadenzario : public GridScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmExpScadenzario(QWidget* parent = nullptr);

protected:
    void prepare() override;
};

} // namespace tavolex::ui
