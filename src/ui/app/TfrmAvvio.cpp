#include "TfrmAvvio.h"

#include "TfrmInfo.h"
#include "TfrmSplash.h"
#include "constants.h"
#include "help/helptexts.h"
#include "ui/backup/backupwork.h"
#include "ui/common/artwork.h"
#include "ui/common/misc.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
struct Application {
    const char16_t* stem;
    const char16_t* title;
    const char16_t* glyph; // null: the bar-chart picture
    QColor colour;
    const char16_t* screen;
    const char16_t* hint = nullptr;
};

const Application kApplications[] = {
    {u"Clienti", u"Anagrafica Clienti", u"\u263A", QColor(0x2e, 0x6d, 0xb4), u"TfrmClienti"},
    {u"Protocollo", u"Protocollo Posta", u"\u2709", QColor(0x7a, 0x4e, 0xa8),
     u"TfrmMenuProtocollo"},
    {u"Pratiche", u"Archivio Pratiche", u"\u2630", QColor(0x2e, 0x8b, 0x57), u"TfrmPratica"},
    {u"Scadenzario", u"Scadenze e Appuntamenti", u"\u25F7", QColor(0xc0, 0x6a, 0x1a),
     u"TfrmScadenzario"},
    {u"Entrate", u"Entrate e Uscite", u"\u20AC", QColor(0x1b, 0x8a, 0x8a), u"TfrmMenuMovimenti"},
    {u"Primanota", u"Primanota e Bilancio", u"\u2696", QColor(0x55, 0x6b, 0x2f),
     u"TfrmMenuBilancio"},
    {u"Insoluti", u"Pagamenti Insoluti", u"!", QColor(0xb0, 0x30, 0x30), u"TfrmMenuInsoluti"},
    {u"Grafici", u"Grafici statistici", nullptr, QColor(0x3a, 0x4a, 0x8c), u"TfrmMenuStats"},
    {u"Copie", u"Copie di sicurezza", u"\u21BA", QColor(0x4a, 0x5a, 0x6a), u"TfrmCopie",
     u"Crea, verifica e ripristina le copie di sicurezza degli archivi."},
    {u"TrovaTutto", u"Trova ovunque", u"\u25C9", QColor(0x8a, 0x5a, 0x2a), u"TfrmTrovaTutto",
     u"Cerca un testo in tutti gli archivi di tutti gli anni e apre la scheda trovata."},
    {u"Archivio", u"Archivio condiviso", u"\u21C4", QColor(0x2a, 0x6a, 0x7a), u"TfrmArchivio",
     u"Tiene gli archivi in un database condiviso dai computer dell'ufficio."},
};
} // namespace

