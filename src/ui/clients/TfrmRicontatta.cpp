#include "TfrmRicontatta.h"

#include "core/programfolder.h"
#include "records/layouts.h"
#include "records/recordfile.h"
#include "search/clientlines.h"

#include <QLineEdit>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmRicontatta::TfrmRicontatta(QWidget* parent)
    : ListScreen(u"TfrmRicontatta"_s, u" Riepilogo Clienti da ricontattare"_s, parent) {
    setCallerTag(u"clienti"_s);
    addPrintButton(u"Riepilogo Clienti da ricontattare"_s);
    setFixedSize(1000, 600);
}

void TfrmRicontatta::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    centreOnScreen(this);
    FormShow();
}

void TfrmRicontatta::FormShow() {
    lists::ListedLines lines;
    // A failing read shows what was read so far, without a message. Only records that are
    // on the list can be behind one of its lines.
    lists::listWithRecords(
        programPath(records::clientLayout().archiveName()), records::clientLayout().recordSize(),
        [](const char* record) { return search::isToRecontact(record); },
        [](const char* record) { return search::clientRecontactLine(record); },
        lists::Behind::Listed, &lines);
    setLines(std::move(lines));
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

std::optional<ChosenRecord> TfrmRicontatta::findEntry(const QString& line, qint64 listedAt) {
    const records::RecordLayout& layout = records::clientLayout();
    // Only records that are on the list can be behind one of its lines.
    return lastRecordWithLine(
        programPath(layout.archiveName()), layout.recordSize(),
        [](const char* record) {
            return search::isToRecontact(record) ? search::clientRecontactLine(record) : QString();
        },
        line, listedAt);
}

} // namespace tavolex::ui
