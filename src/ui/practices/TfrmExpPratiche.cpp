#include "TfrmExpPratiche.h"

#include "practices/practicelines.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/recordfile.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

GridScreenDecl declaration() {
    GridScreenDecl decl;
    decl.objectName = u"TfrmExpPratiche"_s;
    decl.caption = u" Esporta Archivio Pratiche in Microsoft Excel"_s;
    decl.initialHint = u"Esportazione archivio in Microsoft Excel."_s;
    decl.size = QSize(1100, 660);
    decl.commands = GridScreenDecl::Commands::Column;
    decl.rowHeight = 21;
    decl.alternatingRows = true;
    decl.centred = true;
    decl.target = exporting::kExpPratiche;
    decl.exportColumns = exporting::sheetColumns(practices::exportColumns());
    decl.help = &help::practicesExport;
    return decl;
}

} // namespace

TfrmExpPratiche::TfrmExpPratiche(QWidget* parent)
    : GridScreen(declaration(),
                 RecordGridModel::byField(records::practiceLayout(), practices::exportColumns()),
                 parent) {}

void TfrmExpPratiche::prepare() {
    const QString path = programPath(records::practiceLayout().archiveName());
    // Opened as every action opens the archive; a failing read keeps the rows read so far.
    if (!records::RecordFile::touch(path, records::practiceLayout().recordSize())) {
        model()->clear();
        model()->markIncomplete();
        return;
    }
    model()->fill(path);
}

} // namespace tavolex::ui
