#include "wait.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>

namespace tavolex::ui {

CloseBlocker::CloseBlocker() {
    QCoreApplication::instance()->installEventFilter(this);
}

CloseBlocker::~CloseBlocker() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool CloseBlocker::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::Close) return false;
    event->ignore();
    return true;
}

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

namespace {

using namespace Qt::Literals::StringLiterals;

// Swallows keys and clicks meant for any window but `allowed`.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget* allowed) : m_allowed(allowed) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride: {
            auto* widget = qobject_cast<QWidget*>(watched);
            return !(widget && (widget == m_allowed || m_allowed->isAncestorOf(widget)));
        }
        default:
            return false;
        }
    }

private:
    QWidget* m_allowed;
};

// The window shows after this long without the work being done.
constexpr int kShowAfterMs = 200;
constexpr int kRefreshMs = 50;

} // namespace

void waitWithProgress(QWidget* parent, const QString& label, qsizetype total,
                      const std::function<QFuture<void>(const Progress&)>& start) {
    CloseBlocker closeBlocker;
    QProgressDialog window(label, u"Annulla"_s, 0, 1000, parent);
    window.setObjectName(u"dlgAvanzamento"_s);
    window.setWindowTitle(u" Tavolex"_s);
    window.setWindowModality(Qt::ApplicationModal);
    window.setAutoClose(false);
    window.setAutoReset(false);
    window.setMinimumDuration(kShowAfterMs);
    InputBlocker inputBlocker(&window);

    // Shared with the worker, which outlives nothing here: the wait below ends only when it
    // is finished.
    std::atomic<qsizetype> done{0};
    std::atomic<bool> stopped{false};
    QObject::connect(&window, &QProgressDialog::canceled, [&stopped] { stopped = true; });
    const Progress progress = [&done, &stopped](qsizetype now) {
        done = now;
        return !stopped.load();
    };

    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &window, [&] {
        if (!stopped && !window.wasCanceled())
            window.setValue(total > 0 ? int(std::min<qsizetype>(done, total) * 1000 / total) : 0);
    });
    refresh.start(kRefreshMs);
    watcher.setFuture(start(progress));
    if (!watcher.isFinished()) loop.exec();
    refresh.stop();
}

} // namespace tavolex::ui
