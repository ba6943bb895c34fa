#include "protocolgrid.h"

#include "TfrmProtocollo.h"
#include "programfolder.h"
#include "protocol/protocollines.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/screens.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>

namespace tavolex::ui::protocolscreens {

using namespace Qt::Literals::StringLiterals;

QString currentArchive() {
    if (auto* card = Screens::find<TfrmProtocollo>(u"TfrmProtocollo"_s)) return card->archivePath();
    return {};
}

QTableWidget* makeGrid(QWidget* parent) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(u"grdRecords"_s);
    const QList<protocol::GridColumn>& columns = protocol::gridColumns();
    grid->setColumnCount(int(columns.size()));
    QStringList headers;
    for (const protocol::GridColumn& c : columns)
        headers << c.header;
    grid->setHorizontalHeaderLabels(headers);
    for (int i = 0; i < columns.size(); ++i)
        grid->setColumnWidth(i, columns[i].screenWidth);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    return grid;
}

void fillGrid(QTableWidget* grid, const QList<QStringList>& rows) {
    grid->setUpdatesEnabled(false);
    grid->setRowCount(0);
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size() && c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    grid->setUpdatesEnabled(true);
}

QList<QStringList> exportedRows(const QTableWidget* grid) {
    QList<QStringList> rows;
    rows.reserve(grid->rowCount());
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 1; c < grid->columnCount(); ++c) {
            const QTableWidgetItem* item = grid->item(r, c);
            row << (item ? text::trimmed(item->text()) : QString());
        }
        rows << row;
    }
    return rows;
}

void exportGrid(QWidget* parent, const QTableWidget* grid, const exporting::ExportTarget& target) {
    if (!msg::question(parent, QString::fromUtf16(exporting::kAskExport))) return;
    const QString path = programPath(QString::fromUtf16(target.fileName));
    if (!exporting::writeSpreadsheet(path, QString::fromUtf16(target.worksheetName),
                                     protocol::exportColumns(), exportedRows(grid))) {
        msg::plain(parent, QString::fromUtf16(exporting::kExportFailed));
        return;
    }
    if (msg::question(parent, QString::fromUtf16(exporting::kAskOpenExport)))
        TMisc::Open(u'"' + path + u'"');
}

QToolButton* addPictureButton(QWidget* parent, ScreenBehaviour* behaviour, const QString& name,
                              const QString& caption, const QString& glyph, const QColor& colour,
                              const QString& hint) {
    QToolButton* button = makePictureButton(parent, name, caption, glyph, colour);
    behaviour->setHint(button, hint);
    return button;
}

QLabel* makeHintBar(QWidget* parent, ScreenBehaviour* behaviour, const QString& initial) {
    auto* bar = new QLabel(initial, parent);
    bar->setObjectName(u"panInfo"_s);
    bar->setMinimumHeight(26);
    bar->setContentsMargins(10, 2, 10, 2);
    bar->setStyleSheet(u"QLabel { background: #1f4f82; color: white; }"_s);
    behaviour->setHintBar(bar);
    return bar;
}

} // namespace tavolex::ui::protocolscreens
