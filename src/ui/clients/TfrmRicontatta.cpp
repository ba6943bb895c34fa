#include "TfrmRicontatta.h"

#include "records/layouts.h"
#include "search/clientlines.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
FlaggedListDecl declaration() {
    FlaggedListDecl decl;
    decl.objectName = u"TfrmRicontatta"_s;
    decl.caption = u" Riepilogo Clienti da ricontattare"_s;
    decl.reportTitle = u"Riepilogo Clienti da ricontattare"_s;
    decl.callerTag = u"clienti"_s;
    decl.archive = records::ArchiveKind::Clients;
    decl.isFlagged = &search::isToRecontact;
    decl.lineOf = &search::clientRecontactLine;
    return decl;
}
} // namespace

TfrmRicontatta::TfrmRicontatta(QWidget* parent) : FlaggedListScreen(declaration(), parent) {}

} // namespace tavolex::ui
