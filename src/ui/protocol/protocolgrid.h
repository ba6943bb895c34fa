#pragma once

#include "export/spreadsheet.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QTableWidget;
class QToolButton;
class QWidget;

namespace tavolex::ui {

class ScreenBehaviour;

namespace protocolscreens {

// The archive of the protocol card (its hidden label lblFile), for screens opened
// without an explicit archive.
QString currentArchive();

// The 19-column grid grdRecords of the summary and export screens; read-only.
QTableWidget* makeGrid(QWidget* parent);
void fillGrid(QTableWidget* grid, const QList<QStringList>& rows);
// Columns 1 to 18 of every row, trimmed: what goes into "Protocollo.xls".
QList<QStringList> exportedRows(const QTableWidget* grid);

// The export of a grid to program folder + target.fileName: asks first, writes, then
// offers to open the file; a write failure is reported as a plain message.
void exportGrid(QWidget* parent, const QTableWidget* grid, const exporting::ExportTarget& target);

// A picture button of the summary and export screens, with its hint.
QToolButton* addPictureButton(QWidget* parent, ScreenBehaviour* behaviour, const QString& name,
                              const QString& caption, const QString& glyph, const QColor& colour,
                              const QString& hint);
// The hint bar panInfo along the bottom.
QLabel* makeHintBar(QWidget* parent, ScreenBehaviour* behaviour, const QString& initial);

} // namespace protocolscreens
} // namespace tavolex::ui
