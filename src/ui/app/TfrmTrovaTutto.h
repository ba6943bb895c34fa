#pragma once

#include "search/everywhere.h"

#include <QFuture>
#include <QThreadPool>
#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QTableView;

namespace tavolex::ui {

class FoundRecordsModel;

// " Tavolex - Trova ovunque": one text (txtCerca) searched in every text field of every
// archive of the program folder; the records holding it (lstRisultati) appear as they are
// found, ordered by archive and year, with the count in lblConteggio. The scan runs on a
// worker thread; a new search or closing the screen cancels it. A double-click or Enter on
// a row hands the record back (recordRequested): the shell opens its card. The screen
// knows no application screen. Closing it clears it; opening a card only hides it, so the
// results are there again when the card is closed.
class TfrmTrovaTutto : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTrovaTutto(QWidget* parent = nullptr);
    ~TfrmTrovaTutto() override;

    // Starts a search of the text in txtCerca, cancelling the one running.
    void cmdTrovaClick();
    void cmdGuidaClick();
    // Hands the record of result row `row` back to the shell.
    void openRow(int row);
    // Whether a scan is still running.
    bool isSearching() const;
    // Waits until the running scan has ended and its last results are shown (for callers
    // that must see the final count).
    void waitForSearch();

Q_SIGNALS:
    void recordRequested(tavolex::search::ArchiveKind kind, int year, qint64 record);
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Job {
        std::atomic<bool> cancel{false};
    };
    // What the worker hands over: the hits found since its last batch; at the end, the totals.
    void addHits(int generation, std::vector<search::Hit> hits);
    void searchEnded(int generation, qint64 damaged, int unreadable);
    void cancelSearch();
    void showCount();

    QLineEdit* m_text;
    QTableView* m_results;
    FoundRecordsModel* m_model;
    QLabel* m_count;
    QLabel* m_hintBar;
    // A thread of its own, so that a long scan never holds up the waits of the other
    // screens on the shared pool.
    QThreadPool m_pool;
    std::shared_ptr<Job> m_job;
    QFuture<void> m_future;
    int m_generation = 0;
    bool m_running = false;
    int m_archives = 0;
    std::optional<std::pair<search::ArchiveKind, int>> m_lastArchive;
    qint64 m_damaged = 0;
    int m_unreadable = 0;
};

} // namespace tavolex::ui
