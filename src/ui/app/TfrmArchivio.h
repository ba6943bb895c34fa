#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace tavolex::ui {

// " Tavolex - Archivio condiviso": the database server the archives are kept on, its test, the
// first copy of the program folder's archives onto it, and the setting the next start reads.
class TfrmArchivio : public QWidget {
    Q_OBJECT
public:
    explicit TfrmArchivio(QWidget* parent = nullptr);

Q_SIGNALS:
    void finished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdProvaClick();
    void cmdCopiaClick();
    void cmdSalvaClick();
    void cmdGuidaClick();
    // The connection typed, trimmed; empty after telling the user when there is none.
    QString typedConnection();

    QLineEdit* m_connection;
    QLabel* m_wait;
};

} // namespace tavolex::ui
