#include "TfrmStats.h"

#include "movements/movementrecord.h"
#include "records/store.h"
#include "statschart.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/commands.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"
#include "ui/common/theme.h"
#include "ui/common/wait.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMostCopies = 999; // what the print dialog's copies box goes up to
constexpr qreal kPageDesignWidth = 1000;

// A chart value: the whole euro of a sum, as a number to draw (the sums of any real archive
// are far inside the range).
qlonglong chartValue(const money::Amount& sum) {
    const money::Amount::Units euro = accounts::wholeEuro(sum).units();
    constexpr auto most = std::numeric_limits<qlonglong>::max();
    if (euro > most) return most;
    if (euro < -most) return -most;
    return qlonglong(euro);
}

} // namespace

StatsScreen::StatsScreen(const StatsScreenDecl& decl, QWidget* parent)
    : QDialog(parent), m_behaviour(new ScreenBehaviour(this)) {
    setObjectName(decl.objectName);
    setWindowTitle(decl.caption);
    setModal(true);
    applyProgramFormats();
    m_behaviour->addHintClearingArea(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 6);
    outer->addLayout(body, 1);

    auto* top = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    m_heading = new QLabel(this);
    m_heading->setObjectName(u"lblTitolo"_s);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    m_heading->setFont(headingFont);
    texts->addWidget(m_heading);
    texts->addWidget(new QLabel(decl.description, this));
    texts->addWidget(new QLabel(u"Servirsi dei pulsanti in calce per visualizzare il tipo di "
                                u"grafico desiderato e per mandarlo in stampa."_s,
                                this));
    top->addLayout(texts, 1);
    QToolButton* guida = makeCommandButton(
        this, m_behaviour,
        completed({.control = u"cmdGuida"_s,
                   .hint = u"Visualizza la pagina della guida sensibile al contesto."_s,
                   .action = [this] { cmdGuidaClick(); }}));
    top->addWidget(guida, 0, Qt::AlignTop);
    body->addLayout(top);

    m_chart =
        new StatsChart({QString::fromUtf16(decl.texts.title), QString::fromUtf16(decl.texts.legend),
                        QString::fromUtf16(decl.texts.foot)},
                       this);
    body->addWidget(m_chart, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto button = [&](const QString& name, const QString& caption, const QString& hint,
                            void (StatsScreen::*click)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, click);
        m_behaviour->setHint(b, hint);
        buttons->addWidget(b);
        return b;
    };
    button(u"btnTorta"_s, u"Visualizza grafico a torta"_s, decl.pieHint,
           &StatsScreen::btnTortaClick);
    button(u"btnBarre"_s, u"Visualizza grafico a barre"_s, decl.barsHint,
           &StatsScreen::btnBarreClick);
    button(u"btnStampa"_s, u"Stampa grafico"_s, u"Stampa il grafico corrente."_s,
           &StatsScreen::btnStampaClick);
    button(u"btnEsci"_s, u"Esci"_s, u"Esci da questo ambiente di lavoro."_s,
           &StatsScreen::btnEsciClick);
    buttons->addStretch();
    body->addLayout(buttons);

    outer->addWidget(makeHintBar(this, m_behaviour, decl.initialHint));
    resize(1100, 760);
}

void StatsScreen::setSource(const records::ArchiveId& archive, const QString& yearText) {
    m_archive = archive;
    m_year = yearText;
}

void StatsScreen::setHeading(const QString& heading) {
    m_heading->setText(heading);
}

void StatsScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    setWindowState(windowState() | Qt::WindowMaximized);
    if (m_filled) return;
    m_filled = true;
    m_chart->series()->clear();
    if (m_archive.isValid()) fillSeries();
    m_chart->setKind(StatsSeries::Kind::Bar);
}

void StatsScreen::btnBarreClick() {
    m_chart->setKind(StatsSeries::Kind::Bar);
}

