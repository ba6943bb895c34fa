#pragma once

#include "deadlines/rules.h"
#include "ui/common/listscreen.h"
#include "ui/common/searchscreen.h"
#include "ui/common/yearlyarchive.h"

namespace tavolex::ui {

// A confirmation list: the deadlines of the open year in one state, as sorted summary lines;
// a double-click hands the deadline back to the card.
class ConfirmationListScreen : public ListScreen, public YearlyArchive {
    Q_OBJECT
public:
    void FormShow();

protected:
    ConfirmationListScreen(deadlines::ConfirmationList list, const QString& objectName,
                           QWidget* parent);
    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
    void showEvent(QShowEvent* event) override;

private:
    deadlines::ConfirmationList m_list;
};

// " Riepilogo pagamenti da effettuare" (Effettuato "No").
class TfrmConfermati : public ConfirmationListScreen {
    Q_OBJECT
public:
    explicit TfrmConfermati(QWidget* parent = nullptr);
};

// " Riepilogo pagamenti effettuati" (Effettuato "Sì").
class TfrmNonConfermati : public ConfirmationListScreen {
    Q_OBJECT
public:
    explicit TfrmNonConfermati(QWidget* parent = nullptr);
};

// " Riepilogo appuntamenti da confermare" (DaConfermare "Sì").
class TfrmDaConfermare : public ConfirmationListScreen {
    Q_OBJECT
public:
    explicit TfrmDaConfermare(QWidget* parent = nullptr);
};

// " Trova scadenze pagamenti in archivio": ten filters over the open year's deadlines; a
// double-click hands the deadline back when the caller is the card ("Scadenzario").
class TfrmTrovaScadenzario : public SearchScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmTrovaScadenzario(QWidget* parent = nullptr);

protected:
    bool runSearch(const QStringList& filterTexts, lists::ListedLines* lines) override;
    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
};

} // namespace tavolex::ui
