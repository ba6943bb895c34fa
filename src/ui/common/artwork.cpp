#include "artwork.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QToolButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
// The rounded, shaded tile every picture stands on; returns the area inside its border.
QRectF paintTile(QPainter& p, const QPixmap& pixmap, const QColor& colour) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(pixmap.rect()).adjusted(1, 1, -1, -1);
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, colour.lighter(135));
    gradient.setColorAt(1, colour.darker(115));
    QPainterPath path;
    path.addRoundedRect(r, r.width() * 0.12, r.height() * 0.12);
    p.fillPath(path, gradient);
    p.setPen(QPen(colour.darker(150), 1.5));
    p.drawPath(path);
    return r;
}
} // namespace

QPixmap chartTilePixmap(const QColor& colour, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QRectF r = paintTile(p, pixmap, colour);
    const QRectF plot =
        r.adjusted(r.width() * 0.2, r.height() * 0.2, -r.width() * 0.2, -r.height() * 0.22);
    constexpr qreal kHeights[] = {0.45, 0.75, 0.55, 1.0};
    constexpr int kBars = 4;
    const qreal pitch = plot.width() / kBars;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < kBars; ++i) {
        const qreal height = plot.height() * kHeights[i];
        p.drawRect(QRectF(plot.left() + i * pitch + pitch * 0.15, plot.bottom() - height,
                          pitch * 0.7, height));
    }
    p.setPen(QPen(Qt::white, qMax(1.5, r.height() * 0.02)));
    p.drawLine(QPointF(plot.left() - pitch * 0.2, plot.bottom() + 2),
               QPointF(plot.right() + pitch * 0.2, plot.bottom() + 2));
    return pixmap;
}

namespace {
QPixmap drawTile(const QString& glyph, const QColor& colour, QSize size, const QString& caption);
} // namespace

QPixmap tilePixmap(const QString& glyph, const QColor& colour, QSize size, const QString& caption) {
    // The same few tiles appear on many screens: each is drawn once.
    const QString key = u"tile|%1|%2|%3x%4|%5"_s.arg(glyph)
                            .arg(colour.rgba())
                            .arg(size.width())
                            .arg(size.height())
                            .arg(caption);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    pixmap = drawTile(glyph, colour, size, caption);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

namespace {
QPixmap drawTile(const QString& glyph, const QColor& colour, QSize size, const QString& caption) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QRectF r = paintTile(p, pixmap, colour);
    p.setPen(Qt::white);
    QFont font(u"DejaVu Sans"_s);
    font.setBold(true);
    const qreal glyphArea = caption.isEmpty() ? r.height() : r.height() * 0.7;
    font.setPixelSize(int(glyphArea * 0.5));
    p.setFont(font);
    p.drawText(QRectF(r.left(), r.top(), r.width(), glyphArea), Qt::AlignCenter, glyph);
    if (!caption.isEmpty()) {
        font.setPixelSize(qMax(9, int(r.height() * 0.09)));
        p.setFont(font);
        p.drawText(
            QRectF(r.left() + 4, r.top() + glyphArea - 4, r.width() - 8, r.height() - glyphArea),
            Qt::AlignCenter | Qt::TextWordWrap, caption);
    }
    return pixmap;
}
} // namespace

QIcon glyphIcon(const QString& glyph, const QColor& colour) {
    return QIcon(tilePixmap(glyph, colour, QSize(40, 40)));
}

QPixmap iconPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile =
        QRectF(pixmap.rect()).adjusted(side / 32.0, side / 32.0, -side / 32.0, -side / 32.0);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(0x1f, 0x5f, 0xa8));
    g.setColorAt(1, QColor(0x0b, 0x2e, 0x5c));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(tile, tile.width() * 0.18, tile.width() * 0.18);
    // The same "T" as the vector icon: a bar and a stem.
    const qreal u = side / 256.0;
    p.setBrush(Qt::white);
    p.drawRect(QRectF(64 * u, 70 * u, 128 * u, 34 * u));
    p.drawRect(QRectF(110 * u, 104 * u, 36 * u, 96 * u));
    return pixmap;
}

QPixmap logoPixmap(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(pixmap.rect()).adjusted(2, 2, -2, -2);
    const qreal side = qMin(r.width() * 0.3, r.height());
    QRectF mark(r.left(), r.center().y() - side / 2, side, side);
    QLinearGradient g(mark.topLeft(), mark.bottomRight());
    g.setColorAt(0, QColor(0x1f, 0x5f, 0xa8));
    g.setColorAt(1, QColor(0x0b, 0x2e, 0x5c));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(mark, side * 0.18, side * 0.18);
    QFont f(u"DejaVu Serif"_s);
    f.setBold(true);
    f.setPixelSize(int(side * 0.62));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(mark, Qt::AlignCenter, u"T"_s);
    f.setPixelSize(int(side * 0.55));
    p.setFont(f);
    p.setPen(QColor(0x0b, 0x2e, 0x5c));
    p.drawText(QRectF(mark.right() + side * 0.2, r.top(), r.width() - side * 1.2, r.height()),
               Qt::AlignVCenter | Qt::AlignLeft, u"Tavolex"_s);
    return pixmap;
}

QToolButton* makePictureButton(QWidget* parent, const QString& objectName, const QString& caption,
                               const QString& glyph, const QColor& colour) {
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setText(caption);
    button->setIcon(glyphIcon(glyph, colour));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                                                 : Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QToolButton* makeClickablePicture(QWidget* parent, const QString& objectName,
                                  const QPixmap& pixmap) {
    // A flat button rather than a label: it takes the keyboard focus, Enter and Space press
    // it, and assistive technology sees a button.
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setAccessibleName(objectName);
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.deviceIndependentSize().toSize());
    button->setAutoRaise(true);
    button->setProperty("tavolexPicture", true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

namespace {
class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* widget, std::function<void()> action)
        : QObject(widget), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            auto* widget = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton &&
                widget->rect().contains(mouse->position().toPoint()))
                m_action();
        }
        return false;
    }

private:
    std::function<void()> m_action;
};
} // namespace

void onClick(QWidget* widget, std::function<void()> action) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked, button, std::move(action));
        return;
    }
    widget->installEventFilter(new ClickFilter(widget, std::move(action)));
}

} // namespace tavolex::ui
