#include "uitest.h"

#include "ui/common/messages.h"
#include "ui/common/screens.h"

#include "core/programfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

namespace tavolex::test {

SeenBox answerNextBox(const std::function<void()>& action, const QString& answer) {
    ui::msg::answerNextBoxes({answer});
    action();
    const QList<ui::msg::ShownBox> shown = ui::msg::takeShownBoxes();
    SeenBox seen;
    if (shown.isEmpty()) return seen;
    seen.seen = true;
    seen.icon = shown.constFirst().icon;
    seen.text = shown.constFirst().text;
    seen.buttons = shown.constFirst().buttons;
    return seen;
}

QList<SeenBox> answerBoxes(const std::function<void()>& action, const QStringList& answers) {
    ui::msg::answerNextBoxes(answers);
    action();
    QList<SeenBox> seen;
    for (const ui::msg::ShownBox& box : ui::msg::takeShownBoxes())
        seen << SeenBox{true, box.icon, box.text, box.buttons};
    return seen;
}

// A modal window (a print dialog above all) can take seconds to appear on a loaded machine under
// the sanitizers; a poll that gives up too early leaves the test waiting on it for ever.
constexpr qint64 kModalWaitMs = 60'000;

void withNextModal(const std::function<void()>& action, const std::function<void(QWidget*)>& body) {
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    auto alive = std::make_shared<bool>(true);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [body, elapsed, alive, poll]() {
        if (!*alive) return;
        QWidget* modal = QApplication::activeModalWidget();
        // A message box is answered through the messages service; on a loaded machine the
        // poll may come round while one is up, and must not take it for the dialog awaited.
        if (qobject_cast<QMessageBox*>(modal)) modal = nullptr;
        if (!modal) {
            if (elapsed->elapsed() < kModalWaitMs) QTimer::singleShot(10, *poll);
            return;
        }
        body(modal);
    };
    QTimer::singleShot(10, *poll);
    action();
    *alive = false;
    *poll = nullptr; // the poll holds itself: let it go
}

QWidget* topLevel(const QString& name) {
    QWidget* hidden = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != name) continue;
        if (w->isVisible()) return w;
        hidden = w;
    }
    // A program screen not made yet is made as the program would make it when first shown.
    return hidden ? hidden : ui::Screens::get(name);
}

QString makeProgramFolder() {
    static QTemporaryDir root;
    static int n = 0;
    const QString folder = root.filePath(QString::number(++n)) + u'/';
    QDir().mkpath(folder);
    const QString shipped = qEnvironmentVariable("TAVOLEX_PROGRAM_FOLDER");
    const QDir source(shipped);
    for (const QString& name : source.entryList(QDir::Files))
        if (!name.startsWith(QStringLiteral("tavolex")))
            QFile::copy(source.filePath(name), folder + name);
    tavolex::setProgramFolder(folder);
    return folder;
}

bool ageFile(const QString& path) {
    timespec times[2] = {{0, UTIME_OMIT}, {}};
    ::clock_gettime(CLOCK_REALTIME, &times[1]);
    times[1].tv_sec -= 3600;
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

const char* pasteWayName(PasteWay way) {
    switch (way) {
    case PasteWay::Menu:
        return "Incolla";
    case PasteWay::CtrlV:
        return "Ctrl+V";
    case PasteWay::ShiftInsert:
        return "Shift+Insert";
    case PasteWay::InputMethod:
        return "input method";
    }
    return "?";
}

QString pastedInto(QWidget* field, const QString& before, const QString& text, PasteWay way) {
    auto* combo = qobject_cast<QComboBox*>(field);
    QLineEdit* edit = combo ? combo->lineEdit() : static_cast<QLineEdit*>(field);
    edit->setText(before);
    edit->setFocus();
    edit->selectAll();
    QGuiApplication::clipboard()->setText(text);
    switch (way) {
    case PasteWay::Menu: {
        const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
        for (QAction* action : menu->actions())
            if (!paste && (action->text().contains(QStringLiteral("Paste")) ||
                           action->text().contains(QStringLiteral("Incolla"))))
                paste = action;
        if (!paste) throw std::runtime_error("no \"Incolla\" in the context menu");
        paste->trigger();
        break;
    }
    case PasteWay::CtrlV:
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        break;
    case PasteWay::ShiftInsert:
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case PasteWay::InputMethod: {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(edit, &commit);
        break;
    }
    }
    return edit->text();
}

} // namespace tavolex::test
