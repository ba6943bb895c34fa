#pragma once

#include "report/reportdata.h"

#include <QDialog>

namespace tavolex::ui {

// What a "print this record" screen declares; the pattern builds the rest.
struct PrintRecordDecl {
    QString objectName;
    QString caption; // with its leading blank
    QString text;    // the one line above the buttons
    // "Annulla" before "Stampa" ("Stampa" stays the default button); otherwise "Stampa" first.
    bool cancelFirst = false;
};

// The "print this record" pattern: a small fixed-size dialog with one line of text, "Stampa"
// (btnStampa), which prints the card report its caller hands it through the print dialog
// and closes, and "Annulla" (btnAnnulla), which closes.
class PrintRecordScreen : public QDialog {
    Q_OBJECT
public:
    void setCardReport(report::CardReport report);
    const report::CardReport& cardReport() const { return m_report; }

    void btnStampaClick();
    void btnAnnullaClick();

protected:
    PrintRecordScreen(const PrintRecordDecl& decl, QWidget* parent);

private:
    report::CardReport m_report;
};

} // namespace tavolex::ui
