#include "searchscreen.h"

#include "behaviour.h"
#include "messages.h"
#include "wait.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

SearchScreen::SearchScreen(const SearchScreenDecl& decl, QWidget* parent)
    : ListScreen(decl.objectName, decl.caption, parent), m_resetOnShow(decl.resetOnShow),
      m_behaviour(new ScreenBehaviour(this)) {
    // The list pattern's panel is the result panel, shown in place of the filter panel
    // once a search has run.
    if (!decl.resultPanelName.isEmpty()) listPanel()->setObjectName(decl.resultPanelName);
    setKnownCallerTags(decl.callerTags);
    m_countText = decl.countText;
    m_found = new QLabel(listPanel());
    m_found->setObjectName(u"lblTrovate"_s);
    if (decl.countPlace == SearchScreenDecl::CountPlace::AboveList) {
        QFont bold = m_found->font();
        bold.setBold(true);
        m_found->setFont(bold);
        headerArea()->addWidget(m_found);
    } else {
        footerArea()->insertWidget(0, m_found);
    }
    addPrintButton(decl.reportTitle);

    m_filterPanel = buildFilterPanel(decl);
    screenLayout()->insertWidget(0, m_filterPanel, 1);
    listPanel()->hide();
    setFixedSize(decl.size);
}

QWidget* SearchScreen::buildFilterPanel(const SearchScreenDecl& decl) {
    auto* panel = new QWidget(this);
    if (!decl.filterPanelName.isEmpty()) panel->setObjectName(decl.filterPanelName);
    auto* layout = new QVBoxLayout(panel);
    for (const char16_t* line : {u"Immettere nei campi prescelti una o pi\u00F9 parole consecutive "
                                 u"presenti nelle schede da trovare e "
                                 u"premere il pulsante Cerca.",
                                 u"Lasciare in bianco tutti gli altri campi.",
                                 u"Per ogni ricerca \u00E8 possibile utilizzare uno o pi\u00F9 "
                                 u"campi contemporaneamente."}) {
        auto* label = new QLabel(QString::fromUtf16(line), panel);
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    auto* grid = new QGridLayout;
    if (!decl.plainFilterPanel) {
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(10);
    }
    int row = 0;
    for (const SearchFilter& filter : decl.filters) {
        auto* field = new QLineEdit(panel);
        field->setObjectName(QString::fromUtf16(filter.control));
        grid->addWidget(new QLabel(QString::fromUtf16(filter.label), panel), row, 0);
        grid->addWidget(field, row, 1);
        if (decl.highlightFilters) m_behaviour->addHighlight(field, field->objectName().mid(3));
        m_filters << field;
        ++row;
    }
    // Enter moves through the filters, from the last back to the first.
    for (qsizetype i = 0; i < m_filters.size(); ++i)
        m_behaviour->setEnterNext(m_filters[i], m_filters[(i + 1) % m_filters.size()]);
    layout->addLayout(grid);
    layout->addStretch();

    m_waiting = new QLabel(u"Ricerca schede in corso. Attendere..."_s, panel);
    m_waiting->setObjectName(u"lblAttendere"_s);
    m_waiting->setProperty("tavolexAlert", !decl.plainFilterPanel);
    m_waiting->hide();
    layout->addWidget(m_waiting);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    // Created in their order on screen, which is also the order of Tab.
    auto makeAnnulla = [&] {
        auto* annulla = new QPushButton(u"Chiudi"_s, panel);
        annulla->setObjectName(u"btnAnnulla"_s);
        annulla->setAutoDefault(false);
        connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(annulla);
    };
    if (decl.closeBeforeSearch) makeAnnulla();
    m_cerca = new QPushButton(u"Cerca"_s, panel);
    m_cerca->setObjectName(u"btnCerca"_s);
    if (decl.closeBeforeSearch) m_cerca->setDefault(true);
    connect(m_cerca, &QPushButton::pressed, this, &SearchScreen::btnCercaMouseDown);
    connect(m_cerca, &QPushButton::clicked, this, &SearchScreen::btnCercaClick);
    // A press that ends away from the button runs no search: the label goes all the same.
    connect(m_cerca, &QPushButton::released, m_waiting,
            [this] { QTimer::singleShot(0, m_waiting, &QLabel::hide); });
    buttons->addWidget(m_cerca);
    if (!decl.closeBeforeSearch) makeAnnulla();
    layout->addLayout(buttons);
    return panel;
}

SearchScreenDecl SearchScreenDecl::twoPanels(QString objectName, QString caption,
                                             QString reportTitle,
                                             std::span<const SearchFilter> filters) {
    SearchScreenDecl decl;
    decl.objectName = std::move(objectName);
    decl.caption = std::move(caption);
    decl.reportTitle = std::move(reportTitle);
    decl.size = QSize(1000, 600);
    decl.filters = filters;
    decl.filterPanelName = u"panAvvio"_s;
    decl.resultPanelName = u"panContainer"_s;
    decl.countPlace = CountPlace::BesideButtons;
    decl.plainFilterPanel = true;
    decl.closeBeforeSearch = true;
    return decl;
}

QStringList SearchScreen::filterTexts() const {
    QStringList texts;
    for (const QLineEdit* field : m_filters)
        texts << field->text();
    return texts;
}

void SearchScreen::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    if (!m_resetOnShow) return;
    centreOnScreen(this);
    FormShow();
}

void SearchScreen::FormShow() {
    listPanel()->hide();
    m_filterPanel->show();
    resetFind();
    if (!m_filters.isEmpty()) m_filters.first()->setFocus(Qt::OtherFocusReason);
}

void SearchScreen::btnCercaMouseDown() {
    m_waiting->show();
    m_waiting->repaint();
}

void SearchScreen::btnCercaClick() {
    // The scan runs off the UI thread: the wait label stays painted while it lasts.
    lists::ListedLines lines;
    const bool read = runWaiting<bool>(
        m_waiting, [this, filters = filterTexts(), &lines] { return runSearch(filters, &lines); });
    if (!read) {
        msg::plain(this, msg::archiveAccessErrorText());
        return;
    }
    const qsizetype count = lines.size();
    setLines(std::move(lines));
    m_found->setText(m_countText.arg(count));
    m_filterPanel->hide();
    listPanel()->show();
    resetFind();
    findField()->setFocus(Qt::OtherFocusReason);
}

void SearchScreen::done(int result) {
    m_waiting->hide();
    ListScreen::done(result);
}

} // namespace tavolex::ui
