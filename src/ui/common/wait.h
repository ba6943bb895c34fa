#pragma once

#include <QEventLoop>
#include <QFutureWatcher>
#include <QLabel>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>

namespace tavolex::ui {

// While alive, no window can be closed: a close request is refused, as a program busy with
// a long operation would leave it unanswered.
class CloseBlocker : public QObject {
public:
    CloseBlocker();
    ~CloseBlocker() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// While alive, the pointer shows that the program is busy.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs `work` on a worker thread (it must touch no widget) and waits for its result. The
// screen keeps painting and shows `waitLabel` (when given) meanwhile, but takes no input:
// keys and clicks wait until the work is done, as they would behind a synchronous scan,
// and closing is refused.
template <typename Result> Result runWaiting(QLabel* waitLabel, std::function<Result()> work) {
    CloseBlocker blocker;
    BusyCursor busy;
    if (waitLabel) waitLabel->show();
    QFutureWatcher<Result> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(std::move(work)));
    if (!watcher.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (waitLabel) waitLabel->hide();
    return watcher.result();
}

// Reports how far long work has come (`done` of the total given) and answers false once the
// user has asked to stop it.
using Progress = std::function<bool(qsizetype done)>;

// Runs `work` on a worker thread (it must touch no widget) behind the progress window
// dlgAvanzamento: `label`, a bar up to `total` and "Annulla", shown once the work has taken
// more than a moment. Meanwhile no other window takes input and closing is refused;
// "Annulla" makes `progress` answer false, and the work is expected to stop and give back
// what it gives back when stopped.
template <typename Result>
Result runWithProgress(QWidget* parent, const QString& label, qsizetype total,
                       std::function<Result(const Progress& progress)> work);

class ProgressWindow;

// The non-template part of runWithProgress: the window, the input blocking and the wait.
void waitWithProgress(QWidget* parent, const QString& label, qsizetype total,
                      const std::function<QFuture<void>(const Progress&)>& start);

template <typename Result>
Result runWithProgress(QWidget* parent, const QString& label, qsizetype total,
                       std::function<Result(const Progress& progress)> work) {
    QFuture<Result> future;
    waitWithProgress(parent, label, total, [&](const Progress& progress) {
        future = QtConcurrent::run([work = std::move(work), progress] { return work(progress); });
        return QFuture<void>(future);
    });
    return future.result();
}

} // namespace tavolex::ui
