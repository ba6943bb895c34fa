#include "statschart.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>
#include <algorithm>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// Layout of the chart on a design area of 1000 × 640; everything scales with the area.
constexpr qreal kDesignWidth = 1000;
constexpr qreal kDesignHeight = 640;

const QColor kTitleColour(0xD0, 0x44, 0x98);
const QColor kFootColour(0x72, 0x94, 0xF9);
const QColor kMarkBackground(0xFF, 0xFF, 0xE1);

QFont pixelFont(const QString& family, qreal pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

// The step of the value axis: 1, 2 or 5 times a power of ten, whole euro, at least 1.
qlonglong axisStep(qlonglong largest) {
    const qlonglong rough = qMax<qlonglong>(1, (largest + 4) / 5);
    qlonglong power = 1;
    while (power <= rough / 10)
        power *= 10;
    for (const qlonglong factor : {1, 2, 5, 10})
        if (factor * power >= rough) return factor * power;
    return 10 * power;
}

// A value mark: the value in a small framed box centred on `anchor`.
QRectF markBox(const QPointF& anchor, const QString& text, qreal scale) {
    const QFontMetricsF metrics(pixelFont(u"Verdana"_s, 11 * scale, false));
    const QSizeF size(metrics.horizontalAdvance(text) + 8 * scale, metrics.height() + 2 * scale);
    return QRectF(anchor.x() - size.width() / 2, anchor.y() - size.height() / 2, size.width(),
                  size.height());
}

void drawMarkIn(QPainter& painter, const QRectF& box, const QString& text, qreal scale) {
    painter.setFont(pixelFont(u"Verdana"_s, 11 * scale, false));
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 0.8 * scale));
    painter.setBrush(kMarkBackground);
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

// Moves the boxes of one side of the pie apart vertically, in their order from top to bottom,
// keeping them between `top` and `bottom` where there is room.
void spreadApart(QList<QRectF*>& boxes, qreal gap, qreal top, qreal bottom) {
    std::sort(boxes.begin(), boxes.end(),
              [](const QRectF* a, const QRectF* b) { return a->center().y() < b->center().y(); });
    qreal next = top;
    for (QRectF* box : boxes) {
        if (box->top() < next) box->moveTop(next);
        next = box->bottom() + gap;
    }
    qreal limit = bottom;
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) {
        if ((*it)->bottom() > limit) (*it)->moveBottom(limit);
        limit = (*it)->top() - gap;
    }
}

} // namespace

StatsPoint::StatsPoint(const QString& label, qlonglong value, const QColor& color, QObject* parent)
    : QObject(parent), m_label(label), m_value(value), m_color(color) {}

StatsSeries::StatsSeries(QObject* parent) : QObject(parent) {
    setObjectName(u"Series1"_s);
}

void StatsSeries::clear() {
    for (StatsPoint* point : points())
        delete point;
}

void StatsSeries::addPoint(const QString& label, qlonglong value, const QColor& color) {
    new StatsPoint(label, value, color, this);
}

QList<StatsPoint*> StatsSeries::points() const {
    return findChildren<StatsPoint*>(QString(), Qt::FindDirectChildrenOnly);
}

QString StatsSeries::kindName() const {
    return m_kind == Kind::Bar ? u"bar"_s : u"pie"_s;
}

StatsChart::StatsChart(const Texts& texts, QWidget* parent)
    : QWidget(parent), m_texts(texts), m_series(new StatsSeries(this)) {
    setObjectName(u"ChartStats"_s);
    setMinimumSize(640, 420);
}

void StatsChart::setKind(StatsSeries::Kind kind) {
    m_series->setKind(kind);
    m_view3D = true;
    m_orthogonal = true;
    update();
}

void StatsChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, QRectF(rect()));
}

