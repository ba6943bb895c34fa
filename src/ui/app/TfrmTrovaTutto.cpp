#include "TfrmTrovaTutto.h"

#include "foundrecordsmodel.h"
#include "help/helptexts.h"
#include "programfolder.h"
#include "ui/common/behaviour.h"
#include "ui/common/commands.h"
#include "ui/common/recordcard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace tavolex::ui {

using namespace Qt::StringLiterals;

TfrmTrovaTutto::TfrmTrovaTutto(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmTrovaTutto"_s);
    m_pool.setMaxThreadCount(1);
    setWindowTitle(u" Tavolex - Trova ovunque"_s);
    setAttribute(Qt::WA_StyledBackground);
    resize(1000, 640);
    auto* behaviour = new ScreenBehaviour(this);
    auto* outer = new QVBoxLayout(this);

    auto* row = new QHBoxLayout;
    auto* label = new QLabel(u"Testo da cercare:"_s, this);
    label->setObjectName(u"lblCerca"_s);
    row->addWidget(label);
    m_text = new QLineEdit(this);
    m_text->setObjectName(u"txtCerca"_s);
    m_text->setMaxLength(250); // no field holds more
    behaviour->setHint(m_text, u"Il testo da cercare in tutti gli archivi; Invio avvia la "
                               u"ricerca."_s);
    row->addWidget(m_text, 1);
    row->addWidget(
        makeCommandButton(this, behaviour,
                          completed({.control = u"cmdTrova"_s,
                                     .hint = u"Cerca il testo in tutti gli archivi di tutti gli "
                                             u"anni."_s,
                                     .action = [this] { cmdTrovaClick(); }})));
    outer->addLayout(row);

    m_model = new FoundRecordsModel(this);
    m_results = new QTableView(this);
    m_results->setObjectName(u"lstRisultati"_s);
    m_results->setModel(m_model);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setWordWrap(false);
    m_results->verticalHeader()->hide();
    m_results->verticalHeader()->setDefaultSectionSize(m_results->fontMetrics().height() + 6);
    m_results->horizontalHeader()->setStretchLastSection(true);
    m_results->setColumnWidth(0, 100);
    m_results->setColumnWidth(1, 60);
    m_results->setColumnWidth(2, 70);
    m_results->setColumnWidth(3, 320);
    behaviour->setHint(m_results, u"Doppio clic o Invio su una riga per aprire la scheda."_s);
    outer->addWidget(m_results, 1);
    // Double-click, or Enter on the current row.
    connect(m_results, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { openRow(index.row()); });

    m_count = new QLabel(this);
    m_count->setObjectName(u"lblConteggio"_s);
    outer->addWidget(m_count);

    auto* commands = new QHBoxLayout;
    // Caption, glyph and tone of the standard commands of these names.
    commands->addWidget(makeCommandButton(
        this, behaviour,
        completed({.control = u"cmdGuida"_s, .action = [this] { cmdGuidaClick(); }})));
    commands->addWidget(makeCommandButton(
        this, behaviour, completed({.control = u"cmdEsci"_s, .action = [this] { close(); }})));
    commands->addStretch();
    outer->addLayout(commands);
    m_hintBar = makeHintBar(this, behaviour, {});
    outer->addWidget(m_hintBar);

    connect(m_text, &QLineEdit::returnPressed, this, [this] { cmdTrovaClick(); });
}

TfrmTrovaTutto::~TfrmTrovaTutto() {
    cancelSearch();
}

bool TfrmTrovaTutto::isSearching() const {
    return m_running;
}

void TfrmTrovaTutto::cancelSearch() {
    if (m_job) m_job->cancel = true;
    // The worker looks at the flag between blocks of a few MiB: the wait is short.
    m_future.waitForFinished();
    m_job.reset();
    ++m_generation; // what the cancelled scan still posted is dropped
    m_running = false;
}

