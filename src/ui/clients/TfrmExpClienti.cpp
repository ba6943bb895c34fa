#include "TfrmExpClienti.h"

#include "records/layouts.h"
#include "records/store.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

GridScreenDecl declaration() {
    GridScreenDecl decl = GridScreenDecl::archiveExport(
        u"TfrmExpClienti"_s, u" Esporta archivio Clienti in Microsoft Excel"_s,
        exporting::kExpClienti, &help::clientsExport);
    decl.refillOnEveryShow = true;
    return decl;
}

} // namespace

TfrmExpClienti::TfrmExpClienti(QWidget* parent)
    : GridScreen(declaration(),
                 RecordGridModel::byField(records::clientLayout(), exporting::clientColumns()),
                 parent) {}

void TfrmExpClienti::FormShow() {
    // A failing read keeps the rows read so far, without a message.
    model()->fill(*records::programArchive(records::ArchiveKind::Clients));
}

} // namespace tavolex::ui
