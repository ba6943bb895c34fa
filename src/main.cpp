#include "ui/app/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tavolex::startApplication();
    const int status = app.exec();
    tavolex::stopApplication();
    return status;
}
