#include "statsprint.h"

#include "statschart.h"
#include "text/casing.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace tavolex::ui::statsprint {

namespace {
constexpr qreal kPageDesignWidth = 1000; // the width the chart is laid out in, then scaled
}

int copiesFrom(const QString& answer) {
    QString digits = text::trimmed(answer);
    if (!text::isDigitsOnly(digits)) return 1;
    // Leading zeros say nothing; a number longer than the box allows asks for the most.
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > 3) return kMostCopies;
    return qBound(1, digits.toInt(), kMostCopies);
}

bool printCopies(QWidget* parent, const StatsChart& chart, QPrinter& printer, int copies) {
    printer.setDocName(parent->windowTitle().trimmed());
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(copies);
    QPrintDialog dialog(&printer, parent);
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
        if (printed) paintPage(chart, painter, page);
    }
    return painter.end() && printed;
}

void paintPage(const StatsChart& chart, QPainter& painter, const QRectF& page) {
    const qreal scale = page.width() / kPageDesignWidth;
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    chart.paintChart(painter, QRectF(0, 0, kPageDesignWidth, page.height() / scale));
    painter.restore();
}

} // namespace tavolex::ui::statsprint
