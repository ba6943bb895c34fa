#include "TfrmExpClienti.h"

#include "core/programfolder.h"
#include "records/layouts.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

GridScreenDecl declaration() {
    GridScreenDecl decl;
    decl.objectName = u"TfrmExpClienti"_s;
    decl.caption = u" Esporta archivio Clienti in Microsoft Excel"_s;
    decl.initialHint = u"Esportazione archivio in Microsoft Excel."_s;
    decl.size = QSize(1100, 660);
    decl.commands = GridScreenDecl::Commands::Column;
    decl.rowHeight = 21;
    decl.alternatingRows = true;
    decl.centred = true;
    decl.refillOnEveryShow = true;
    decl.target = exporting::kExpClienti;
    decl.exportColumns = exporting::clientExportColumns();
    decl.help = &help::clientsExport;
    return decl;
}

} // namespace

TfrmExpClienti::TfrmExpClienti(QWidget* parent)
    : GridScreen(declaration(),
                 RecordGridModel::byField(records::clientLayout(), exporting::clientColumns()),
                 parent) {}

void TfrmExpClienti::FormShow() {
    // A failing read keeps the rows read so far, without a message.
    model()->fill(programPath(records::clientLayout().archiveName()));
}

} // namespace tavolex::ui