void StatsScreen::btnTortaClick() {
    m_chart->setKind(StatsSeries::Kind::Pie);
}

int StatsScreen::copiesFrom(const QString& answer) {
    QString digits = text::trimmed(answer);
    if (!text::isDigitsOnly(digits)) return 1;
    // Leading zeros say nothing; a number longer than the box allows asks for the most.
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > 3) return kMostCopies;
    return qBound(1, digits.toInt(), kMostCopies);
}

void StatsScreen::btnStampaClick() {
    if (!msg::question(this, u"Si vuole stampare il presente grafico statistico?"_s)) return;
    QInputDialog input(this);
    input.setObjectName(u"dlgCopie"_s);
    input.setInputMode(QInputDialog::TextInput);
    input.setWindowTitle(u"Numero copie da stampare"_s);
    input.setLabelText(u"Copie:"_s);
    input.setTextValue(u"1"_s);
    if (input.exec() != QDialog::Accepted) return;
    QPrinter printer(QPrinter::HighResolution);
    printCopies(printer, copiesFrom(input.textValue()));
}

bool StatsScreen::printCopies(QPrinter& printer, int copies) {
    printer.setDocName(windowTitle().trimmed());
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(copies);
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) return false;
    // Each copy is a page of its own, so the printer must not repeat the job as well.
    const int chosen = qBound(1, printer.copyCount(), kMostCopies);
    printer.setCopyCount(1);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    bool printed = true;
    for (int copy = 0; copy < chosen && printed; ++copy) {
        if (copy > 0) printed = printer.newPage();
        if (printed) paintPage(painter, page);
    }
    return painter.end() && printed;
}

void StatsScreen::paintPage(QPainter& painter, const QRectF& page) const {
    const qreal scale = page.width() / kPageDesignWidth;
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    m_chart->paintChart(painter, QRectF(0, 0, kPageDesignWidth, page.height() / scale));
    painter.restore();
}

void StatsScreen::cmdGuidaClick() {
    const help::HelpText help = help::statistics();
    showHelp(this, help.title, help.text);
}

void StatsScreen::btnEsciClick() {
    reject();
}

namespace {

const QString kMonthMemos[12] = {u"memGennaio"_s, u"memFebbraio"_s, u"memMarzo"_s,
                                 u"memAprile"_s,  u"memMaggio"_s,   u"memGiugno"_s,
                                 u"memLuglio"_s,  u"memAgosto"_s,   u"memSettembre"_s,
                                 u"memOttobre"_s, u"memNovembre"_s, u"memDicembre"_s};

// A hidden label holding a running sum as exact text ("100,8", "0,3"); "0" until summed.
void addMemo(QWidget* screen, const QString& name) {
    auto* memo = new QLabel(u"0"_s, screen);
    memo->setObjectName(name);
    memo->hide();
}
void setMemo(QWidget* screen, const QString& name, const money::Amount& sum) {
    if (auto* memo = screen->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly))
        memo->setText(sum.toText());
}

} // namespace

MonthlyStatsScreen::MonthlyStatsScreen(const StatsScreenDecl& decl, accounts::MovementKind kind,
                                       QWidget* parent)
    : StatsScreen(decl, parent), m_kind(kind) {
    for (const QString& name : kMonthMemos)
        addMemo(this, name);
}

void MonthlyStatsScreen::fillSeries() {
    // The archive is created empty when missing: twelve zero points. It is read away from
    // the screen, which keeps painting; a read that fails part-way shows what was summed
    // before it.
    const accounts::MonthSums sums = runWaiting<accounts::MonthSums>(
        nullptr, [archive = archiveId(), kind = m_kind, year = yearText()] {
            accounts::MonthSums summed;
            const std::unique_ptr<records::Archive> movements = records::programArchive(archive);
            movements->prepare();
            accounts::monthSums(*movements, kind, year, &summed);
            return summed;
        });
    const auto& points = accounts::monthPoints();
    for (size_t m = 0; m < points.size(); ++m) {
        setMemo(this, kMonthMemos[m], sums[m]);
        chart()->series()->addPoint(QString::fromUtf16(points[m].label), chartValue(sums[m]),
                                    QColor::fromRgba(points[m].argb));
    }
}

