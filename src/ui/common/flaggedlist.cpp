#include "flaggedlist.h"

#include "programfolder.h"
#include "records/recordfile.h"

#include <QLineEdit>

namespace tavolex::ui {

FlaggedListScreen::FlaggedListScreen(const FlaggedListDecl& decl, QWidget* parent)
    : ListScreen(decl.objectName, decl.caption, parent), m_decl(decl) {
    setCallerTag(decl.callerTag);
    addPrintButton(decl.reportTitle);
    setFixedSize(1000, 600);
}

QString FlaggedListScreen::archivePath() const {
    return programPath(m_decl.archiveName);
}

QString FlaggedListScreen::flaggedLine(const char* record) const {
    return m_decl.isFlagged(record) ? m_decl.lineOf(record) : QString();
}

void FlaggedListScreen::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    centreOnScreen(this);
    FormShow();
}

void FlaggedListScreen::FormShow() {
    lists::ListedLines lines;
    if (!m_decl.createsArchive || records::RecordFile::touch(archivePath(), m_decl.recordSize))
        lists::listWithRecords(archivePath(), m_decl.recordSize, m_decl.isFlagged, m_decl.lineOf,
                               lists::Behind::Listed, &lines);
    setLines(std::move(lines));
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

std::optional<ChosenRecord> FlaggedListScreen::findEntry(const QString& line,
                                                         const lists::ListedRecord& listed) {
    return lastRecordWithLine(
        archivePath(), m_decl.recordSize,
        [this](const char* record) { return flaggedLine(record); }, line, listed);
}

} // namespace tavolex::ui
