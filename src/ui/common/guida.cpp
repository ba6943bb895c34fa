#include "guida.h"

#include "artwork.h"
#include "linklabel.h"
#include "misc.h"
#include "programfolder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmGuida::TfrmGuida(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmGuida"_s);
    setWindowTitle(u" Guida all'utilizzo del software"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName(u"lblTitolo"_s);
    m_title->setProperty("tavolexHelpTitle", true);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"txtGuida"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(m_text, 1);
    auto* bottom = new QHBoxLayout;
    auto* pdfPicture = makeClickablePicture(
        this, u"imgPDF"_s, tilePixmap(u"PDF"_s, QColor(0xc0, 0x20, 0x20), QSize(32, 32)));
    auto* link = new LinkLabel(u"Visualizza guida in formato PDF"_s, this);
    link->setObjectName(u"lnkWeb"_s);
    connect(link, &LinkLabel::clicked, this, &TfrmGuida::lnkWebClick);
    onClick(pdfPicture, [this] { lnkWebClick(); });
    bottom->addWidget(pdfPicture);
    bottom->addWidget(link);
    bottom->addStretch();
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    setFixedSize(676, 598);
}

void TfrmGuida::setHelp(const QString& title, const QString& text) {
    m_title->setText(title);
    m_text->setPlainText(text);
}

void TfrmGuida::lnkWebClick() {
    TMisc::Open(u'"' + shippedPath(u"Guida.pdf"_s) + u'"');
}

void TfrmGuida::showEvent(QShowEvent* event) {
    setFixedSize(676, 598);
    QDialog::showEvent(event);
}

} // namespace tavolex::ui
