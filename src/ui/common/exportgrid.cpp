#include "exportgrid.h"

#include "files/log.h"

#include "artwork.h"
#include "behaviour.h"
#include "commands.h"
#include "core/programfolder.h"
#include "listscreen.h"
#include "messages.h"
#include "misc.h"
#include "recordcard.h"
#include "screens.h"
#include "wait.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

GridScreenDecl GridScreenDecl::archiveExport(QString objectName, QString caption,
                                             exporting::ExportTarget target,
                                             help::HelpText (*help)()) {
    GridScreenDecl decl;
    decl.objectName = std::move(objectName);
    decl.caption = std::move(caption);
    decl.initialHint = u"Esportazione archivio in Microsoft Excel."_s;
    decl.size = QSize(1100, 660);
    decl.commands = Commands::Column;
    decl.rowHeight = 21;
    decl.alternatingRows = true;
    decl.centred = true;
    decl.target = target;
    decl.help = help;
    return decl;
}

GridScreen::GridScreen(const GridScreenDecl& decl, GridModel* model, QWidget* parent)
    : QDialog(parent), m_decl(decl), m_model(model), m_behaviour(new ScreenBehaviour(this)) {
    m_model->setParent(this);
    setObjectName(decl.objectName);
    setWindowTitle(decl.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    applyProgramFormats();
    m_behaviour->addHintClearingArea(this);

    m_grid = new QTableView(this);
    m_grid->setObjectName(u"grdRecords"_s);
    m_grid->setModel(m_model);
    // Only the cells a model marks editable can be retyped.
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setAlternatingRowColors(decl.alternatingRows);
    m_grid->setWordWrap(false);
    if (decl.selectRows) m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    if (decl.rowHeight > 0) {
        m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_grid->verticalHeader()->setDefaultSectionSize(decl.rowHeight);
        m_grid->verticalHeader()->setMinimumSectionSize(decl.rowHeight);
    }
    for (int c = 0; c < m_model->columns().size(); ++c)
        m_grid->setColumnWidth(c, m_model->columns()[c].screenWidth);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_header = new QHBoxLayout;
    m_header->setContentsMargins(0, 0, 0, 0);
    if (decl.commands == GridScreenDecl::Commands::Column) {
        outer->setSpacing(0);
        auto* body = new QHBoxLayout;
        body->setContentsMargins(10, 10, 10, 10);
        outer->addLayout(body, 1);
        auto* left = new QVBoxLayout;
        left->setContentsMargins(0, 0, 0, 0);
        left->addLayout(m_header);
        left->addWidget(m_grid, 1);
        body->addLayout(left, 1);
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->addStretch();
        body->addLayout(column);
        m_commandLayout = column;
    } else {
        auto* body = new QVBoxLayout;
        body->setContentsMargins(10, 10, 10, 6);
        outer->addLayout(body, 1);
        auto* top = new QHBoxLayout;
        top->addLayout(m_header);
        top->addStretch();
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        top->addLayout(row);
        body->addLayout(top);
        body->addWidget(m_grid, 1);
        m_commandLayout = row;
    }

    const Command standards[] = {
        {.control = u"cmdEsporta"_s,
         .hint = decl.exportHint,
         .action = [this] { cmdEsportaClick(); }},
        {.control = u"cmdGuida"_s,
         .hint = u"Visualizza la pagina della guida sensibile al contesto."_s,
         .action = [this] { cmdGuidaClick(); }},
        {.control = u"cmdEsci"_s,
         .hint = u"Esci da questo ambiente di lavoro."_s,
         .action = [this] { cmdEsciClick(); }},
    };
    for (const Command& standard : standards) {
        QToolButton* button = makeCommand(completed(standard));
        // The column keeps its stretch at the bottom.
        m_commandLayout->insertWidget(
            m_commandLayout->count() - (decl.commands == GridScreenDecl::Commands::Column), button);
        m_commandOrder << button;
    }

    m_hintBar = makeHintBar(this, m_behaviour, decl.initialHint);
    outer->addWidget(m_hintBar);

    setFixedSize(decl.size);
    orderTabs();
}

GridScreen::GridScreen(const GridScreenDecl& decl, RecordGridModel* model, QWidget* parent)
    : GridScreen(decl, static_cast<GridModel*>(model), parent) {
    m_records = model;
}

GridScreen::GridScreen(const GridScreenDecl& decl, RowsGridModel* model, QWidget* parent)
    : GridScreen(decl, static_cast<GridModel*>(model), parent) {
    m_rows = model;
}

// Tab follows the screen: the row of header controls and buttons, then the grid; or the
// grid, then the column of buttons.
void GridScreen::orderTabs() {
    QList<QWidget*> order = m_headerOrder;
    if (m_decl.commands == GridScreenDecl::Commands::Column) order << m_grid;
    for (QToolButton* button : std::as_const(m_commandOrder))
        order << button;
    if (m_decl.commands == GridScreenDecl::Commands::Row) order << m_grid;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QToolButton* GridScreen::makeCommand(const Command& command) {
    QToolButton* button = makeCommandButton(this, m_behaviour, command);
    if (m_decl.commands == GridScreenDecl::Commands::Column) button->setMinimumWidth(130);
    return button;
}

QToolButton* GridScreen::addCommand(const Command& command) {
    QToolButton* button = makeCommand(command);
    m_commandLayout->insertWidget(m_customCommands, button);
    m_commandOrder.insert(m_customCommands++, button);
    orderTabs();
    return button;
}

void GridScreen::addHeaderWidget(QWidget* widget) {
    m_header->insertWidget(m_headerWidgets++, widget);
    m_headerOrder << widget;
    orderTabs();
}

int GridScreen::rowCount() const {
    return m_model->rowCount();
}

QString GridScreen::cellText(int row, int column) const {
    return m_model->cell(row, column);
}

void GridScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_decl.centred) centreOnScreen(this);
    if (event->spontaneous() && !m_decl.refillOnEveryShow) return;
    prepare();
}

