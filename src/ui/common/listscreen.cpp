#include "listscreen.h"

#include "lists/listline.h"
#include "messages.h"
#include "text/casing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

ListScreen::ListScreen(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_header = new QVBoxLayout;
    layout->addLayout(m_header);

    auto* help = new QLabel(u"Immettere una o pi\u00F9 parole consecutive presenti nella scheda in elenco "
                            u"da cercare e premere il pulsante Trova."_s,
                            this);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* findRow = new QHBoxLayout;
    m_find = new QLineEdit(this);
    m_find->setObjectName(u"txtTrova"_s);
    auto* findButton = new QPushButton(u"Trova"_s, this);
    findButton->setObjectName(u"btnTrova"_s);
    connect(findButton, &QPushButton::clicked, this, &ListScreen::btnTrovaClick);
    // Enter in the search field moves the focus to "Trova".
    connect(m_find, &QLineEdit::returnPressed, findButton, [findButton] { findButton->setFocus(); });
    findRow->addWidget(m_find, 1);
    findRow->addWidget(findButton);
    layout->addLayout(findRow);
    layout->addWidget(new QLabel(
        u"Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo clic su Trova."_s,
        this));

    m_model = new QStringListModel(this);
    m_list = new QListView(this);
    m_list->setObjectName(u"lstRecords"_s);
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setWordWrap(false);
    QFont courier(u"Courier New"_s, 12);
    courier.setStyleHint(QFont::TypeWriter);
    m_list->setFont(courier);
    m_list->setStyleSheet(u"QListView { color: black; }"_s);
    m_list->setMinimumSize(900, 360);
    connect(m_list, &QListView::doubleClicked, this, &ListScreen::entryDoubleClicked);
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(u"Per richiamare i dati di una scheda, selezionarla con un doppio clic."_s, this));

    m_footer = new QHBoxLayout;
    layout->addLayout(m_footer);
    m_footer->addStretch();
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_footer->addWidget(close);

    m_memory = new QLabel(this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
}

void ListScreen::setLines(const QStringList& lines) {
    m_model->setStringList(lines);
    m_lastSearch.clear();
}

QStringList ListScreen::lines() const { return m_model->stringList(); }

int ListScreen::selectedRow() const {
    const QModelIndex index = m_list->currentIndex();
    return index.isValid() && m_list->selectionModel()->isSelected(index) ? index.row() : -1;
}

void ListScreen::selectRow(int row) {
    const QModelIndex index = m_model->index(row, 0);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

QString ListScreen::callerTag() const { return m_memory->text(); }
void ListScreen::setCallerTag(const QString& tag) { m_memory->setText(tag); }

void ListScreen::btnTrovaClick() {
    const qsizetype count = m_model->rowCount();
    if (count == 0) {
        msg::plain(this, u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
        return;
    }
    if (selectedRow() < 0)
        selectRow(0);
    const QString search = text::lowerAZ(m_find->text());
    const QStringList& entries = m_model->stringList();
    const int found = lists::findNextEntry(
        count, [&entries](qsizetype i) { return entries.at(i); }, selectedRow(), search, m_lastSearch);
    if (found >= 0)
        selectRow(found);
    m_lastSearch = search;
}

void ListScreen::entryDoubleClicked() {
    const int row = selectedRow();
    if (row >= 0)
        loadEntry(m_model->stringList().at(row));
    accept();
}

void ListScreen::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
}

void ListScreen::done(int result) {
    // Closing empties the list.
    m_model->setStringList({});
    QDialog::done(result);
}

} // namespace tavolex::ui
