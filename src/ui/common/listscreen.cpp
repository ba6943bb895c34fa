#include "listscreen.h"

#include "lists/listline.h"
#include "messages.h"
#include "report/reportdocument.h"
#include "report/reportservice.h"
#include "text/casing.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <functional>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

// With uniform item sizes the view asks the size of one entry only; this delegate
// answers with the width of the longest line, so every line can be scrolled to its end.
class ListLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setLineWidth(int width) { m_width = width; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(qMax(size.width(), m_width));
        return size;
    }

private:
    int m_width = 0;
};

namespace {
// Enter (either key) in one control does `action`, and nothing more.
class EnterKey : public QObject {
public:
    EnterKey(QObject* parent, std::function<void()> action)
        : QObject(parent), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        m_action();
        return true;
    }

private:
    std::function<void()> m_action;
};
} // namespace

ListScreen::ListScreen(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    m_screenLayout = new QVBoxLayout(this);
    m_panel = new QWidget(this);
    m_screenLayout->addWidget(m_panel, 1);
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_header = new QVBoxLayout;
    layout->addLayout(m_header);

    auto* help =
        new QLabel(u"Immettere una o pi\u00F9 parole consecutive presenti nella scheda in elenco "
                   u"da cercare e premere il pulsante Trova."_s,
                   m_panel);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* findRow = new QHBoxLayout;
    m_find = new QLineEdit(m_panel);
    m_find->setObjectName(u"txtTrova"_s);
    auto* findButton = new QPushButton(u"Trova"_s, m_panel);
    findButton->setObjectName(u"btnTrova"_s);
    findButton->setAutoDefault(false);
    connect(findButton, &QPushButton::clicked, this, &ListScreen::btnTrovaClick);
    // Enter in the search field moves the focus to "Trova"; Enter on "Trova" then searches.
    // Each Enter does one of the two, whatever else the screen does with Enter.
    m_find->installEventFilter(new EnterKey(m_find, [findButton] { findButton->setFocus(); }));
    findButton->installEventFilter(new EnterKey(findButton, [findButton] { findButton->click(); }));
    findRow->addWidget(m_find, 1);
    findRow->addWidget(findButton);
    layout->addLayout(findRow);
    layout->addWidget(new QLabel(
        u"Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo clic su Trova."_s,
        m_panel));

    m_model = new QStringListModel(this);
    m_list = new QListView(m_panel);
    m_list->setObjectName(u"lstRecords"_s);
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setWordWrap(false);
    m_list->setTextElideMode(Qt::ElideNone);
    QFont courier(u"Courier New"_s, 12);
    courier.setStyleHint(QFont::TypeWriter);
    m_list->setFont(courier);
    m_list->setProperty("tavolexFixedPitch", true);
    m_list->setMinimumSize(900, 360);
    m_delegate = new ListLineDelegate(m_list);
    m_list->setItemDelegate(m_delegate);
    connect(m_list, &QListView::doubleClicked, this, &ListScreen::entryDoubleClicked);
    layout->addWidget(m_list, 1);
    m_doubleClickHint = new QLabel(
        u"Per richiamare i dati di una scheda, selezionarla con un doppio clic."_s, m_panel);
    layout->addWidget(m_doubleClickHint);

    m_footer = new QHBoxLayout;
    layout->addLayout(m_footer);
    m_footer->addStretch();
    m_close = new QPushButton(u"Chiudi"_s, m_panel);
    m_close->setObjectName(u"btnChiudi"_s);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    m_footer->addWidget(m_close);

    m_memory = new QLabel(this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
}

void ListScreen::setLines(const QStringList& lines) {
    qsizetype longest = 0;
    for (const QString& line : lines)
        longest = qMax(longest, line.size());
    const QFontMetrics metrics(m_list->font());
    m_delegate->setLineWidth(
        int(qMin<qsizetype>(longest, 100000)) * metrics.horizontalAdvance(u'M') + 16);
    m_model->setStringList(lines);
    m_positions.clear();
    m_stamp = {};
    m_lastSearch.clear();
}

void ListScreen::setLines(lists::ListedLines lines) {
    setLines(lines.lines);
    if (lines.positions.size() == lines.lines.size()) {
        m_positions = std::move(lines.positions);
        m_stamp = lines.stamp;
    }
}

QStringList ListScreen::lines() const {
    return m_model->stringList();
}

int ListScreen::lineCount() const {
    return m_model->rowCount();
}

int ListScreen::selectedRow() const {
    const QModelIndex index = m_list->currentIndex();
    return index.isValid() && m_list->selectionModel()->isSelected(index) ? index.row() : -1;
}

void ListScreen::selectRow(int row) {
    const QModelIndex index = m_model->index(row, 0);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

QString ListScreen::callerTag() const {
    return m_memory->text();
}
void ListScreen::setCallerTag(const QString& tag) {
    m_memory->setText(tag);
}

void ListScreen::resetFind() {
    m_find->clear();
    m_lastSearch.clear();
}

void ListScreen::activateRow(int row) {
    if (row >= 0 && row < m_model->rowCount()) selectRow(row);
    entryDoubleClicked();
}

QPushButton* ListScreen::addPrintButton(const QString& reportTitle) {
    m_reportTitle = reportTitle;
    auto* print = new QPushButton(u"Stampa"_s, m_panel);
    print->setObjectName(u"btnStampa"_s);
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &ListScreen::btnStampaClick);
    m_footer->insertWidget(m_footer->indexOf(m_close), print);
    return print;
}

void ListScreen::showLinesOnly(const QString& closeName, const QString& closeCaption) {
    m_loadsRecords = false;
    m_doubleClickHint->hide();
    m_close->setObjectName(closeName);
    m_close->setText(closeCaption);
}

report::ListReport ListScreen::listReport() const {
    report::ListReport r;
    r.title = m_reportTitle;
    r.lines = m_model->stringList();
    return r;
}

void ListScreen::btnStampaClick() {
    report::print(this, report::ReportDocument::list(listReport()));
}

void ListScreen::btnTrovaClick() {
    const qsizetype count = m_model->rowCount();
    if (count == 0) {
        msg::plain(this, u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
        return;
    }
    if (selectedRow() < 0) selectRow(0);
    const QString search = text::lowerAZ(m_find->text());
    const QStringList& entries = m_model->stringList();
    const int found = lists::findNextEntry(
        count, [&entries](qsizetype i) { return entries.at(i); }, selectedRow(), search,
        m_lastSearch);
    if (found >= 0) selectRow(found);
    m_lastSearch = search;
}

void ListScreen::entryDoubleClicked() {
    if (!m_loadsRecords) return;
    const int row = selectedRow();
    m_chosen.reset();
    if (row >= 0 && (m_knownTags.isEmpty() || m_knownTags.contains(callerTag())))
        m_chosen = findEntry(m_model->stringList().at(row), listedAt(row));
    accept();
}

void ListScreen::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
}

void ListScreen::done(int result) {
    // Closing empties the list.
    m_model->setStringList({});
    m_positions.clear();
    m_stamp = {};
    QDialog::done(result);
}

void centreOnScreen(QWidget* dialog) {
    if (const QScreen* screen = dialog->screen()) {
        QRect frame = dialog->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        dialog->move(frame.topLeft());
    }
}

} // namespace tavolex::ui
