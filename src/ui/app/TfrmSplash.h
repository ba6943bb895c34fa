#pragma once

#include <QDialog>

namespace tavolex::ui {

// Credits screen with the maker's web site link.
class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    void lnkWebClick();
};

} // namespace tavolex::ui
