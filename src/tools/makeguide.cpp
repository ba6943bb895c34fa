// Build step: writes the user guide "Guida.pdf" into the program folder.
#include "ui/common/report/userguide.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tavolex_guide OUTPUT.pdf\n");
        return 2;
    }
    return tavolex::ui::report::writeUserGuide(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