QImage StatsChart::renderImage(const QSize& size) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void StatsChart::paintChart(QPainter& painter, const QRectF& area) const {
    const qreal scale = qMin(area.width() / kDesignWidth, area.height() / kDesignHeight);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QLinearGradient background(area.topLeft(), area.bottomLeft());
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, QColor(0xEE, 0xF2, 0xF8));
    painter.fillRect(area, background);

    const qreal margin = 10 * scale;
    const QRectF titleBox(area.left(), area.top() + margin, area.width(), 30 * scale);
    painter.setPen(kTitleColour);
    painter.setFont(pixelFont(u"Verdana"_s, 20 * scale, true));
    painter.drawText(titleBox, Qt::AlignCenter, m_texts.title);

    const QRectF footBox(area.left(), area.bottom() - margin - 24 * scale, area.width(),
                         24 * scale);
    painter.setPen(kFootColour);
    painter.setFont(pixelFont(u"Verdana"_s, 14 * scale, true));
    painter.drawText(footBox, Qt::AlignCenter, m_texts.foot);

    const qreal legendHeight = 70 * scale;
    const QRectF legendBox(area.left() + margin, footBox.top() - legendHeight - 4 * scale,
                           area.width() - 2 * margin, legendHeight);
    paintLegend(painter, legendBox);

    const QRectF plot(area.left() + 2 * margin, titleBox.bottom() + margin,
                      area.width() - 4 * margin, legendBox.top() - titleBox.bottom() - 2 * margin);
    if (plot.width() > 0 && plot.height() > 0) {
        if (m_series->kind() == StatsSeries::Kind::Bar)
            paintBars(painter, plot);
        else
            paintPie(painter, plot);
    }
    painter.restore();
}

