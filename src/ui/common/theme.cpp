#include "theme.h"

#include <QApplication>
#include <QFile>

// The style sheet lives in the UI library's resources; a static library's resources are
// registered explicitly (outside any namespace, as Q_INIT_RESOURCE requires).
static void registerResources() {
    Q_INIT_RESOURCE(resources);
}

namespace tavolex::ui {

QColor toneColour(Tone tone) {
    switch (tone) {
    case Tone::Create:
        return QColor(0x2e, 0x8b, 0x57);
    case Tone::Copy:
        return QColor(0x4a, 0x7a, 0xb5);
    case Tone::Save:
        return QColor(0x1f, 0x6f, 0xb2);
    case Tone::Service:
        return QColor(0x3a, 0x6e, 0xa5);
    case Tone::Export:
        return QColor(0x1d, 0x6f, 0x42);
    case Tone::Pdf:
        return QColor(0xc0, 0x20, 0x20);
    case Tone::Help:
        return QColor(0x8a, 0x5a, 0xb5);
    case Tone::Setup:
        return QColor(0xc0, 0x6a, 0x1a);
    case Tone::Exit:
        return QColor(0xb0, 0x30, 0x30);
    case Tone::People:
        return QColor(0x2e, 0x6d, 0xb4);
    case Tone::Contacts:
        return QColor(0x2e, 0x8b, 0x57);
    case Tone::Codes:
        return QColor(0xc0, 0x6a, 0x1a);
    case Tone::Profile:
        return QColor(0x7a, 0x4e, 0xa8);
    case Tone::Warning:
        return QColor(0xb0, 0x30, 0x30);
    case Tone::Records:
        return QColor(0x2e, 0x6d, 0xb4);
    case Tone::Logo:
        return QColor(0x0b, 0x2e, 0x5c);
    }
    return Qt::black;
}

void applyTheme() {
    registerResources();
    QFile sheet(QStringLiteral(":/common/theme.qss"));
    if (sheet.open(QIODevice::ReadOnly)) qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
}

} // namespace tavolex::ui
