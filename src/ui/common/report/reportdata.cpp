#include "reportdata.h"

#include <QLocale>

namespace tavolex::ui::report {

using namespace Qt::Literals::StringLiterals;

PdfInfo PdfInfo::scheda() {
    return {u"Scheda informativa"_s, u"Scheda informativa"_s, u"Velmar"_s, u"Velmar"_s};
}

namespace {
// The desktop's long time format without its time-zone part: hours, minutes, seconds.
QString longTimeFormat() {
    const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (quoted || c != u't') kept += c;
    }
    kept = kept.simplified();
    return kept.contains(u"ss"_s) ? kept : u"HH:mm:ss"_s;
}
} // namespace

QString cardFooter(const QDateTime& when) {
    return u"Stampa eseguita in data "_s + when.date().toString(u"dd/MM/yyyy"_s) + u" alle ore "_s +
           QLocale::system().toString(when.time(), longTimeFormat());
}

QString listFooter(const QDate& day) {
    return u"Stampa eseguita in data "_s + day.toString(u"dd/MM/yyyy"_s);
}

} // namespace tavolex::ui::report
