#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tavolex::ui {

class LinkLabel;

// The help screen: a title, the screen's help text and a link to the user guide PDF.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
    void setHelp(const QString& title, const QString& text);

    void lnkWebClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_title;
    QPlainTextEdit* m_text;
};

} // namespace tavolex::ui
