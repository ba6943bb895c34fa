#pragma once

#include <QWidget>

namespace tavolex::ui {

// The main menu: one picture and one picture button per application.
class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);

    // Shows an application's first screen and hides the menu.
    void openApplication(const QString& screen);
    // Enables the buttons of the applications whose screens exist.
    void refreshApplications();
    void imgInfoClick();
    void imgGuidaClick();
    void imgSplashClick();
    void imgEsciClick();
    void icoSitoClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace tavolex::ui
