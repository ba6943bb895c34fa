#include "TfrmExpProtocollo.h"

#include "help/protocolhelp.h"
#include "protocolgrid.h"
#include "records/layouts.h"
#include "records/store.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
GridScreenDecl declaration() {
    GridScreenDecl decl = protocolscreens::gridDeclaration();
    decl.objectName = u"TfrmExpProtocollo"_s;
    decl.caption = u" Esporta protocollo posta in Microsoft Excel"_s;
    decl.initialHint = u"Esportazione archivio in Microsoft Excel."_s;
    decl.target = exporting::kExpProtocollo;
    decl.help = &help::protocolExport;
    return decl;
}
} // namespace

TfrmExpProtocollo::TfrmExpProtocollo(QWidget* parent)
    : GridScreen(declaration(), protocolscreens::makeGridModel(), parent) {}

void TfrmExpProtocollo::prepare() {
    // Every record of the archive, in file order; any failure leaves the grid empty.
    model()->clear();
    model()->fillPrepared(*archive(), {}, RecordGridModel::OnFailure::KeepPrevious);
}

} // namespace tavolex::ui