void StatsChart::paintBars(QPainter& painter, const QRectF& plot) const {
    const qreal scale = qMin(plot.width() / kDesignWidth, plot.height() / (kDesignHeight * 0.6));
    const QList<StatsPoint*> points = m_series->points();
    const int n = qMax(1, int(points.size()));

    qlonglong largest = 0;
    qlonglong smallest = 0; // a negative value read from a file hangs below the axis
    for (const StatsPoint* point : points) {
        largest = qMax(largest, point->value());
        smallest = qMin(smallest, point->value());
    }
    const qlonglong step = axisStep(qMax(largest, -smallest));
    const qlonglong top = qMax<qlonglong>(step, (largest + step - 1) / step * step);
    const qlonglong low = -((-smallest + step - 1) / step * step);
    const int ticks = int((top - low) / step);

    const QFont axisFont = pixelFont(u"Verdana"_s, 11 * scale, false);
    const QFontMetricsF axisMetrics(axisFont);
    const qreal axisWidth = qMax(axisMetrics.horizontalAdvance(QString::number(top)),
                                 axisMetrics.horizontalAdvance(QString::number(low))) +
                            12 * scale;
    const qreal slotGuess = (plot.width() - axisWidth) / n;
    const qreal depth = qMin(22 * scale, slotGuess * 0.35);
    const qreal x0 = plot.left() + axisWidth;
    const qreal x1 = plot.right() - depth;
    const qreal y0 = plot.bottom() - 24 * scale;
    const qreal yTop = plot.top() + 26 * scale + depth;
    const auto yOf = [&](qreal value) {
        return y0 - (value - qreal(low)) / qreal(top - low) * (y0 - yTop);
    };
    const qreal yZero = yOf(0);
    m_drawn = {};
    m_drawn.plot = plot;
    m_drawn.floor = y0;

    // The box the bars stand in: back wall, left wall and floor.
    const QPointF back(depth, -depth);
    painter.setPen(QPen(QColor(0x9A, 0xA4, 0xB0), 0.8 * scale));
    painter.setBrush(QColor(0xF4, 0xF6, 0xF9));
    painter.drawRect(QRectF(QPointF(x0, yTop) + back, QPointF(x1, y0) + back));
    painter.setBrush(QColor(0xE2, 0xE7, 0xEE));
    painter.drawPolygon(QPolygonF(
        {QPointF(x0, y0), QPointF(x0, yTop), QPointF(x0, yTop) + back, QPointF(x0, y0) + back}));
    painter.setBrush(QColor(0xD3, 0xDA, 0xE3));
    painter.drawPolygon(QPolygonF(
        {QPointF(x0, y0), QPointF(x1, y0), QPointF(x1, y0) + back, QPointF(x0, y0) + back}));

    painter.setFont(axisFont);
    for (int t = 0; t <= ticks; ++t) {
        const qreal y = yOf(qreal(low) + qreal(t) * qreal(step));
        painter.setPen(QPen(QColor(0xB8, 0xC0, 0xCA), 0.6 * scale, Qt::DotLine));
        painter.drawLine(QPointF(x0, y), QPointF(x0, y) + back);
        painter.drawLine(QPointF(x0, y) + back, QPointF(x1, y) + back);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left(), y - 8 * scale, axisWidth - 6 * scale, 16 * scale),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(low + qlonglong(t) * step));
    }

    const qreal slot = (x1 - x0) / n;
    const qreal barWidth = slot * 0.6;
    const qreal barDepth = depth * 0.8;
    const QPointF barBack(barDepth, -barDepth);
    const QFont labelFont = pixelFont(u"Verdana"_s, 11 * scale, false);
    const QFontMetricsF labelMetrics(labelFont);
    for (int i = 0; i < points.size(); ++i) {
        const StatsPoint* point = points[i];
        const qreal left = x0 + i * slot + (slot - barWidth) / 2 + (depth - barDepth) / 2;
        const qreal right = left + barWidth;
        // From the axis up, or down for a negative value, never past the plot.
        const qreal y = yOf(qreal(point->value()));
        const qreal base = yZero;
        const qreal yHigh = qMin(y, base);
        const QColor face = point->color();
        const QPen outline(face.darker(170), 0.7 * scale);
        painter.setPen(outline);
        // Side, then top, then front: the front face hides the edges behind it.
        painter.setBrush(face.darker(135));
        const qreal yLow = qMax(y, base);
        painter.drawPolygon(
            QPolygonF({QPointF(right, yLow), QPointF(right, yHigh), QPointF(right, yHigh) + barBack,
                       QPointF(right, yLow) + barBack}));
        painter.setBrush(face.lighter(118));
        painter.drawPolygon(
            QPolygonF({QPointF(left, yHigh), QPointF(right, yHigh), QPointF(right, yHigh) + barBack,
                       QPointF(left, yHigh) + barBack}));
        painter.setBrush(face);
        const QRectF front(QPointF(left, yHigh), QPointF(right, yLow));
        painter.drawRect(front);
        m_drawn.bars << front;

        const QString value = QString::number(point->value());
        const QRectF mark =
            point->value() < 0
                ? markBox(QPointF((left + right) / 2, yLow + 12 * scale), value, scale)
                : markBox(QPointF((left + right) / 2 + barDepth / 2, y - barDepth - 12 * scale),
                          value, scale);
        drawMarkIn(painter, mark, value, scale);
        m_drawn.marks.append({value, mark});

        painter.setFont(labelFont);
        painter.setPen(Qt::black);
        const QString label =
            labelMetrics.elidedText(point->label(), Qt::ElideRight, slot - 2 * scale);
        painter.drawText(QRectF(x0 + i * slot, y0 + 4 * scale, slot, 18 * scale),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

void StatsChart::paintPie(QPainter& painter, const QRectF& plot) const {
    m_drawn = {};
    m_drawn.plot = plot;
    const qreal scale = qMin(plot.width() / kDesignWidth, plot.height() / (kDesignHeight * 0.6));
    const QList<StatsPoint*> points = m_series->points();
    qreal total = 0;
    for (const StatsPoint* point : points)
        total += qreal(qMax<qlonglong>(0, point->value()));

    // A disc tilted back, seen from an orthogonal angle, with its thickness below it.
    const qreal tilt = 0.6;
    const qreal rx = qMax<qreal>(1, qMin((plot.width() - 260 * scale) / 2,
                                         (plot.height() - 110 * scale) / (2 * tilt + 0.14)));
    const qreal ry = rx * tilt;
    const qreal thickness = rx * 0.14;
    const QPointF centre(plot.center().x(), plot.center().y() - thickness / 2);
    const QRectF disc(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);

    if (total <= 0) {
        painter.setPen(QPen(QColor(0x9A, 0xA4, 0xB0), 0.8 * scale));
        painter.setBrush(QColor(0xD3, 0xDA, 0xE3));
        painter.drawEllipse(disc.translated(0, thickness));
        painter.setBrush(QColor(0xF4, 0xF6, 0xF9));
        painter.drawEllipse(disc);
        return;
    }

    struct Slice {
        int start; // 1/16 degree, counter-clockwise from three o'clock
        int span;
        const StatsPoint* point;
    };
    QList<Slice> slices;
    qreal angle = 90.0; // the first slice starts at twelve o'clock, the rest follow clockwise
    for (const StatsPoint* point : points) {
        const qreal sweep = 360.0 * qreal(qMax<qlonglong>(0, point->value())) / total;
        slices.append({qRound(angle * 16), -qRound(sweep * 16), point});
        angle -= sweep;
    }

    // The side wall: the slices drawn in darker colours, layer on layer, from the bottom up.
    painter.setPen(Qt::NoPen);
    const int layers = 28;
    for (int layer = layers; layer >= 1; --layer) {
        const QRectF shifted = disc.translated(0, thickness * layer / layers);
        for (const Slice& slice : std::as_const(slices)) {
            if (slice.span == 0) continue;
            painter.setBrush(slice.point->color().darker(150));
            painter.drawPie(shifted, slice.start, slice.span);
        }
    }
    for (const Slice& slice : std::as_const(slices)) {
        if (slice.span == 0) continue;
        painter.setPen(QPen(slice.point->color().darker(170), 0.7 * scale));
        painter.setBrush(slice.point->color());
        painter.drawPie(disc, slice.start, slice.span);
    }

    // Every value that is not zero has its mark, however thin its slice: outside the pie, the
    // marks of each side moved apart so that none covers another, each tied to its slice by a
    // leader line.
    struct Mark {
        QPointF edge;
        QRectF box;
        QString text;
    };
    QList<Mark> marks;
    for (const Slice& slice : std::as_const(slices)) {
        if (slice.point->value() == 0) continue;
        const qreal middle = qDegreesToRadians((slice.start + slice.span / 2.0) / 16.0);
        const qreal c = qCos(middle);
        const qreal s = qSin(middle);
        QPointF edge(centre.x() + rx * c, centre.y() - ry * s);
        QPointF at(centre.x() + rx * 1.16 * c, centre.y() - ry * 1.22 * s);
        if (s < 0) {
            at.ry() += thickness;
            edge.ry() += thickness;
        }
        at.rx() += c * 24 * scale;
        const QString text = QString::number(slice.point->value());
        QRectF box = markBox(at, text, scale);
        // Each side keeps to its half, so marks of the two sides never meet at the middle.
        if (c >= 0 && box.left() < centre.x() + 4 * scale) box.moveLeft(centre.x() + 4 * scale);
        if (c < 0 && box.right() > centre.x() - 4 * scale) box.moveRight(centre.x() - 4 * scale);
        marks.append({edge, box, text});
    }
    QList<QRectF*> right, left;
    for (Mark& mark : marks)
        (mark.box.center().x() >= centre.x() ? right : left) << &mark.box;
    spreadApart(right, 2 * scale, plot.top(), plot.bottom());
    spreadApart(left, 2 * scale, plot.top(), plot.bottom());
    for (const Mark& mark : std::as_const(marks)) {
        painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.8 * scale));
        const qreal x = qBound(mark.box.left(), mark.edge.x(), mark.box.right());
        const qreal y = qBound(mark.box.top(), mark.edge.y(), mark.box.bottom());
        painter.drawLine(mark.edge, QPointF(x, y));
        drawMarkIn(painter, mark.box, mark.text, scale);
        m_drawn.marks.append({mark.text, mark.box});
    }
}

