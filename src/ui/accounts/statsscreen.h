#pragma once

#include "accounts/statistics.h"
#include "records/store.h"

#include <QDialog>

class QLabel;
class QPrinter;

namespace tavolex::ui {

class ScreenBehaviour;
class StatsChart;

// The names and texts of one chart screen.
struct StatsScreenDecl {
    QString objectName;
    QString caption;
    QString description;
    QString initialHint;
    QString barsHint;
    QString pieHint;
    accounts::ChartTexts texts;
};

// The chart screens of the statistics, one design: a heading, the chart ChartStats with its
// series Series1, bars or pie, printed on landscape pages. The values are read once when the
// screen is first shown.
class StatsScreen : public QDialog {
    Q_OBJECT
public:
    // What the screen reads: the yearly archive and the year typed in its box on the menu.
    void setSource(const records::ArchiveId& archive, const QString& yearText);
    void setHeading(const QString& heading);

    StatsChart* chart() const { return m_chart; }

    void btnBarreClick();
    void btnTortaClick();
    // Asks, asks for the number of copies, then prints through the print dialog.
    void btnStampaClick();
    void cmdGuidaClick();
    void btnEsciClick();

    // The print dialog on `printer` with `copies` proposed; on acceptance the chart is
    // printed on landscape pages, once for each copy the dialog was closed with.
    bool printCopies(QPrinter& printer, int copies);
    // One printed page: the chart laid out over `page` of a painter on the printer.
    void paintPage(QPainter& painter, const QRectF& page) const;

    // The number of copies an answer to "Copie:" asks for: digits only, else 1; at least 1
    // and at most what a print dialog offers.
    static int copiesFrom(const QString& answer);

protected:
    StatsScreen(const StatsScreenDecl& decl, QWidget* parent);

    // The points of the chart, from the archive.
    virtual void fillSeries() = 0;

    const records::ArchiveId& archiveId() const { return m_archive; }
    const QString& yearText() const { return m_year; }

    void showEvent(QShowEvent* event) override;

private:
    StatsChart* m_chart;
    QLabel* m_heading;
    ScreenBehaviour* m_behaviour;
    records::ArchiveId m_archive;
    QString m_year;
    bool m_filled = false;
};

} // namespace tavolex::ui
