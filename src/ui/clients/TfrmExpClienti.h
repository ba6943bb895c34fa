#pragma once

#include <QDialog>

class QLabel;
class QTableView;

namespace tavolex::ui {

class ClientGridModel;
class ScreenBehaviour;

// The whole client archive in a read-only grid (grdRecords), exported to "Clienti.xls".
// The grid is a view over a model that keeps only the trimmed texts of the shown
// fields, so an archive of a hundred thousand clients fills in moments.
class TfrmExpClienti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExpClienti(QWidget* parent = nullptr);

    static constexpr int kColumnCount = 26;

    int rowCount() const;
    // The text of a grid cell, as shown.
    QString cellText(int row, int column) const;

    // Fills the grid from Clienti.pro; runs each time the screen is shown.
    void FormShow();
    // Asks, writes "Clienti.xls" in the program folder and offers to open it.
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    // Writes the grid to `path` as the export does, without any question. False on failure.
    bool writeExport(const QString& path) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ClientGridModel* m_model;
    QTableView* m_grid;
    QLabel* m_hintBar;
    ScreenBehaviour* m_behaviour;
};

} // namespace tavolex::ui
