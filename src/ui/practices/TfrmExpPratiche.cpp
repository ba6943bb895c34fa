#include "TfrmExpPratiche.h"

#include "practices/practicelines.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/store.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

GridScreenDecl declaration() {
    return GridScreenDecl::archiveExport(u"TfrmExpPratiche"_s,
                                         u" Esporta Archivio Pratiche in Microsoft Excel"_s,
                                         exporting::kExpPratiche, &help::practicesExport);
}

} // namespace

TfrmExpPratiche::TfrmExpPratiche(QWidget* parent)
    : GridScreen(declaration(),
                 RecordGridModel::byField(records::practiceLayout(), practices::columns()),
                 parent) {}

void TfrmExpPratiche::prepare() {
    // Opened as every action opens the archive; a failing read keeps the rows read so far.
    model()->fillPrepared(*records::programArchive(records::ArchiveKind::Practices));
}

} // namespace tavolex::ui