TfrmAvvio::TfrmAvvio(QWidget* parent) : QWidget(parent) {
    setObjectName(u"TfrmAvvio"_s);
    setWindowTitle(u" Tavolex"_s);
    setProperty("tavolexMaximised", true);
    setAttribute(Qt::WA_StyledBackground);
    auto* outer = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* info = makeClickablePicture(this, u"imgInfo"_s,
                                      tilePixmap(u"i"_s, QColor(0x2e, 0x6d, 0xb4), QSize(48, 48)));
    onClick(info, [this] { imgInfoClick(); });
    auto* title = new QLabel(this);
    title->setObjectName(u"imgTitolo"_s);
    title->setPixmap(logoPixmap(QSize(420, 100)));
    auto* guide = makeClickablePicture(this, u"imgGuida"_s,
                                       tilePixmap(u"?"_s, QColor(0x8a, 0x5a, 0xb5), QSize(48, 48)));
    onClick(guide, [this] { imgGuidaClick(); });
    top->addWidget(info, 0, Qt::AlignTop);
    top->addStretch();
    top->addWidget(title);
    top->addStretch();
    top->addWidget(guide, 0, Qt::AlignTop);
    outer->addLayout(top);

    auto* grid = new QGridLayout;
    grid->setSpacing(24);
    int index = 0;
    for (const Application& app : kApplications) {
        const QString stem = QString::fromUtf16(app.stem);
        const QString screen = QString::fromUtf16(app.screen);
        const QString titleText = QString::fromUtf16(app.title);
        auto* picture = makeClickablePicture(
            this, u"img"_s + stem,
            app.glyph ? tilePixmap(QString::fromUtf16(app.glyph), app.colour, QSize(150, 150))
                      : chartTilePixmap(app.colour, QSize(150, 150)));
        onClick(picture, [this, screen, picture] {
            if (picture->isEnabled()) openApplication(screen);
        });
        picture->setProperty("tavolexScreen", screen);
        auto* button = makePictureButton(this, u"btn"_s + stem, titleText, u"\u25B6"_s, app.colour);
        button->setProperty("tavolexScreen", screen);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        if (app.hint) button->setToolTip(QString::fromUtf16(app.hint));
        connect(button, &QToolButton::clicked, this, [this, screen] { openApplication(screen); });
        auto* cell = new QVBoxLayout;
        cell->addWidget(picture, 0, Qt::AlignHCenter);
        cell->addWidget(button, 0, Qt::AlignHCenter);
        grid->addLayout(cell, index / 4, index % 4);
        ++index;
    }
    outer->addStretch();
    outer->addLayout(grid);
    outer->addStretch();

    auto* strip = new QHBoxLayout;
    auto* site = makeClickablePicture(
        this, u"icoSito"_s, tilePixmap(u"www"_s, QColor(0x1f, 0x5f, 0xa8), QSize(64, 28)));
    onClick(site, [this] { icoSitoClick(); });
    strip->addStretch();
    strip->addWidget(site);
    strip->addStretch();
    outer->addLayout(strip);

    auto* bottom = new QHBoxLayout;
    auto* credits = makeClickablePicture(
        this, u"imgSplash"_s, tilePixmap(u"\u2605"_s, QColor(0xc0, 0x90, 0x20), QSize(48, 48)));
    onClick(credits, [this] { imgSplashClick(); });
    auto* exit = makeClickablePicture(
        this, u"imgEsci"_s, tilePixmap(u"\u2716"_s, QColor(0xb0, 0x30, 0x30), QSize(48, 48)));
    onClick(exit, [this] { imgEsciClick(); });
    bottom->addWidget(credits);
    bottom->addStretch();
    bottom->addWidget(exit);
    outer->addLayout(bottom);
}

void TfrmAvvio::refreshApplications() {
    for (QWidget* w : findChildren<QWidget*>()) {
        const QString screen = w->property("tavolexScreen").toString();
        if (!screen.isEmpty()) w->setEnabled(Screens::has(screen));
    }
}

void TfrmAvvio::showEvent(QShowEvent* event) {
    refreshApplications();
    QWidget::showEvent(event);
}

void TfrmAvvio::openApplication(const QString& screen) {
    if (!Screens::has(screen)) return;
    Screens::show(screen);
    hide();
}

void TfrmAvvio::imgInfoClick() {
    TfrmInfo info(this);
    info.exec();
}

void TfrmAvvio::imgGuidaClick() {
    const help::HelpText help = help::generalGuide();
    showHelp(this, help.title, help.text);
}

void TfrmAvvio::imgSplashClick() {
    TfrmSplash splash(this);
    splash.exec();
}

void TfrmAvvio::imgEsciClick() {
    close();
}

void TfrmAvvio::icoSitoClick() {
    TMisc::Open(QString::fromUtf16(kWebSite));
}

void TfrmAvvio::closeEvent(QCloseEvent* event) {
    // Closing the main menu ends the program, after the day's automatic backup copy.
    event->accept();
    makeAutomaticCopyAtClose(this);
    hide();
    QApplication::quit();
}

} // namespace tavolex::ui
