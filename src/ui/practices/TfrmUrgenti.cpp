#include "TfrmUrgenti.h"

#include "practices/practicelines.h"
#include "records/layouts.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
FlaggedListDecl declaration() {
    FlaggedListDecl decl;
    decl.objectName = u"TfrmUrgenti"_s;
    decl.caption = u" Riepilogo pratiche urgenti"_s;
    decl.reportTitle = u"Riepilogo Pratiche Urgenti"_s;
    decl.callerTag = u"pratica"_s;
    decl.archive = records::ArchiveKind::Practices;
    decl.createsArchive = true;
    decl.isFlagged = &practices::isUrgent;
    decl.lineOf = &practices::practiceLine;
    return decl;
}
} // namespace

TfrmUrgenti::TfrmUrgenti(QWidget* parent) : FlaggedListScreen(declaration(), parent) {}

} // namespace tavolex::ui
