#include "program.h"

#include "ui/app/application.h"
#include "ui/common/clock.h"
#include "ui/common/misc.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace tavolex::test {

namespace {
QString g_folder;
QStringList g_opened;
} // namespace

void ProgramEnvironment::SetUp() {
    g_folder = makeProgramFolder();
    ui::Clock::setNow([now = m_now] { return now; });
    ui::TMisc::setOpener([](const QString& command, const QUrl&) { g_opened << command; });
    ASSERT_TRUE(startApplication()) << "the program folder is held by another copy";
}

void ProgramEnvironment::TearDown() {
    stopApplication();
    ui::TMisc::setOpener({});
    ui::Clock::setNow({});
}

const QString& ProgramEnvironment::folder() {
    return g_folder;
}

QStringList& ProgramEnvironment::opened() {
    return g_opened;
}

void ScreenDriver::click(const QString& control) const {
    on<QAbstractButton>(control)->click();
}

SeenBox ScreenDriver::clickAndAnswer(const QString& control, const QString& answer) const {
    return answerNextBox([&] { click(control); }, answer);
}

void ScreenDriver::type(const QString& control, const QString& text) const {
    QWidget* w = on(control);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->setText(text);
    else
        ADD_FAILURE() << control.toStdString() << " takes no typing";
}

QString ScreenDriver::shown(const QString& control) const {
    QWidget* w = on(control);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text();
    ADD_FAILURE() << control.toStdString() << " shows no text";
    return {};
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace tavolex::test
