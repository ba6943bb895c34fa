#include "TfrmInfo.h"

#include "constants.h"
#include "ui/common/artwork.h"
#include "ui/common/linklabel.h"
#include "ui/common/misc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmInfo::TfrmInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmInfo"_s);
    setWindowTitle(u" Informazioni su Tavolex"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* logo = new QLabel(this);
    logo->setObjectName(u"imgLogo"_s);
    logo->setPixmap(logoPixmap(QSize(300, 72)));
    layout->addWidget(logo, 0, Qt::AlignCenter);
    auto* picture = new QLabel(this);
    picture->setObjectName(u"imgImmagine"_s);
    picture->setPixmap(tilePixmap(
        u"\u2637"_s, QColor(0x2e, 0x6d, 0xb4), QSize(360, 120),
        u"Gestione dell'ufficio: clienti, protocollo, pratiche, scadenze e contabilit\u00E0"_s));
    layout->addWidget(picture, 0, Qt::AlignCenter);
    auto* linkRow = new QHBoxLayout;
    auto* envelope = makeClickablePicture(
        this, u"imgEmail"_s, tilePixmap(u"\u2709"_s, QColor(0xc0, 0x6a, 0x1a), QSize(28, 28)));
    onClick(envelope, [this] { lnkWebClick(); });
    auto* link = new LinkLabel(QString::fromUtf16(kSupportEmail), this);
    link->setObjectName(u"lnkWeb"_s);
    connect(link, &LinkLabel::clicked, this, &TfrmInfo::lnkWebClick);
    linkRow->addStretch();
    linkRow->addWidget(envelope);
    linkRow->addWidget(link);
    linkRow->addStretch();
    layout->addLayout(linkRow);
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    setFixedSize(sizeHint());
}

QString TfrmInfo::mailCommand() {
    return u"\"mailto:"_s + QString::fromUtf16(kSupportEmail) + u"?subject="_s +
           u"Software Tavolex"_s + u"&body="_s +
           u"Salve, desidererei avere le seguenti informazioni sul software in oggetto:"_s + u'"';
}

void TfrmInfo::lnkWebClick() {
    TMisc::Open(mailCommand());
}

} // namespace tavolex::ui
