#pragma once

#include "protocol/archive.h"
#include "ui/common/searchscreen.h"
#include "ui/common/yearlyarchive.h"

#include <optional>

namespace tavolex::ui {

// " Trova documenti protocollati": up to ten filters (panel panAvvio), then the list of
// matching documents (panel panContainer). A double click hands the chosen record back
// to the caller (chosen()), which loads it when the tag is "protocollo".
class TfrmTrovaProtocollo : public SearchScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmTrovaProtocollo(QWidget* parent = nullptr);

    // Shows the search over `archive` modally for the protocol card ("protocollo"); the
    // record double-clicked, with its position.
    static std::optional<lists::ChosenRecord> pick(QWidget* parent,
                                                   const records::ArchiveId& archive);

protected:
    bool runSearch(const QStringList& filterTexts, lists::ListedLines* lines) override;
    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
};

} // namespace tavolex::ui
