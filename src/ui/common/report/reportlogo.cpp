#include "reportlogo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tavolex::ui::report {

using namespace Qt::Literals::StringLiterals;

void drawLogo(QPainter& painter, const QRectF& rect) {
    const qreal side = qMin(rect.width(), rect.height());
    const QRectF tile(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient blue(tile.topLeft(), tile.bottomRight());
    blue.setColorAt(0, QColor(0x1f, 0x5f, 0xa8));
    blue.setColorAt(1, QColor(0x0b, 0x2e, 0x5c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawRoundedRect(tile, side * 0.18, side * 0.18);

    // The letter as an outline: no font needs embedding and it scales with the page.
    QFont font(u"DejaVu Serif"_s);
    font.setBold(true);
    font.setPixelSize(qMax(1, int(side * 0.62)));
    QPainterPath letter;
    letter.addText(0, 0, font, u"T"_s);
    const QRectF bounds = letter.boundingRect();
    letter.translate(tile.center() - bounds.center());
    painter.setBrush(Qt::white);
    painter.drawPath(letter);
    painter.restore();
}

} // namespace tavolex::ui::report