void TfrmTrovaTutto::waitForSearch() {
    m_future.waitForFinished();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TfrmTrovaTutto::cmdTrovaClick() {
    cancelSearch();
    m_model->clear();
    m_archives = 0;
    m_lastArchive.reset();
    m_damaged = 0;
    m_unreadable = 0;
    const search::FoldedText text(m_text->text());
    if (text.isEmpty()) {
        m_count->clear();
        m_text->setFocus();
        return;
    }
    m_running = true;
    m_hintBar->setText(u"Ricerca in corso..."_s);
    showCount();
    auto job = std::make_shared<Job>();
    m_job = job;
    const int generation = m_generation;
    // The worker touches no widget: what it finds is posted to this screen, a batch at most
    // every tenth of a second and at the end of each archive, in the order found.
    m_future = QtConcurrent::run(&m_pool, [this, job, generation, text] {
        std::vector<search::Hit> batch;
        qint64 damaged = 0;
        int unreadable = 0;
        QElapsedTimer sincePost;
        sincePost.start();
        const auto post = [&] {
            QMetaObject::invokeMethod(
                this,
                [this, generation, hits = std::move(batch)]() mutable {
                    addHits(generation, std::move(hits));
                },
                Qt::QueuedConnection);
            batch.clear();
            sincePost.restart();
        };
        const records::ArchiveStore& store = records::archiveStore();
        for (const records::ArchiveId& archive : search::archivesIn(store)) {
            const search::ArchiveScan scan =
                search::scanArchive(store, archive, text, &job->cancel, [&](search::Hit&& hit) {
                    batch.push_back(std::move(hit));
                    if (sincePost.elapsed() >= 100) post();
                });
            if (scan.cancelled) return;
            damaged += scan.damaged;
            if (!scan.readable) ++unreadable;
            post();
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, damaged, unreadable] {
                searchEnded(generation, damaged, unreadable);
            },
            Qt::QueuedConnection);
    });
}

void TfrmTrovaTutto::addHits(int generation, std::vector<search::Hit> hits) {
    if (generation != m_generation) return;
    const bool first = m_model->rowCount() == 0;
    // Hits come archive by archive: a new archive starts where kind or year changes.
    for (const search::Hit& hit : hits) {
        if (!m_lastArchive || m_lastArchive->first != hit.kind || m_lastArchive->second != hit.year)
            ++m_archives;
        m_lastArchive = std::pair{hit.kind, hit.year};
    }
    m_model->append(std::move(hits));
    if (first && m_model->rowCount() > 0) m_results->selectRow(0);
    showCount();
}

void TfrmTrovaTutto::searchEnded(int generation, qint64 damaged, int unreadable) {
    if (generation != m_generation) return;
    m_running = false;
    m_damaged = damaged;
    m_unreadable = unreadable;
    m_hintBar->clear();
    showCount();
}

void TfrmTrovaTutto::showCount() {
    QString text = u"Trovate %1 schede in %2 archivi."_s.arg(m_model->rowCount()).arg(m_archives);
    if (m_damaged > 0) text += u" Schede danneggiate non esaminate: %1."_s.arg(m_damaged);
    if (m_unreadable > 0) text += u" Archivi illeggibili: %1."_s.arg(m_unreadable);
    m_count->setText(text);
}

void TfrmTrovaTutto::openRow(int row) {
    const search::Hit* hit = m_model->hit(row);
    if (!hit) return;
    Q_EMIT recordRequested(hit->kind, hit->year, hit->record);
}

void TfrmTrovaTutto::cmdGuidaClick() {
    const help::HelpText help = help::globalSearch();
    showHelp(this, help.title, help.text);
}

void TfrmTrovaTutto::closeEvent(QCloseEvent* event) {
    cancelSearch();
    m_model->clear();
    m_text->clear();
    m_count->clear();
    m_hintBar->clear();
    event->accept();
    hide();
    Q_EMIT finished();
}

} // namespace tavolex::ui
