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

// Runs `work` on a worker thread (it must touch no widget) and waits for its result. The
// screen keeps painting and shows `waitLabel` (when given) meanwhile, but takes no input:
// keys and clicks wait until the work is done, as they would behind a synchronous scan,
// and closing is refused.
template <typename Result> Result runWaiting(QLabel* waitLabel, std::function<Result()> work) {
    CloseBlocker blocker;
    if (waitLabel) waitLabel->show();
    QFutureWatcher<Result> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(std::move(work)));
    if (!watcher.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (waitLabel) waitLabel->hide();
    return watcher.result();
}

} // namespace tavolex::ui