files::WriteResult GridScreen::writeExport(const QString& path) const {
    return *writeExport(path, {});
}

std::optional<files::WriteResult>
GridScreen::writeExport(const QString& path, const std::function<bool(qsizetype)>& progress) const {
    // A grid that could not read its archive is not the archive: exporting it would
    // replace a good file with a partial or empty table.
    if (!m_model->isComplete())
        return files::WriteResult::failure(u"the archive could not be read"_s);
    // The file is streamed into the safe write's temporary file; stopped, the earlier file
    // stays as it was.
    bool stopped = false;
    files::WriteResult written = files::replaceFile(path, [&](QIODevice& out) {
        const exporting::SheetStream result = exporting::writeSpreadsheetTo(
            out, QString::fromUtf16(m_decl.target.worksheetName),
            exporting::sheetColumns(m_model->columns().mid(1)), m_model->rowCount(),
            [this](qsizetype row, int column, exporting::CellSink& sink) {
                m_model->writeCell(int(row), column + 1, sink);
            },
            progress);
        stopped = result == exporting::SheetStream::Stopped;
        return result == exporting::SheetStream::Written;
    });
    if (stopped) return std::nullopt;
    return written;
}

void GridScreen::cmdEsportaClick() {
    if (!msg::question(this, QString::fromUtf16(exporting::kAskExport))) return;
    // The grid is not the archive's: the cause is the archive, not the spreadsheet file.
    if (!m_model->isComplete()) return msg::archiveAccessError(this);
    const QString path = programPath(QString::fromUtf16(m_decl.target.fileName));
    const std::optional<files::WriteResult> outcome =
        runWithProgress<std::optional<files::WriteResult>>(
            this, u"Esportazione in corso\u2026"_s, m_model->rowCount(),
            [this, path](const Progress& progress) { return writeExport(path, progress); });
    if (!outcome) return; // stopped by "Annulla": nothing was written
    if (const files::WriteResult& written = *outcome; !written) {
        qCWarning(lcFiles).noquote() << written.cause();
        msg::plain(this, QString::fromUtf16(exporting::kExportFailed));
        return;
    }
    if (msg::question(this, m_decl.askOpenExport)) TMisc::Open(u'"' + path + u'"');
}

void GridScreen::cmdGuidaClick() {
    if (!m_decl.help) return;
    const help::HelpText help = m_decl.help();
    showHelp(this, help.title, help.text);
}

void GridScreen::cmdEsciClick() {
    reject();
}

} // namespace tavolex::ui
