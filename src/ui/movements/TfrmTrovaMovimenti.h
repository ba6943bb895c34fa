#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/searchscreen.h"
#include "ui/common/yearlyarchive.h"

#include <optional>

namespace tavolex::ui {

// " Trova movimenti in archivio": ten filters over the yearly archive open on the movement
// card (panel panAvvio), then the matching movements (panel panContainer). A double-click
// hands the chosen movement back to the card (tag "movimenti").
class TfrmTrovaMovimenti : public SearchScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmTrovaMovimenti(QWidget* parent = nullptr);

    // Shows the search over `archive` modally for the movement card; the movement
    // double-clicked, with its position.
    static std::optional<ChosenRecord> pick(QWidget* parent, const records::ArchiveId& archive);

protected:
    bool runSearch(const QStringList& filterTexts, lists::ListedLines* lines) override;
    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
};

} // namespace tavolex::ui
