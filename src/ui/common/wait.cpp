#include "wait.h"

#include <QCoreApplication>
#include <QEvent>

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

} // namespace tavolex::ui
