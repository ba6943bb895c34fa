#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tavolex::ui {

class ScreenBehaviour;

// " Impostazione inizio numerazione": the start number and the year suffix of the
// automatic protocol number, read and written in "Cartovia.ini" under the tag
// "protocollo" only.
class TfrmNumerazione : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNumerazione(QWidget* parent = nullptr);

    void setCallerTag(const QString& tag);
    QString callerTag() const;

    void btnApplicaClick();
    void btnAnnullaClick();
    void txtInizioExit();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_inizio;
    QCheckBox* m_tipo;
    QLabel* m_memory;
};

} // namespace tavolex::ui
