#pragma once

#include <QDialog>
#include <QStringList>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

namespace tavolex::ui {

// The list-screen pattern of searches, summaries and the re-contact list: fixed-width
// lines in a fixed-pitch font, "Trova" with wrap-around, and a double-click that loads
// the record behind an entry and closes the screen.
class ListScreen : public QDialog {
    Q_OBJECT
public:
    explicit ListScreen(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    QStringList lines() const;
    int selectedRow() const;
    void selectRow(int row);
    QString callerTag() const;
    void setCallerTag(const QString& tag);

    void btnTrovaClick();

protected:
    // Loads the record behind the chosen entry; the screen closes afterwards.
    virtual void loadEntry(const QString& line) { Q_UNUSED(line); }
    // Place for the screen's own controls above the list.
    QBoxLayout* headerArea() const { return m_header; }
    QBoxLayout* footerArea() const { return m_footer; }
    QListView* listView() const { return m_list; }
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void entryDoubleClicked();

    QBoxLayout* m_header;
    QBoxLayout* m_footer;
    QListView* m_list;
    QStringListModel* m_model;
    QLineEdit* m_find;
    QLabel* m_memory;
    QString m_lastSearch;
};

} // namespace tavolex::ui
