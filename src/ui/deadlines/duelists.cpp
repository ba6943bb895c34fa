#include "duelists.h"

#include "deadlines/archive.h"
#include "deadlines/lines.h"
#include "records/layouts.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"

#include <QFile>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// The deadline screens are fixed 862 × 560 windows without title-bar buttons.
GridScreenDecl deadlineGrid(QString objectName, QString caption, exporting::ExportTarget target,
                            help::HelpText (*help)()) {
    GridScreenDecl decl =
        GridScreenDecl::archiveExport(std::move(objectName), std::move(caption), target, help);
    decl.size = QSize(862, 560);
    return decl;
}

RecordGridModel* deadlineModel(bool withOrderKey) {
    RecordGridModel* model =
        RecordGridModel::byField(records::deadlineLayout(), deadlines::columns());
    if (withOrderKey) {
        model->setSortKey(
            [](const char* record) { return deadlines::orderKey(record).toLatin1(); });
        model->addColumn(deadlines::orderKeyColumn());
    }
    return model;
}

void withoutTitleButtons(QWidget* screen) {
    screen->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

} // namespace

DueListScreen::DueListScreen(deadlines::DueList list, const QString& objectName, QWidget* parent)
    : GridScreen(deadlineGrid(objectName, deadlines::dueListTexts(list).caption,
                              deadlines::dueListTexts(list).target, &help::deadlinesSummaries),
                 deadlineModel(true), parent),
      m_list(list), m_calendarDate(Clock::today()) {
    withoutTitleButtons(this);
    behaviour()->setHintsOnlyOverControls(true);
}

void DueListScreen::prepare() {
    const QDate today = Clock::today();
    const std::unique_ptr<records::Archive> archive = records::programArchive(
        records::ArchiveKind::Deadlines, deadlines::archiveYearOf(m_list, m_calendarDate, today));
    const deadlines::DueSelection selection(
        m_list, m_list == deadlines::DueList::Imminent ? today : m_calendarDate);
    // A missing year is created empty; a record whose date or notice days cannot be read
    // is left out, never the end of the list.
    const auto selects = [&selection](const char* record) { return selection.selects(record); };
    if (!archive->prepare()) {
        model()->clear();
        model()->markIncomplete();
        return;
    }
    model()->fill(*archive, selects);
    // Deadlines of early next year are imminent at the end of this one: next year's archive
    // is read too when it exists (it is never created for this).
    if (m_list == deadlines::DueList::Imminent) {
        const auto next =
            records::programArchive(records::ArchiveKind::Deadlines, today.year() + 1);
        if (next->exists()) model()->append(*next, selects);
    }
}

TfrmExpImminenti::TfrmExpImminenti(QWidget* parent)
    : DueListScreen(deadlines::DueList::Imminent, u"TfrmExpImminenti"_s, parent) {}
TfrmExpGiornaliere::TfrmExpGiornaliere(QWidget* parent)
    : DueListScreen(deadlines::DueList::Daily, u"TfrmExpGiornaliere"_s, parent) {}
TfrmExpMensili::TfrmExpMensili(QWidget* parent)
    : DueListScreen(deadlines::DueList::Monthly, u"TfrmExpMensili"_s, parent) {}

TfrmExpScadenzario::TfrmExpScadenzario(QWidget* parent)
    : GridScreen(deadlineGrid(u"TfrmExpScadenzario"_s, u" Esporta archivio Scadenzario pagamenti"_s,
                              exporting::kExpScadenzario, &help::deadlinesExport),
                 deadlineModel(false), parent) {
    withoutTitleButtons(this);
}

void TfrmExpScadenzario::prepare() {
    model()->fillPrepared(*archive());
}

} // namespace tavolex::ui
