#include "TfrmMenuStats.h"

#include "TfrmStats.h"
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
    decl.objectName = u"TfrmMenuStats"_s;
    decl.caption = u" Tavolex - Grafici statistici"_s;
    decl.tileGlyph = u"\u25A5"_s;
    decl.tileColour = QColor(0x3a, 0x4a, 0x8c);
    decl.tileText = u"Grafici statistici"_s;
    decl.intro = u"In questo ambiente \u00E8 possibile visualizzare grafici statistici "
                 u"tridimensionali relativi alle entrate e uscite mensili e al bilancio "
                 u"annuale."_s;
    decl.boxes = {
        {u"Entrate mensili:"_s, u"txtAnnoPreventivi"_s, u"btnApriPreventivi"_s, u"Visualizza"_s},
        {u"Uscite mensili:"_s, u"txtAnnoNDC"_s, u"btnApriNDC"_s, u"Visualizza"_s},
        {u"Bilancio annuale:"_s, u"txtAnnoDDT"_s, u"btnApriDDT"_s, u"Visualizza"_s},
    };
    decl.isAcceptableYear = &protocol::isAcceptableYear;
    decl.help = &help::statistics;
    return decl;
}

template <typename Screen>
void showChart(QWidget* parent, const records::ArchiveId& archive, const QString& yearText,
               const QString& heading) {
    Screen chart(parent);
    chart.setSource(archive, yearText);
    chart.setHeading(heading);
    chart.exec();
}

} // namespace

TfrmMenuStats::TfrmMenuStats(QWidget* parent) : YearMenu(declaration(), parent) {
    m_file = new QLabel(this);
    m_file->setObjectName(u"lblFile"_s);
    m_file->hide();
    connect(this, &YearMenu::yearChosen, this, &TfrmMenuStats::openChart);
}

void TfrmMenuStats::openChart(int box, const QString& yearText) {
    const QString year = text::trimmed(yearText);
    const records::ArchiveId path = records::archiveOfYear(records::ArchiveKind::Movements, year);
    m_file->setText(records::programArchive(path)->name());
    if (box == 0)
        showChart<TfrmStatsEntrate>(this, path, yearText,
                                    u"Rappresentazione grafica delle entrate mensili dell'anno "_s +
                                        year + u"."_s);
    if (box == 1)
        showChart<TfrmStatsUscite>(this, path, yearText,
                                   u"Rappresentazione grafica delle uscite mensili dell'anno "_s +
                                       year + u"."_s);
    if (box == 2)
        showChart<TfrmStatsBilancio>(
            this, path, yearText,
            u"Rappresentazione grafica del bilancio entrate e uscite dell'anno "_s + year + u"."_s);
}

} // namespace tavolex::ui
