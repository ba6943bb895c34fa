#pragma once

#include <QRectF>

class QPainter;

namespace tavolex::ui::report {

// The product mark (the rounded blue tile with its "T", as on the program's screens),
// drawn as vectors so that it is sharp on screen, on paper and in a PDF.
void drawLogo(QPainter& painter, const QRectF& rect);

} // namespace tavolex::ui::report
