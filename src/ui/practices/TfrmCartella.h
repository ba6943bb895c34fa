#pragma once

#include <QDialog>

class QLabel;

namespace tavolex::ui {

// " Gestione cartella abbinata alla scheda corrente": "Apri cartella" creates the
// practice's folder Pratica_<position> when missing and opens it in the file manager.
class TfrmCartella : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCartella(QWidget* parent = nullptr);

    // The practice's position (hidden label lblMemory).
    void setTag(const QString& position);
    QString tag() const;

    void btnApriCartellaClick();

private:
    QLabel* m_memory;
};

} // namespace tavolex::ui
