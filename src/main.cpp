#include "ui/app/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!tavolex::startApplication()) return 1;
    const int status = app.exec();
    tavolex::stopApplication();
    return status;
}
