#pragma once

#include "commands.h"
#include "export/spreadsheet.h"
#include "gridmodels.h"
#include "help/helptexts.h"

#include <QDialog>
#include <QList>
#include <QSize>
#include <QStringList>
#include <functional>
#include <optional>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QTableView;
class QToolButton;

namespace tavolex::ui {

class ScreenBehaviour;

// What a grid-with-export screen declares; the pattern builds the rest.
struct GridScreenDecl {
    QString objectName;
    QString caption;
    QString initialHint; // what the hint bar panInfo starts with
    QSize size;
    // The picture buttons in a column right of the grid, or in a row above it (after the
    // screen's own header controls).
    enum class Commands { Column, Row } commands = Commands::Row;
    // Rows of a fixed height (0: the style's) in alternating colours; whole-row selection.
    int rowHeight = 0;
    bool alternatingRows = false;
    bool selectRows = false;
    // Each showing centres the screen; spontaneous showings (a window brought back) also
    // refill the grid.
    bool centred = false;
    bool refillOnEveryShow = false;
    // The export: file and worksheet. The worksheet's columns are the grid's from the
    // second on (the row number is not exported), with their file headings and widths.
    exporting::ExportTarget target{};
    // The hint of cmdEsporta and the question asked once the file is written.
    QString exportHint = QStringLiteral("Esporta l'archivio in formato Microsoft Excel.");
    QString askOpenExport = QString::fromUtf16(exporting::kAskOpenExport);
    help::HelpText (*help)() = nullptr;

    // The export screen of a whole archive: a column of buttons beside rows of 21 pixels in
    // alternating colours, centred, starting with "Esportazione archivio in Microsoft Excel.".
    static GridScreenDecl archiveExport(QString objectName, QString caption,
                                        exporting::ExportTarget target, help::HelpText (*help)());
};

// The grid-with-export pattern: a read-only grid grdRecords over a RecordGridModel, the
// picture buttons cmdEsporta, cmdGuida and cmdEsci with their hints, the hint bar
// panInfo, and the export (the two questions, the failure message, opening the file).
class GridScreen : public QDialog {
    Q_OBJECT
public:
    int rowCount() const;
    // The text of a grid cell, as shown.
    QString cellText(int row, int column) const;

    // Asks, writes the target in the program folder and offers to open it.
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    // Writes the grid to `path` as the export does, without any question. Fails, leaving
    // any earlier file as it was, when the grid's last fill could not read its archive.
    files::WriteResult writeExport(const QString& path) const;
    // The same, telling `progress` how many rows are written; nothing when it says stop
    // (any earlier file is then left as it was). Touches no widget.
    std::optional<files::WriteResult>
    writeExport(const QString& path, const std::function<bool(qsizetype)>& progress) const;

protected:
    // The model is taken over by the screen.
    GridScreen(const GridScreenDecl& decl, RecordGridModel* model, QWidget* parent);
    GridScreen(const GridScreenDecl& decl, RowsGridModel* model, QWidget* parent);

    // Prepares the screen each time it is shown (the grid, the header fields).
    virtual void prepare() {}

    // A picture button before the standard ones, with its hint and action.
    QToolButton* addCommand(const Command& command);
    // A control of the screen's own before the picture buttons (row) or above the grid.
    void addHeaderWidget(QWidget* widget);

    GridModel* gridModel() const { return m_model; }
    // The model of a screen built over the records of an archive (else null).
    RecordGridModel* model() const { return m_records; }
    // The model of a screen built over computed rows (else null).
    RowsGridModel* rowsModel() const { return m_rows; }
    QTableView* grid() const { return m_grid; }
    ScreenBehaviour* behaviour() const { return m_behaviour; }

    void showEvent(QShowEvent* event) override;

private:
    GridScreen(const GridScreenDecl& decl, GridModel* model, QWidget* parent);
    void orderTabs();
    QToolButton* makeCommand(const Command& command);

    GridScreenDecl m_decl;
    GridModel* m_model;
    RecordGridModel* m_records = nullptr;
    RowsGridModel* m_rows = nullptr;
    ScreenBehaviour* m_behaviour;
    QTableView* m_grid;
    QLabel* m_hintBar;
    QBoxLayout* m_commandLayout;
    QHBoxLayout* m_header;
    QList<QWidget*> m_headerOrder;
    QList<QToolButton*> m_commandOrder;
    int m_customCommands = 0;
    int m_headerWidgets = 0;
};

} // namespace tavolex::ui
