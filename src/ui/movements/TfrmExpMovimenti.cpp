#include "TfrmExpMovimenti.h"

#include "help/movementshelp.h"
#include "movements/movementlines.h"
#include "movements/movementrecord.h"
#include "records/layouts.h"
#include "records/store.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

GridScreenDecl declaration() {
    return GridScreenDecl::archiveExport(u"TfrmExpMovimenti"_s,
                                         u" Esporta archivio movimenti in Microsoft Excel"_s,
                                         exporting::kExpMovimenti, &help::movementsExport);
}

} // namespace

TfrmExpMovimenti::TfrmExpMovimenti(QWidget* parent)
    : GridScreen(declaration(),
                 RecordGridModel::byField(records::movementLayout(), movements::columns()),
                 parent) {}

void TfrmExpMovimenti::prepare() {
    // Opened as every action opens the archive; a failing read keeps the rows read so far.
    model()->fillPrepared(*archive());
}

} // namespace tavolex::ui
