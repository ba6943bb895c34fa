#pragma once

#include "reportdata.h"

#include <QColor>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QPagedPaintDevice;

namespace tavolex::ui::report {

// One element of a laid-out page. Places and sizes are in report units of 1/96 inch,
// measured from the top left corner of the form, which stands at the top of the
// printable area, centred across it; fonts are in points.
struct ReportBox {
    enum class Kind { Text, Lines, Rule, Logo };

    Kind kind = Kind::Text;
    QString name; // the template's box name, e.g. "txtTitolo", "titCampo01"
    QRectF rect;
    QStringList lines; // Text: one line; Lines: one entry per printed line
    QString family;
    qreal pointSize = 10;
    bool bold = false;
    QColor color = Qt::black;
    QColor background; // invalid: transparent
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    qreal lineHeight = 0; // Lines: pitch of the lines

    QString text() const { return lines.join(u'\n'); }
};

struct ReportPage {
    QList<ReportBox> boxes;
};

// A prepared report: the template filled with its texts and laid out into pages.
// Text is never wrapped: what does not fit in its box is cut at the box's edge.
class ReportDocument {
public:
    static ReportDocument card(const CardReport& report);
    static ReportDocument list(const ListReport& report);

    static constexpr qreal kUnitsPerInch = 96.0;
    static constexpr qreal kListLinePitch = 12.822;

    QString name() const { return m_name; }
    QString title() const { return m_title; }
    const QPageLayout& pageLayout() const { return m_layout; }
    const QList<ReportPage>& pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }

    // Every box of that name, page by page (a body split over pages has one per page).
    QList<ReportBox> boxes(const QString& name) const;

    // Paints one page on a painter already begun on a paged device.
    void paintPage(QPainter& painter, int index) const;
    // Paints the pages [first, last] (0-based), starting a new device page between them.
    // `painted`, when given, hears how many pages are done after each one; answering false
    // stops the painting (and paintPages answers false).
    bool paintPages(QPainter& painter, QPagedPaintDevice& device, int first, int last,
                    const std::function<bool(int painted)>& painted = {}) const;

private:
    QString m_name;
    QString m_title;
    QPageLayout m_layout;
    qreal m_left = 0; // the form's left edge within the printable area
    QList<ReportPage> m_pages;
};

} // namespace tavolex::ui::report
