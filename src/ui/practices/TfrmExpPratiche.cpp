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
                 RecordGridModel::byField(records::practiceLayout(), practices::exportColumns()),
                 parent) {}

void TfrmExpPratiche::prepare() {
    const std::unique_ptr<records::Archive> archive =
        records::programArchive(records::ArchiveKind::Practices);
    // Opened as every action opens the archive; a failing read keeps the rows read so far.
    if (!archive->prepare()) {
        model()->clear();
        model()->markIncomplete();
        return;
    }
    model()->fill(*archive);
}

} // namespace tavolex::ui
