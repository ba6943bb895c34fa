#pragma once

#include "ui/common/report/reportdata.h"

#include <QDialog>
#include <QList>
#include <functional>

class QLineEdit;

namespace tavolex::ui {

// " Documenti associati alla pratica": the 32 positional entries of a practice's document
// list. The card fills it with setEntries() and, when exec() returns Accepted ("Applica e
// chiudi"), takes entries() back; "Annulla" changes nothing. Its print shows the card's
// header as on screen and the entries as typed here.
class TfrmDettagli : public QDialog {
    Q_OBJECT
public:
    static constexpr int kEntries = 32;
    static QString labelName(int entry); // lblDoc01 ... lblDoc32 on the practice card
    static QString fieldName(int entry); // Doc01 ... Doc32 in the record

    explicit TfrmDettagli(QWidget* parent = nullptr);

    void setEntries(const QStringList& entries);
    QStringList entries() const; // trimmed, 32 of them

    // The text of a practice card control, for the printed header.
    void setPrintedCard(std::function<QString(const QString& control)> cardText);
    report::CardReport printedList() const;

    void btnAnteprimaClick();
    void btnStampaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QList<QLineEdit*> m_fields;
    std::function<QString(const QString&)> m_cardText;
};

} // namespace tavolex::ui
