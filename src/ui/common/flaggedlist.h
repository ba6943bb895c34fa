#pragma once

#include "listscreen.h"
#include "records/store.h"

#include <memory>

namespace tavolex::ui {

// What a list of flagged records declares; the pattern builds the rest.
struct FlaggedListDecl {
    QString objectName;
    QString caption;     // with its leading blank
    QString reportTitle; // title of the printed list
    QString callerTag;   // the card a double-click hands the record to (lblMemory)
    records::ArchiveKind archive = records::ArchiveKind::Clients; // a single archive
    // Opened as every action opens the archive, so a missing one is created empty; otherwise
    // a missing archive just lists nothing.
    bool createsArchive = false;
    bool (*isFlagged)(const char* record) = nullptr;
    QString (*lineOf)(const char* record) = nullptr;
};

// The list of flagged records: every record of one archive whose flag is set, one line
// each in file order, filled each time the screen is shown (a failing read shows what was
// read so far, without a message); "Trova", "Stampa" and "Chiudi" of the list pattern, and a
// double-click that hands the record back for the card. Only flagged records can be behind
// a line: of those giving it, the last.
class FlaggedListScreen : public ListScreen {
    Q_OBJECT
public:
    // Fills the list; runs each time the screen is shown.
    void FormShow();

protected:
    FlaggedListScreen(const FlaggedListDecl& decl, QWidget* parent);

    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<records::Archive> archive() const;
    QString flaggedLine(const char* record) const;

    FlaggedListDecl m_decl;
};

} // namespace tavolex::ui
