#include "TfrmSplash.h"

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

TfrmSplash::TfrmSplash(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmSplash"_s);
    setWindowTitle(u" Tavolex"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* logo = new QLabel(this);
    logo->setObjectName(u"imgLogo"_s);
    logo->setPixmap(logoPixmap(QSize(320, 80)));
    layout->addWidget(logo, 0, Qt::AlignCenter);
    layout->addWidget(
        new QLabel(u"Progetto, sviluppo e grafica: il gruppo di lavoro Tavolex."_s, this), 0,
        Qt::AlignCenter);
    auto* row = new QHBoxLayout;
    auto* globe = makeClickablePicture(
        this, u"imgWeb"_s, tilePixmap(u"www"_s, QColor(0x1f, 0x5f, 0xa8), QSize(48, 24)));
    onClick(globe, [this] { lnkWebClick(); });
    auto* link = new LinkLabel(QString::fromUtf16(kWebSite), this);
    link->setObjectName(u"lnkWeb"_s);
    connect(link, &LinkLabel::clicked, this, &TfrmSplash::lnkWebClick);
    row->addStretch();
    row->addWidget(globe);
    row->addWidget(link);
    row->addStretch();
    layout->addLayout(row);
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    setFixedSize(sizeHint());
}

void TfrmSplash::lnkWebClick() {
    TMisc::Open(QString::fromUtf16(kWebSite));
}

} // namespace tavolex::ui
