#pragma once

#include "accounts/cashbook.h"
#include "ui/common/listscreen.h"

class QLabel;

namespace tavolex::ui {

// " Tavolex - Primanota e Bilancio": the cash book of a period, made by the period screen.
// Its movement lines with "Trova", the three exact totals, "Stampa primanota" and help.
class TfrmBilancio : public ListScreen {
    Q_OBJECT
public:
    explicit TfrmBilancio(QWidget* parent = nullptr);

    // What the screen shows: the filter as typed, the two dates of the interval and the cash
    // book read over them.
    void setCashBook(const QString& reasonFilter, const QString& startText, const QString& endText,
                     const accounts::CashBook& book);

    // Asks, then prints the lines, the interval and the totals; an empty cash book is refused.
    void btnStampaClick();
    void imgGuidaClick();

    // The printed cash book ("Primanota"): title, lines, interval and totals.
    report::ListReport cashBookReport() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_titTipologia;
    QLabel* m_intervallo;
    QLabel* m_totEntrate;
    QLabel* m_totUscite;
    QLabel* m_bilancio;
    QString m_filter;
    money::Totals m_totals;
};

} // namespace tavolex::ui
