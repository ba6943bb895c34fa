#pragma once

#include "listscreen.h"

#include <QList>
#include <QSize>
#include <span>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

class ScreenBehaviour;

// One filter of a search: its edit field and the label in front of it.
struct SearchFilter {
    const char16_t* control;
    const char16_t* label;
};

// What a two-panel search declares; the pattern builds the rest.
struct SearchScreenDecl {
    QString objectName;
    QString caption;
    QString reportTitle; // title of the printed list
    QSize size;
    // In panel order, which is also the order of Enter (from the last back to the first).
    std::span<const SearchFilter> filters;
    // Names of the two panels, for screens whose panels are addressed by name.
    QString filterPanelName;
    QString resultPanelName;
    bool highlightFilters = false; // yellow focus highlight on every filter
    // The style's spacing between the filters and an unstyled waiting label, instead of
    // wider rows and a waiting label in bold red.
    bool plainFilterPanel = false;
    // lblTrovate: in bold above the list, or first in the row of the list's buttons.
    enum class CountPlace { AboveList, BesideButtons } countPlace = CountPlace::AboveList;
    // "Chiudi" before "Cerca", "Cerca" being the default button; otherwise "Cerca" first.
    bool closeBeforeSearch = false;
    // Each showing centres the screen and goes back to the filter panel (FormShow).
    bool resetOnShow = false;
    // The callers a double-click hands a record back to (lblMemory); with any other tag it
    // hands back nothing. Empty: any caller.
    QStringList callerTags;
    // The count label after a search, %1 the number of lines.
    QString countText = QStringLiteral("Il presente riepilogo contiene %1 schede.");

    // The search of an archive in two named panels (panAvvio, then panContainer), "Chiudi"
    // before "Cerca", the count beside the list's buttons, 1000 × 600.
    static SearchScreenDecl twoPanels(QString objectName, QString caption, QString reportTitle,
                                      std::span<const SearchFilter> filters);
};

// The two-panel search: the filter panel (instructions, filters, "Cerca", "Chiudi" and
// the waiting label lblAttendere), then, once "Cerca" has run, the list of the matches
// with its count lblTrovate in place of it (the list-screen pattern).
// A screen supplies the search itself (runSearch) and the load of an entry (loadEntry).
class SearchScreen : public ListScreen {
    Q_OBJECT
public:
    // The filter fields, in panel order.
    const QList<QLineEdit*>& filterFields() const { return m_filters; }
    QStringList filterTexts() const;

    void FormShow();
    // Runs the search; on success lists the matches, on failure reports the archive
    // error and stays on the filter panel.
    void btnCercaClick();
    void btnCercaMouseDown();

protected:
    SearchScreen(const SearchScreenDecl& decl, QWidget* parent);

    // The lines of the matching records, each with the record behind it; false when the
    // archive cannot be read. Runs on a worker thread: it reads files only and touches no
    // widget.
    virtual bool runSearch(const QStringList& filterTexts, lists::ListedLines* lines) = 0;

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QWidget* buildFilterPanel(const SearchScreenDecl& decl);

    bool m_resetOnShow;
    ScreenBehaviour* m_behaviour;
    QWidget* m_filterPanel = nullptr;
    QList<QLineEdit*> m_filters;
    QPushButton* m_cerca = nullptr;
    QLabel* m_waiting = nullptr;
    QLabel* m_found = nullptr;
    QString m_countText;
};

} // namespace tavolex::ui
