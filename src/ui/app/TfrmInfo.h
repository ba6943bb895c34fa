#pragma once

#include <QDialog>

namespace tavolex::ui {

// Information screen with the support e-mail link.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent = nullptr);
    void lnkWebClick();
    static QString mailCommand();
};

} // namespace tavolex::ui
