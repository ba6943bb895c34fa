#include "flaggedlist.h"

#include <QLineEdit>

namespace tavolex::ui {

FlaggedListScreen::FlaggedListScreen(const FlaggedListDecl& decl, QWidget* parent)
    : ListScreen(decl.objectName, decl.caption, parent), m_decl(decl) {
    setCallerTag(decl.callerTag);
    addPrintButton(decl.reportTitle);
    setFixedSize(1000, 600);
}

std::unique_ptr<records::Archive> FlaggedListScreen::archive() const {
    return records::programArchive(m_decl.archive);
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
    const std::unique_ptr<records::Archive> archive = this->archive();
    if (!m_decl.createsArchive || archive->prepare())
        lists::listWithRecords(*archive, m_decl.isFlagged, m_decl.lineOf, lists::Behind::Listed,
                               &lines);
    setLines(std::move(lines));
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

std::optional<ChosenRecord> FlaggedListScreen::findEntry(const QString& line,
                                                         const lists::ListedRecord& listed) {
    return lastRecordWithLine(
        *archive(), [this](const char* record) { return flaggedLine(record); }, line, listed);
}

} // namespace tavolex::ui
