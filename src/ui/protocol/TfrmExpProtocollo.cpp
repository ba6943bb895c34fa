#include "TfrmExpProtocollo.h"

#include "help/protocolhelp.h"
#include "protocol/archive.h"
#include "protocolgrid.h"
#include "records/layouts.h"
#include "records/recordfile.h"
#include "ui/common/behaviour.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmExpProtocollo::TfrmExpProtocollo(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmExpProtocollo"_s);
    setWindowTitle(u" Esporta protocollo posta in Microsoft Excel"_s);
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
    top->addStretch();
    QToolButton* esporta = protocolscreens::addPictureButton(
        this, behaviour, u"cmdEsporta"_s, u"Esporta"_s, u"XLS"_s, QColor(0x1d, 0x6f, 0x42),
        u"Esporta l'archivio in formato Microsoft Excel."_s);
    connect(esporta, &QToolButton::clicked, this, &TfrmExpProtocollo::cmdEsportaClick);
    QToolButton* guida = protocolscreens::addPictureButton(
        this, behaviour, u"cmdGuida"_s, u"Guida"_s, u"?"_s, QColor(0x8a, 0x5a, 0xb5),
        u"Visualizza la pagina della guida sensibile al contesto."_s);
    connect(guida, &QToolButton::clicked, this, &TfrmExpProtocollo::cmdGuidaClick);
    QToolButton* esci = protocolscreens::addPictureButton(this, behaviour, u"cmdEsci"_s, u"Esci"_s,
                                                          u"\u2716"_s, QColor(0xb0, 0x30, 0x30),
                                                          u"Esci da questo ambiente di lavoro."_s);
    connect(esci, &QToolButton::clicked, this, &TfrmExpProtocollo::cmdEsciClick);
    for (QToolButton* b : {esporta, guida, esci})
        top->addWidget(b);
    body->addLayout(top);
    m_grid = protocolscreens::makeGrid(this);
    body->addWidget(m_grid, 1);
    m_hintBar = protocolscreens::makeHintBar(this, behaviour,
                                             u"Esportazione archivio in Microsoft Excel."_s);
    outer->addWidget(m_hintBar);
    setFixedSize(1100, 620);
}

void TfrmExpProtocollo::setArchivePath(const QString& path) {
    m_archive = path;
}

QString TfrmExpProtocollo::archivePath() const {
    return m_archive.isEmpty() ? protocolscreens::currentArchive() : m_archive;
}

void TfrmExpProtocollo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // Every record of the archive, in file order; any failure leaves the grid empty.
    protocolscreens::fillGrid(m_grid, {});
    records::RecordFile file(archivePath(), records::protocolLayout().recordSize());
    if (!file.open()) return;
    file.close();
    QList<QStringList> rows;
    if (protocol::allRows(archivePath(), &rows)) protocolscreens::fillGrid(m_grid, rows);
}

void TfrmExpProtocollo::cmdEsportaClick() {
    protocolscreens::exportGrid(this, m_grid, exporting::kExpProtocollo);
}

void TfrmExpProtocollo::cmdGuidaClick() {
    const help::HelpText help = help::protocolExport();
    showHelp(this, help.title, help.text);
}

void TfrmExpProtocollo::cmdEsciClick() {
    reject();
}

} // namespace tavolex::ui
