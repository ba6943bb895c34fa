#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/listscreen.h"

#include <QList>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

class ScreenBehaviour;

// The client search: up to ten filters over Clienti.pro, the matching clients as a
// list, and a double-click that hands the chosen client back to the caller named by
// lblMemory ("clienti", "pratica", "movimenti_pagatore", "movimenti_beneficiario").
class TfrmTrovaClienti : public ListScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaClienti(QWidget* parent = nullptr);

    // The record of the entry double-clicked (the last one with that line); nothing when
    // the search closed otherwise, the load failed or the caller tag is not known.
    std::optional<ChosenRecord> chosen() const { return m_chosen; }

    // The ten filter fields, in panel order.
    const QList<QLineEdit*>& filterFields() const { return m_filters; }

    void FormShow();
    void btnCercaClick();
    void btnCercaMouseDown();

    static bool isKnownCallerTag(const QString& tag);

protected:
    void loadEntry(const QString& line) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QWidget* buildFilterPanel();

    ScreenBehaviour* m_behaviour;
    QWidget* m_filterPanel = nullptr;
    QList<QLineEdit*> m_filters;
    QPushButton* m_cerca = nullptr;
    QLabel* m_waiting = nullptr;
    QLabel* m_found = nullptr;
    std::optional<ChosenRecord> m_chosen;
};

} // namespace tavolex::ui
