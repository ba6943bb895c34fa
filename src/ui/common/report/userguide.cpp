#include "userguide.h"

#include "files/safewrite.h"
#include "help/helptexts.h"
#include "pdfmetadata.h"
#include "reportdata.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace tavolex::ui::report {

using namespace Qt::Literals::StringLiterals;

namespace {
QString guideHtml() {
    QString html =
        u"<h1 style='color:#0b2e5c'>Tavolex</h1><p><i>Guida all'utilizzo del software</i></p>"_s;
    html += u"<p>La password iniziale \u00E8 <b>archiviostudio</b>; si pu\u00F2 cambiare dalla "
            u"schermata di "
            u"accesso con il pulsante Cambia password.</p>"_s;
    for (const help::HelpText& entry : help::userGuide()) {
        html += u"<h2 style='color:#dc143c'>"_s + entry.title.toHtmlEscaped() + u"</h2>"_s;
        for (const QString& paragraph : entry.text.split(u"\r\n\r\n"_s))
            html += u"<p>"_s + paragraph.toHtmlEscaped() + u"</p>"_s;
    }
    return html;
}
} // namespace

QByteArray userGuidePdf() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        writer.setTitle(u"Guida all'utilizzo del software"_s);
        writer.setCreator(u"Tavolex"_s);
        QTextDocument document;
        QFont font(u"Liberation Serif"_s, 11);
        document.setDefaultFont(font);
        document.setHtml(guideHtml());
        document.print(&writer);
    }
    PdfInfo info{u"Guida all'utilizzo del software"_s, u"Guida di Tavolex"_s, u"Tavolex"_s,
                 u"Tavolex"_s};
    return withDocumentInfo(bytes, info).value_or(bytes);
}

bool writeUserGuide(const QString& path) {
    const QByteArray pdf = userGuidePdf();
    return !pdf.isEmpty() && files::replaceFile(path, pdf);
}

} // namespace tavolex::ui::report
