// The yardstick for start-up: the smallest Qt widget program that maps a window with a
// password field, as the program's first screen does.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral(" Minimal - Autenticazione"));
    auto* layout = new QVBoxLayout(&window);
    auto* field = new QLineEdit(&window);
    field->setEchoMode(QLineEdit::Password);
    layout->addWidget(field);
    window.show();
    return app.exec();
}
