// Build step: writes the program's icon as PNG files for the desktop's icon theme,
// OUTPUT/<n>x<n>/apps/tavolex.png for n = 48, 128 and 256, drawn as the program draws it.
#include "ui/common/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tavolex_icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const int side : {48, 128, 256}) {
        const QString folder = root + QStringLiteral("/%1x%1/apps").arg(side);
        if (!QDir().mkpath(folder) ||
            !tavolex::ui::iconPixmap(side).save(folder + QStringLiteral("/tavolex.png")))
            return 1;
    }
    return 0;
}
