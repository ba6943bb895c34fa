#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/searchscreen.h"

#include <optional>

namespace tavolex::ui {

// The client search: up to ten filters over Clienti.pro, the matching clients as a
// list, and a double-click that hands the chosen client back to the caller named by
// lblMemory ("clienti", "pratica", "movimenti_pagatore", "movimenti_beneficiario").
class TfrmTrovaClienti : public SearchScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaClienti(QWidget* parent = nullptr);

    // Shows the search modally for the caller named by `tag`; the client double-clicked.
    static std::optional<ChosenRecord> pick(QWidget* parent, const QString& tag);

protected:
    bool runSearch(const QStringList& filterTexts, lists::ListedLines* lines) override;
    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
};

} // namespace tavolex::ui
