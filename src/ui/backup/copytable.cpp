#include "copytable.h"

#include "backup/backupcopy.h"
#include "backup/backupsettings.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>

namespace tavolex::ui {

using namespace Qt::StringLiterals;

namespace {

const QStringList kHeadings = {u"Data e ora"_s, u"Tipo"_s, u"Dimensione"_s, u"N. file"_s,
                               u"Ultima verifica"_s};

QString kindText(backup::Kind kind) {
    switch (kind) {
    case backup::Kind::Automatic:
        return u"Automatica"_s;
    case backup::Kind::BeforeRestore:
        return u"Prima del ripristino"_s;
    case backup::Kind::Manual:
        break;
    }
    return u"Manuale"_s;
}

} // namespace

CopyTable::CopyTable(QWidget* parent) : QTableWidget(0, int(kHeadings.size()), parent) {
    setObjectName(u"grdCopie"_s);
    setHorizontalHeaderLabels(kHeadings);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void CopyTable::showCopies(const QString& folder) {
    const QList<backup::FoundCopy> copies = backup::findCopies(folder);
    setRowCount(int(copies.size()));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (int row = 0; row < copies.size(); ++row) {
        const backup::FoundCopy& copy = copies[row];
        const QString name = QFileInfo(copy.path).fileName();
        const std::optional<int> files = backup::countFiles(copy.path);
        const QStringList cells = {
            copy.made.toString(u"dd/MM/yyyy HH:mm:ss"_s), kindText(copy.kind),
            italian.formattedDataSize(copy.size, 1, QLocale::DataSizeTraditionalFormat),
            files ? QString::number(*files) : u"illeggibile"_s,
            backup::lastVerification(folder, name)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, copy.path);
            setItem(row, column, item);
        }
    }
    resizeColumnsToContents();
    if (!copies.isEmpty()) selectRow(0);
}

QString CopyTable::selectedCopy() const {
    const QList<QTableWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->data(Qt::UserRole).toString();
}

} // namespace tavolex::ui
