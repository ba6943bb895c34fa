#pragma once

#include "chosenrecord.h"
#include "report/reportdata.h"

#include <QDialog>
#include <QStringList>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class QVBoxLayout;

namespace tavolex::ui {

class ListLineDelegate;

// The list-screen pattern of searches, summaries and the re-contact list: fixed-width
// lines in a fixed-pitch font, "Trova" with wrap-around, and a double-click that loads
// the record behind an entry and closes the screen.
// The list is a view over a string model, so lists of many thousands of lines cost one
// string per line and nothing per line on screen.
class ListScreen : public QDialog {
    Q_OBJECT
public:
    explicit ListScreen(const QString& objectName, const QString& caption,
                        QWidget* parent = nullptr);

    // Lines with no record behind them known: a double-click looks for the record by scanning.
    void setLines(const QStringList& lines);
    // Lines that carry the record behind each: a double-click reads that record alone.
    void setLines(lists::ListedLines lines);
    QStringList lines() const;
    // The record position carried by entry `row` (0: none).
    qint64 positionAt(int row) const { return m_positions.value(row); }
    // The record carried by entry `row`, with the archive as the list found it.
    lists::ListedRecord listedAt(int row) const { return {positionAt(row), m_stamp}; }
    int lineCount() const;
    int selectedRow() const;
    void selectRow(int row);
    QString callerTag() const;
    void setCallerTag(const QString& tag);

    // Empties txtTrova and the remembered search text (done each time a screen is shown).
    void resetFind();

    // The callers a double-click hands a record to; with another tag it hands back nothing.
    // Empty (the default): any caller.
    void setKnownCallerTags(QStringList tags) { m_knownTags = std::move(tags); }

    // Selects the entry and does what a double-click on it does.
    void activateRow(int row);
    // The record behind the entry double-clicked (the last one with that line), if any: what
    // the screen hands back to its caller.
    std::optional<ChosenRecord> chosen() const { return m_chosen; }

    // "Stampa" (btnStampa), placed before "Chiudi" by addPrintButton: the lines as a list
    // report with the given title, through the print dialog.
    void btnStampaClick();
    report::ListReport listReport() const;

    void btnTrovaClick();

protected:
    // The record behind a double-clicked entry; the screen closes afterwards. Any failure
    // gives nothing. `listed` is the record the entry carries (none: position 0) with the
    // archive's stamp from when the list was read, for lists::findLastWithLine.
    virtual std::optional<ChosenRecord> findEntry(const QString& line,
                                                  const lists::ListedRecord& listed) {
        Q_UNUSED(line);
        Q_UNUSED(listed);
        return std::nullopt;
    }
    // Place for the screen's own controls above the list.
    QBoxLayout* headerArea() const { return m_header; }
    QBoxLayout* footerArea() const { return m_footer; }
    QListView* listView() const { return m_list; }
    QLineEdit* findField() const { return m_find; }
    // The panel holding everything of the list (header, "Trova", list, footer); a screen
    // with a panel of its own (a search's filters) adds it to screenLayout().
    QWidget* listPanel() const { return m_panel; }
    QVBoxLayout* screenLayout() const { return m_screenLayout; }
    QPushButton* addPrintButton(const QString& reportTitle);
    // A list that only shows lines (no record behind an entry): the double-click instruction
    // goes, a double-click does nothing, and the closing button gets the screen's own name
    // and caption.
    void showLinesOnly(const QString& closeName, const QString& closeCaption);
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void entryDoubleClicked();

    QVBoxLayout* m_screenLayout;
    QWidget* m_panel;
    QBoxLayout* m_header;
    QBoxLayout* m_footer;
    QListView* m_list;
    QStringListModel* m_model;
    QList<qint64> m_positions;   // beside the model's lines, or empty
    lists::ArchiveStamp m_stamp; // the archive as the lines were read from it
    ListLineDelegate* m_delegate;
    QLineEdit* m_find;
    QLabel* m_memory;
    QPushButton* m_close;
    QLabel* m_doubleClickHint;
    bool m_loadsRecords = true;
    QString m_lastSearch;
    QString m_reportTitle;
    std::optional<ChosenRecord> m_chosen;
    QStringList m_knownTags;
};

// Shows a list or search screen modally for the caller named by `tag`; the record it hands
// back.
template <typename Screen>
std::optional<ChosenRecord> pickFrom(QWidget* parent, const QString& tag) {
    Screen screen(parent);
    screen.setCallerTag(tag);
    screen.exec();
    return screen.chosen();
}

// Places a fixed-size dialog in the middle of the screen it is on.
void centreOnScreen(QWidget* dialog);

} // namespace tavolex::ui
