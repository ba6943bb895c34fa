#pragma once

#include <QRectF>

class QPainter;
class QPrinter;
class QString;
class QWidget;

namespace tavolex::ui {

class StatsChart;

// Printing a chart screen's chart: each copy is a landscape page of its own.
namespace statsprint {

// The most copies the print dialog's copies box offers.
inline constexpr int kMostCopies = 999;

// The number of copies an answer to "Copie:" asks for: digits only, else 1; at least 1 and at
// most kMostCopies.
int copiesFrom(const QString& answer);

// The print dialog over `parent` on `printer` with `copies` proposed; on acceptance the chart is
// printed once for each copy the dialog was closed with.
bool printCopies(QWidget* parent, const StatsChart& chart, QPrinter& printer, int copies);

// One printed page: the chart laid out over `page` of a painter on the printer.
void paintPage(const StatsChart& chart, QPainter& painter, const QRectF& page);

} // namespace statsprint
} // namespace tavolex::ui
