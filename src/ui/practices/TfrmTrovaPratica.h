#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/searchscreen.h"

#include <optional>

namespace tavolex::ui {

// " Trova pratiche in archivio": up to ten filters over Pratiche.pro, then the matching
// practices; a double-click hands the practice back to the caller named by lblMemory:
// "pratica" (the practice card loads it whole) or "scadenzario" (the deadline card copies
// ten of its fields).
class TfrmTrovaPratica : public SearchScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaPratica(QWidget* parent = nullptr);

    // Shows the search modally for the caller named by `tag`; the practice double-clicked.
    static std::optional<ChosenRecord> pick(QWidget* parent, const QString& tag);

protected:
    bool runSearch(const QStringList& filterTexts, lists::ListedLines* lines) override;
    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
};

} // namespace tavolex::ui