TfrmStatsEntrate::TfrmStatsEntrate(QWidget* parent)
    : MonthlyStatsScreen(
          {.objectName = u"TfrmStatsEntrate"_s,
           .caption = u" Tavolex - Statistiche entrate mensili"_s,
           .description = u"Il presente grafico statistico mostra le entrate relative a ciascun "
                          u"mese dell'anno in base ai movimenti registrati."_s,
           .initialHint = u"Grafico statistico delle entrate mensili."_s,
           .barsHint = u"Visualizza le statistiche delle entrate mensili sotto forma di grafico "
                       u"a barre tridimensionali."_s,
           .pieHint = u"Visualizza le statistiche delle entrate mensili sotto forma di grafico "
                      u"a torta tridimensionale."_s,
           .texts = accounts::kIncomeChart},
          accounts::MovementKind::Income, parent) {}

TfrmStatsUscite::TfrmStatsUscite(QWidget* parent)
    : MonthlyStatsScreen(
          {.objectName = u"TfrmStatsUscite"_s,
           .caption = u" Tavolex - Statistiche uscite mensili"_s,
           .description = u"Il presente grafico statistico mostra le uscite relative a ciascun "
                          u"mese dell'anno in base ai movimenti registrati."_s,
           .initialHint = u"Grafico statistico delle uscite mensili."_s,
           .barsHint = u"Visualizza le statistiche delle uscite mensili sotto forma di grafico a "
                       u"barre tridimensionali."_s,
           .pieHint = u"Visualizza le statistiche delle uscite mensili sotto forma di grafico a "
                      u"torta tridimensionale."_s,
           .texts = accounts::kExpenseChart},
          accounts::MovementKind::Expense, parent) {}

TfrmStatsBilancio::TfrmStatsBilancio(QWidget* parent)
    : StatsScreen({.objectName = u"TfrmStatsBilancio"_s,
                   .caption = u" Tavolex - Statistiche bilancio annuale"_s,
                   .description = u"Il presente grafico statistico mostra il bilancio annuale "
                                  u"delle entrate e uscite in base ai movimenti registrati."_s,
                   .initialHint = u"Grafico statistico del bilancio annuale."_s,
                   .barsHint = u"Visualizza il bilancio annuale sotto forma di grafico a barre "
                               u"tridimensionali."_s,
                   .pieHint = u"Visualizza il bilancio annuale sotto forma di grafico a torta "
                              u"tridimensionale."_s,
                   .texts = accounts::kBalanceChart},
                  parent) {
    addMemo(this, u"memGuadagni"_s);
    addMemo(this, u"memSpese"_s);
}

void TfrmStatsBilancio::fillSeries() {
    // Any failure ends the sums without a message: the chart shows what was added so far.
    // The archive is read away from the screen, which keeps painting.
    const accounts::YearBalance balance =
        runWaiting<accounts::YearBalance>(nullptr, [archive = archiveId()] {
            accounts::YearBalance summed;
            accounts::yearBalance(*records::programArchive(archive), &summed);
            return summed;
        });
    setMemo(this, u"memGuadagni"_s, balance.income);
    setMemo(this, u"memSpese"_s, balance.expenses);
    const auto& points = accounts::balancePoints();
    chart()->series()->addPoint(QString::fromUtf16(points[0].label), chartValue(balance.income),
                                QColor::fromRgba(points[0].argb));
    chart()->series()->addPoint(QString::fromUtf16(points[1].label), chartValue(balance.expenses),
                                QColor::fromRgba(points[1].argb));
}

} // namespace tavolex::ui
