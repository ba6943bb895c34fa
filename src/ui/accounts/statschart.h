#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <utility>

class QPainter;

namespace tavolex::ui {

// One point of a chart series: its label, its value in whole euro and its colour.
class StatsPoint : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString label READ label CONSTANT)
    Q_PROPERTY(qlonglong value READ value CONSTANT)
    Q_PROPERTY(QColor color READ color CONSTANT)
public:
    StatsPoint(const QString& label, qlonglong value, const QColor& color, QObject* parent);

    const QString& label() const { return m_label; }
    qlonglong value() const { return m_value; }
    const QColor& color() const { return m_color; }

private:
    QString m_label;
    qlonglong m_value;
    QColor m_color;
};

// The data series Series1: its points, in the order they were added, as children, and the
// kind it is drawn as ("bar" or "pie").
class StatsSeries : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString kind READ kindName)
public:
    enum class Kind { Bar, Pie };

    explicit StatsSeries(QObject* parent);

    void clear();
    void addPoint(const QString& label, qlonglong value, const QColor& color);
    QList<StatsPoint*> points() const;

    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }
    QString kindName() const;

private:
    Kind m_kind = Kind::Bar;
};

// The chart ChartStats: a title, the series drawn as three-dimensional bars or as a
// three-dimensional pie seen from an orthogonal angle, with the value of each point marked,
// the legend below and a foot text. The same drawing serves the screen, the printer and any
// image: everything is laid out in the area it is given, in pixel-sized fonts, so a page
// shows what the screen shows.
class StatsChart : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool view3D READ view3D)
    Q_PROPERTY(bool orthogonal READ orthogonal)
public:
    struct Texts {
        QString title;
        QString legend;
        QString foot;
    };

    StatsChart(const Texts& texts, QWidget* parent);

    StatsSeries* series() const { return m_series; }
    const Texts& texts() const { return m_texts; }
    // The series drawn as bars or as a pie; the 3D view is switched on and made orthogonal.
    void setKind(StatsSeries::Kind kind);
    bool view3D() const { return m_view3D; }
    bool orthogonal() const { return m_orthogonal; }
    // Redraws after the points changed.
    void refresh() { update(); }

    // Draws the whole chart into `area` of a painter on any device.
    void paintChart(QPainter& painter, const QRectF& area) const;
    // The chart drawn on an image of `size`, as on the screen.
    QImage renderImage(const QSize& size) const;

    // Where the last drawing put each value mark and each bar, and the plot's floor (the top
    // of the month names): what a look at the picture would find.
    struct Drawn {
        QList<std::pair<QString, QRectF>> marks;
        QList<QRectF> bars;
        QRectF plot;
        qreal floor = 0;
    };
    const Drawn& lastDrawn() const { return m_drawn; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintBars(QPainter& painter, const QRectF& plot) const;
    void paintPie(QPainter& painter, const QRectF& plot) const;
    void paintLegend(QPainter& painter, const QRectF& area) const;

    Texts m_texts;
    StatsSeries* m_series;
    bool m_view3D = true;
    bool m_orthogonal = true;
    mutable Drawn m_drawn;
};

} // namespace tavolex::ui