void StatsChart::paintLegend(QPainter& painter, const QRectF& area) const {
    const qreal scale = qMin(area.width() / (kDesignWidth - 20), area.height() / 70);
    const QList<StatsPoint*> points = m_series->points();
    const QFont titleFont = pixelFont(u"Verdana"_s, 12 * scale, true);
    const QFont itemFont = pixelFont(u"Verdana"_s, 11 * scale, false);
    const QFontMetricsF itemMetrics(itemFont);

    qreal widest = 0;
    for (const StatsPoint* point : points)
        widest = qMax(widest, itemMetrics.horizontalAdvance(point->label()));
    const qreal swatch = 12 * scale;
    const qreal itemWidth = swatch + 6 * scale + widest + 18 * scale;
    const int perRow = qMax(1, qMin(int(points.size()), int(area.width() / itemWidth)));
    const qreal lineHeight = 18 * scale;
    const qreal width = perRow * itemWidth;
    const qreal left = area.center().x() - width / 2;

    painter.setPen(Qt::black);
    painter.setFont(titleFont);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), lineHeight), Qt::AlignCenter,
                     m_texts.legend);
    painter.setFont(itemFont);
    for (int i = 0; i < points.size(); ++i) {
        const qreal x = left + (i % perRow) * itemWidth;
        const qreal y = area.top() + lineHeight * (1 + i / perRow) + 2 * scale;
        painter.setPen(QPen(points[i]->color().darker(170), 0.7 * scale));
        painter.setBrush(points[i]->color());
        painter.drawRect(QRectF(x, y + (lineHeight - swatch) / 2, swatch, swatch));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + swatch + 6 * scale, y, widest + 12 * scale, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, points[i]->label());
    }
}

} // namespace tavolex::ui
