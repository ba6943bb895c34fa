#pragma once

#include "deadlines/rules.h"
#include "ui/common/listscreen.h"
#include "ui/common/searchscreen.h"

namespace tavolex::ui {

// A confirmation list: the deadlines of the open year in one state, as sorted summary lines;
// a double-click hands the deadline back to the card.
class ConfirmationListScreen : public ListScreen {
    Q_OBJECT
public:
    void setArchivePath(const QString& path) { m_archive = path; }
    void FormShow();

protected:
    ConfirmationListScreen(deadlines::ConfirmationList list, const QString& objectName,
                           QWidget* parent);
    std::optional<ChosenRecord> findEntry(const QString& line, qint64 listedAt) override;
    void showEvent(QShowEvent* event) override;

private:
    deadlines::ConfirmationList m_list;
    QString m_archive;
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
class TfrmTrovaScadenzario : public SearchScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaScadenzario(QWidget* parent = nullptr);
    void setArchivePath(const QString& path) { m_archive = path; }

protected:
    bool runSearch(const QStringList& filterTexts, lists::ListedLines* lines) override;
    std::optional<ChosenRecord> findEntry(const QString& line, qint64 listedAt) override;

private:
    QString m_archive;
};

} // namespace tavolex::ui
