#include "TfrmUrgenti.h"

#include "practices/practicelines.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/recordfile.h"

#include <QLineEdit>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
QString archive() {
    return programPath(records::practiceLayout().archiveName());
}
} // namespace

TfrmUrgenti::TfrmUrgenti(QWidget* parent)
    : ListScreen(u"TfrmUrgenti"_s, u" Riepilogo pratiche urgenti"_s, parent) {
    setCallerTag(u"pratica"_s);
    addPrintButton(u"Riepilogo Pratiche Urgenti"_s);
    setFixedSize(1000, 600);
}

void TfrmUrgenti::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    centreOnScreen(this);
    FormShow();
}

void TfrmUrgenti::FormShow() {
    lists::ListedLines lines;
    // Opened as every action opens the archive; a failing read shows what was read so far.
    if (records::RecordFile::touch(archive(), records::practiceLayout().recordSize()))
        practices::urgentLines(archive(), &lines);
    setLines(std::move(lines));
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

std::optional<ChosenRecord> TfrmUrgenti::findEntry(const QString& line, qint64 listedAt) {
    std::optional<ChosenRecord> found;
    practices::findByLine(archive(), line, practices::Among::Urgent, &found, listedAt);
    return found;
}

} // namespace tavolex::ui
