#include "TfrmRiepProtocollo.h"

#include "help/protocolhelp.h"
#include "protocol/archive.h"
#include "protocol/protocollines.h"
#include "protocolgrid.h"
#include "records/layouts.h"
#include "records/recordfile.h"
#include "ui/common/behaviour.h"
#include "ui/common/clock.h"
#include "ui/common/messages.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmRiepProtocollo::TfrmRiepProtocollo(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmRiepProtocollo"_s);
    setWindowTitle(u" Riepilogo protocollo per intervallo di tempo"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    applyProgramFormats();
    auto* behaviour = new ScreenBehaviour(this);
    behaviour->addHintClearingArea(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 10, 10, 6);
    outer->addLayout(body, 1);

    auto* top = new QHBoxLayout;
    const QString dateHint = u"Indica una data nel formato gg/mm/aaa."_s;
    auto dateField = [&](const QString& name, const QString& label) {
        top->addWidget(new QLabel(label, this));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(10);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(110);
        behaviour->setHint(edit, dateHint);
        top->addWidget(edit);
        return edit;
    };
    m_start = dateField(u"txtDataInizio"_s, u"Protocollati dalla data:"_s);
    m_end = dateField(u"txtDataFine"_s, u"alla data:"_s);
    top->addStretch();
    const QColor services(0x3a, 0x6e, 0xa5);
    QToolButton* trova = protocolscreens::addPictureButton(
        this, behaviour, u"cmdTrova"_s, u"Riepilogo"_s, u"\u2315"_s, services,
        u"Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo selezionato."_s);
    connect(trova, &QToolButton::clicked, this, &TfrmRiepProtocollo::cmdTrovaClick);
    QToolButton* esporta = protocolscreens::addPictureButton(
        this, behaviour, u"cmdEsporta"_s, u"Esporta"_s, u"XLS"_s, QColor(0x1d, 0x6f, 0x42),
        u"Esporta l'archivio in formato Microsoft Excel."_s);
    connect(esporta, &QToolButton::clicked, this, &TfrmRiepProtocollo::cmdEsportaClick);
    QToolButton* guida = protocolscreens::addPictureButton(
        this, behaviour, u"cmdGuida"_s, u"Guida"_s, u"?"_s, QColor(0x8a, 0x5a, 0xb5),
        u"Visualizza la pagina della guida sensibile al contesto."_s);
    connect(guida, &QToolButton::clicked, this, &TfrmRiepProtocollo::cmdGuidaClick);
    QToolButton* esci = protocolscreens::addPictureButton(this, behaviour, u"cmdEsci"_s, u"Esci"_s,
                                                          u"\u2716"_s, QColor(0xb0, 0x30, 0x30),
                                                          u"Esci da questo ambiente di lavoro."_s);
    connect(esci, &QToolButton::clicked, this, &TfrmRiepProtocollo::cmdEsciClick);
    for (QToolButton* b : {trova, esporta, guida, esci})
        top->addWidget(b);
    body->addLayout(top);
    behaviour->setEnterNext(m_start, m_end);
    behaviour->setEnterNext(m_end, trova);

    m_grid = protocolscreens::makeGrid(this);
    body->addWidget(m_grid, 1);

    m_hintBar = protocolscreens::makeHintBar(
        this, behaviour, u"Riepilogo documenti protocollati in un intervallo di tempo."_s);
    outer->addWidget(m_hintBar);
    setFixedSize(1100, 620);
}

void TfrmRiepProtocollo::setArchivePath(const QString& path) {
    m_archive = path;
}

QString TfrmRiepProtocollo::archivePath() const {
    return m_archive.isEmpty() ? protocolscreens::currentArchive() : m_archive;
}

void TfrmRiepProtocollo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    m_start->clear();
    m_end->setText(Clock::today().toString(u"dd/MM/yyyy"_s));
    m_start->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepProtocollo::cmdTrovaClick() {
    const protocol::IntervalVerdict verdict =
        protocol::checkInterval(m_start->text(), m_end->text());
    if (verdict.check != protocol::IntervalCheck::Ok) {
        if (verdict.warning)
            msg::warning(this, verdict.message);
        else
            msg::plain(this, verdict.message);
        switch (verdict.check) {
        case protocol::IntervalCheck::StartMissing:
        case protocol::IntervalCheck::StartInvalid:
            m_start->setFocus(Qt::OtherFocusReason);
            break;
        case protocol::IntervalCheck::EndMissing:
        case protocol::IntervalCheck::EndInvalid:
            m_end->setFocus(Qt::OtherFocusReason);
            break;
        default:
            break;
        }
        return;
    }
    // The archive is opened as every action opens it (created when missing); a file
    // that cannot be opened or read leaves the grid as it was, without a message.
    records::RecordFile file(archivePath(), records::protocolLayout().recordSize());
    if (!file.open()) return;
    file.close();
    QList<QStringList> rows;
    if (!protocol::summaryRows(archivePath(), verdict.start, verdict.end, &rows)) return;
    protocolscreens::fillGrid(m_grid, rows);
}

void TfrmRiepProtocollo::cmdEsportaClick() {
    protocolscreens::exportGrid(this, m_grid, exporting::kRiepProtocollo);
}

void TfrmRiepProtocollo::cmdGuidaClick() {
    const help::HelpText help = help::protocolSummary();
    showHelp(this, help.title, help.text);
}

void TfrmRiepProtocollo::cmdEsciClick() {
    reject();
}

} // namespace tavolex::ui
