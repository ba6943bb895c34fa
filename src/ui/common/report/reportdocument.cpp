#include "reportdocument.h"

#include "reportlogo.h"
#include "ui/common/clock.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace tavolex::ui::report {

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor kDarkOrange(0xff, 0x8c, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kSlateGrey(0x70, 0x80, 0x90);
const QColor kDarkTeal(0x00, 0x5c, 0x5c);
const QColor kGuide(0xb4, 0xc4, 0xc4);

constexpr qreal kTextPadding = 3.8; // 1 mm inside a box

qreal unitsFromMillimetres(qreal mm) {
    return mm / 25.4 * ReportDocument::kUnitsPerInch;
}

QPageLayout a4(QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QSizeF printableUnits(const QPageLayout& layout) {
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    return {unitsFromMillimetres(mm.width()), unitsFromMillimetres(mm.height())};
}

ReportBox text(const QString& name, const QRectF& rect, const QString& content,
               const QString& family, qreal pointSize, const QColor& color,
               const QColor& background = {}, Qt::Alignment alignment = Qt::AlignCenter) {
    ReportBox box;
    box.name = name;
    box.rect = rect;
    box.lines = QStringList{content};
    box.family = family;
    box.pointSize = pointSize;
    box.color = color;
    box.background = background;
    box.alignment = alignment;
    return box;
}

ReportBox rule(const QString& name, qreal x1, qreal x2, qreal y, qreal thickness,
               const QColor& color) {
    ReportBox box;
    box.kind = ReportBox::Kind::Rule;
    box.name = name;
    box.rect = QRectF(x1, y - thickness / 2, x2 - x1, thickness);
    box.color = color;
    return box;
}

QString numbered(const QString& prefix, qsizetype n) {
    return prefix + QString::number(n).rightJustified(2, u'0');
}

// Fonts are given in points; the painter works in report units, so the size is scaled
// back by the device resolution to come out right on paper.
QFont fontFor(const ReportBox& box, const QPaintDevice* device) {
    QFont font(box.family);
    const bool fixed = box.family == u"Courier New"_s;
    font.setStyleHint(fixed ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixed);
    font.setBold(box.bold);
    const int dpi = device ? device->logicalDpiY() : 96;
    font.setPointSizeF(box.pointSize * ReportDocument::kUnitsPerInch / dpi);
    return font;
}

// The list body's memo holds lines of up to 161 characters in a fixed-pitch font of at most
// 8 points: the size is brought down, as measured, until the widest line fits its width.
constexpr qsizetype kLongestListLine = 161;
qreal fittedPointSize(ReportBox box, qsizetype characters, qreal width) {
    characters = qMin(characters, kLongestListLine);
    if (characters == 0) return box.pointSize;
    // Measured at the report's own resolution, where a pixel is a report unit.
    QImage page(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(ReportDocument::kUnitsPerInch / 0.0254);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    const qreal needed =
        QFontMetricsF(fontFor(box, &page), &page).horizontalAdvance(QString(characters, u'M'));
    const qreal room = width - 2 * kTextPadding;
    // A hair smaller than the exact ratio, so that hinting never pushes the last one out.
    return needed <= room ? box.pointSize : box.pointSize * room / needed * 0.995;
}

void drawClipped(QPainter& painter, const QRectF& rect, Qt::Alignment alignment,
                 const QString& line) {
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const QRectF inner = rect.adjusted(kTextPadding, 0, -kTextPadding, 0);
    painter.drawText(inner, int(alignment) | Qt::TextSingleLine, line);
    painter.restore();
}

} // namespace

ReportDocument ReportDocument::card(const CardReport& report) {
    // Positions of the card template, in report units.
    constexpr qreal kFullWidth = 699.2;
    constexpr qreal kTitleWidth = 623.6;
    constexpr qreal kTitleHeight = 34;
    constexpr qreal kLogoSide = 68;
    constexpr qreal kFirstRow = 90.7;
    constexpr qreal kRowPitch = 37.8;
    constexpr qreal kRowHeight = 22.7;
    constexpr qreal kMinRowPitch = 21.5;
    constexpr qreal kLabelLeft = 18.9;
    constexpr qreal kLabelWidth = 196.5;
    constexpr qreal kValueLeft = 226.8;
    // The value column stops at the right edge of the title and footer bands, so a long
    // value is cut where the form ends rather than in the margin.
    constexpr qreal kValueWidth = kFullWidth - kValueLeft;
    constexpr qreal kFooterHeight = 22.7;
    constexpr int kSlots = 24;

    ReportDocument doc;
    doc.m_name = u"Scheda informativa"_s;
    doc.m_title = report.title;
    doc.m_layout = a4(QPageLayout::Portrait);
    const qreal pageHeight = printableUnits(doc.m_layout).height();
    doc.m_left = (printableUnits(doc.m_layout).width() - kFullWidth) / 2;
    const QString footer = report.footer.isEmpty() ? cardFooter(Clock::now()) : report.footer;

    // 24 slots fill the page; a longer card tightens the pitch, and only past the
    // tightest readable pitch does it go on to further pages.
    const qsizetype slots = qMax<qsizetype>(kSlots, report.rows.size());
    const qreal rowsArea = kSlots * kRowPitch;
    const qreal pitch = qMax(kMinRowPitch, qMin(kRowPitch, rowsArea / qreal(slots)));
    const qreal rowHeight = qMin(kRowHeight, pitch - 3.8);
    const qsizetype perPage = qMax<qsizetype>(1, qsizetype(std::floor(rowsArea / pitch + 1e-6)));

    for (qsizetype first = 0; first < slots; first += perPage) {
        ReportPage page;
        ReportBox logo;
        logo.kind = ReportBox::Kind::Logo;
        logo.name = u"imgLogo"_s;
        logo.rect = QRectF(0, 0, kLogoSide, kLogoSide);
        page.boxes << logo;
        page.boxes << text(u"txtTitolo"_s,
                           QRectF(kFullWidth - kTitleWidth, (kLogoSide - kTitleHeight) / 2,
                                  kTitleWidth, kTitleHeight),
                           report.title, u"Arial"_s, 16, Qt::white, kDarkOrange);
        page.boxes << rule(u"linSepara01"_s, 0, kFullWidth, kLogoSide + 11.3, 1.9, kDarkTeal);

        const qsizetype last = qMin(slots, first + perPage);
        qreal bottom = kFirstRow;
        for (qsizetype i = first; i < last; ++i) {
            const qreal top = kFirstRow + qreal(i - first) * pitch;
            const CardRow row = i < report.rows.size() ? report.rows.at(i) : CardRow{};
            bottom = top + rowHeight;
            // A slot without a label is a row the card does not have: nothing is drawn.
            if (row.label.isEmpty()) continue;
            page.boxes << text(numbered(u"titCampo"_s, i + 1),
                               QRectF(kLabelLeft, top, kLabelWidth, rowHeight), row.label,
                               u"Arial"_s, 9, Qt::white, kTeal, Qt::AlignLeft | Qt::AlignVCenter);
            page.boxes << text(numbered(u"txtCampo"_s, i + 1),
                               QRectF(kValueLeft, top, kValueWidth, rowHeight), row.value,
                               u"Arial"_s, 10, Qt::black, {}, Qt::AlignLeft | Qt::AlignVCenter);
            // The writing line under each value makes the sheet read as a filled-in form.
            page.boxes << rule(numbered(u"linRiga"_s, i + 1), kValueLeft, kFullWidth,
                               top + rowHeight + 0.8, 0.6, kGuide);
        }
        page.boxes << rule(u"linSepara02"_s, 0, kFullWidth, bottom + 9.4, 1.9, kDarkTeal);
        page.boxes << text(u"txtCalce"_s,
                           QRectF(0, pageHeight - kFooterHeight, kFullWidth, kFooterHeight), footer,
                           u"Arial"_s, 10, Qt::white, kDarkOrange);
        doc.m_pages << page;
    }
    return doc;
}

ReportDocument ReportDocument::list(const ListReport& report) {
    constexpr qreal kWidth = 1031.8;
    constexpr qreal kBandHeight = 18.9;
    constexpr qreal kGap = 7.56;

    ReportDocument doc;
    doc.m_name = report.name.isEmpty() ? u"Riepilogo dati"_s : report.name;
    doc.m_title = report.title;
    doc.m_layout = a4(QPageLayout::Landscape);
    const qreal pageHeight = printableUnits(doc.m_layout).height();
    doc.m_left = (printableUnits(doc.m_layout).width() - kWidth) / 2;
    const QString footer = report.footer.isEmpty() ? listFooter(Clock::today()) : report.footer;
    const qreal bodyBottom = pageHeight - kBandHeight - kGap;

    qsizetype widest = 0;
    for (const QString& line : report.lines)
        widest = qMax(widest, line.size());
    qsizetype next = 0;
    do {
        ReportPage page;
        qreal bodyTop = 0;
        if (doc.m_pages.isEmpty()) {
            ReportBox title = text(u"txtTitolo"_s, QRectF(0, 0, kWidth, kBandHeight), report.title,
                                   u"Verdana"_s, 9, Qt::white, kSlateGrey);
            title.bold = true;
            page.boxes << title;
            bodyTop = kBandHeight + kGap;
        }
        const auto fits = qsizetype(std::floor((bodyBottom - bodyTop) / kListLinePitch + 1e-6));
        const qsizetype count = qMin(fits, report.lines.size() - next);

        // The body is one box that continues from page to page.
        ReportBox body;
        body.kind = ReportBox::Kind::Lines;
        body.name = u"txtRiepilogo"_s;
        body.rect = QRectF(0, bodyTop, kWidth, qreal(count) * kListLinePitch);
        body.lines = report.lines.mid(next, count);
        body.family = u"Courier New"_s;
        body.pointSize = 8;
        body.pointSize = fittedPointSize(body, widest, kWidth);
        body.lineHeight = kListLinePitch;
        page.boxes << body;
        next += count;

        ReportBox foot =
            text(u"txtPagina"_s, QRectF(0, pageHeight - kBandHeight, kWidth, kBandHeight), footer,
                 u"Verdana"_s, 8, Qt::white, kSlateGrey);
        foot.bold = true;
        page.boxes << foot;
        doc.m_pages << page;
    } while (next < report.lines.size());
    return doc;
}

QList<ReportBox> ReportDocument::boxes(const QString& name) const {
    QList<ReportBox> found;
    for (const ReportPage& page : m_pages)
        for (const ReportBox& box : page.boxes)
            if (box.name == name) found << box;
    return found;
}

void ReportDocument::paintPage(QPainter& painter, int index) const {
    if (index < 0 || index >= m_pages.size()) return;
    const QPaintDevice* device = painter.device();
    const qreal dpiX = device ? device->logicalDpiX() : kUnitsPerInch;
    const qreal dpiY = device ? device->logicalDpiY() : kUnitsPerInch;

    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(dpiX / kUnitsPerInch, dpiY / kUnitsPerInch);
    painter.translate(m_left, 0);
    for (const ReportBox& box : m_pages.at(index).boxes) {
        switch (box.kind) {
        case ReportBox::Kind::Logo:
            drawLogo(painter, box.rect);
            break;
        case ReportBox::Kind::Rule:
            // A pen rather than a filled strip: hairlines stay visible at any preview zoom.
            painter.setPen(QPen(box.color, box.rect.height(), Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(box.rect.left(), box.rect.center().y()),
                             QPointF(box.rect.right(), box.rect.center().y()));
            break;
        case ReportBox::Kind::Text:
            if (box.background.isValid()) painter.fillRect(box.rect, box.background);
            painter.setPen(box.color);
            painter.setFont(fontFor(box, device));
            drawClipped(painter, box.rect, box.alignment, box.lines.value(0));
            break;
        case ReportBox::Kind::Lines:
            painter.setPen(box.color);
            painter.setFont(fontFor(box, device));
            for (qsizetype i = 0; i < box.lines.size(); ++i) {
                const QRectF line(box.rect.left(), box.rect.top() + qreal(i) * box.lineHeight,
                                  box.rect.width(), box.lineHeight);
                drawClipped(painter, line, Qt::AlignLeft | Qt::AlignVCenter, box.lines.at(i));
            }
            break;
        }
    }
    painter.restore();
}

bool ReportDocument::paintPages(QPainter& painter, QPagedPaintDevice& device, int first, int last,
                                const std::function<bool(int painted)>& painted) const {
    first = qMax(0, first);
    last = qMin(pageCount() - 1, last);
    for (int i = first; i <= last; ++i) {
        if (i > first && !device.newPage()) return false;
        paintPage(painter, i);
        if (painted && !painted(i - first + 1)) return false;
    }
    return true;
}

} // namespace tavolex::ui::report
