#include "TfrmInsoluti.h"

#include "movements/movementlines.h"
#include "movements/movementrecord.h"
#include "records/store.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/wait.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

GridScreenDecl declaration(accounts::UnpaidList list, const QString& objectName) {
    GridScreenDecl decl = GridScreenDecl::archiveExport(
        objectName, accounts::listCaption(list), accounts::exportTarget(list), &help::unpaidList);
    decl.exportHint = u"Esporta i dati in formato Microsoft Excel."_s;
    decl.askOpenExport = QString::fromUtf16(exporting::kAskOpenUnpaidExport);
    return decl;
}

} // namespace

UnpaidListScreen::UnpaidListScreen(accounts::UnpaidList list, const QString& objectName,
                                   QWidget* parent)
    : GridScreen(declaration(list, objectName), RowsGridModel::numbered(movements::columns()),
                 parent),
      m_list(list) {}

void UnpaidListScreen::prepare() {
    RowsGridModel* rows = rowsModel();
    if (!archiveId().isValid()) {
        rows->clear();
        return;
    }
    // Opened as every action opens the archive: a missing year is created empty.
    // Read away from the screen, which keeps painting meanwhile.
    QList<QStringList> listed;
    const bool read = runWaiting<bool>(
        nullptr, [archive = archiveId(), list = m_list, today = Clock::today(), &listed] {
            const std::unique_ptr<records::Archive> movements = records::programArchive(archive);
            return movements->prepare() && accounts::unpaidRows(*movements, list, today, &listed);
        });
    // An archive that cannot be read leaves no rows, and nothing that may be exported as
    // if it were the year's list; an empty grid must not pass for a year with nothing unpaid.
    rows->setRows(listed, read);
    if (!read) msg::archiveAccessError(this, archive()->name());
}

TfrmInsolutiEnt::TfrmInsolutiEnt(QWidget* parent)
    : UnpaidListScreen(accounts::UnpaidList::Income, u"TfrmInsolutiEnt"_s, parent) {}

TfrmInsolutiUsc::TfrmInsolutiUsc(QWidget* parent)
    : UnpaidListScreen(accounts::UnpaidList::Expense, u"TfrmInsolutiUsc"_s, parent) {}

TfrmInsolutiAll::TfrmInsolutiAll(QWidget* parent)
    : UnpaidListScreen(accounts::UnpaidList::Both, u"TfrmInsolutiAll"_s, parent) {}

} // namespace tavolex::ui
