#include "TfrmMenuInsoluti.h"

#include "TfrmInsoluti.h"
#include "movements/archive.h"
#include "programfolder.h"
#include "protocol/numbering.h"
#include "text/casing.h"

#include <QLabel>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

YearMenuDecl declaration() {
    YearMenuDecl decl;
    decl.objectName = u"TfrmMenuInsoluti"_s;
    decl.caption = u" Tavolex - Pagamenti Insoluti"_s;
    decl.tileGlyph = u"!"_s;
    decl.tileColour = QColor(0xb0, 0x30, 0x30);
    decl.tileText = u"Pagamenti Insoluti"_s;
    decl.intro = u"In questo ambiente \u00E8 possibile visualizzare i riepiloghi dei pagamenti "
                 u"insoluti sia in entrata che in uscita."_s;
    decl.boxes = {
        {u"Pagamenti insoluti in entrata"_s, u"txtAnnoPreventivi"_s, u"btnApriPreventivi"_s,
         u"Visualizza"_s},
        {u"Pagamenti insoluti in uscita"_s, u"txtAnnoNDC"_s, u"btnApriNDC"_s, u"Visualizza"_s},
        {u"Pagamenti insoluti in entrata e in uscita"_s, u"txtAnnoDDT"_s, u"btnApriDDT"_s,
         u"Visualizza"_s},
    };
    decl.isAcceptableYear = &protocol::isAcceptableYear;
    decl.help = &help::unpaidMenu;
    return decl;
}

template <typename Screen> void showList(QWidget* parent, const records::ArchiveId& archive) {
    Screen list(parent);
    list.setArchive(archive);
    list.exec();
}

} // namespace

TfrmMenuInsoluti::TfrmMenuInsoluti(QWidget* parent) : YearMenu(declaration(), parent) {
    m_file = new QLabel(this);
    m_file->setObjectName(u"lblFile"_s);
    m_file->hide();
    connect(this, &YearMenu::yearChosen, this, &TfrmMenuInsoluti::openList);
}

void TfrmMenuInsoluti::openList(int box, const QString& yearText) {
    const records::ArchiveId path =
        records::archiveOfYear(records::ArchiveKind::Movements, yearText);
    m_file->setText(records::programArchive(path)->name());
    if (box == 0) showList<TfrmInsolutiEnt>(this, path);
    if (box == 1) showList<TfrmInsolutiUsc>(this, path);
    if (box == 2) showList<TfrmInsolutiAll>(this, path);
}

} // namespace tavolex::ui
