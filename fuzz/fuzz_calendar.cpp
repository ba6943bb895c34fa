// The calendar export over a yearly archive of hostile records: whatever the fields hold
// (control bytes, undefined Windows-1252 bytes, length bytes past the capacity, a torn last
// record), the file is one a strict reader takes: no control byte but TAB and each line's
// CR LF, lines folded to 75 octets, valid UTF-8, and as many events as libical reads back.
//
// Input: one byte of choices (bit 0: payments instead of deadlines; bit 1: give every record
// a readable date, time and notice, so that each one becomes an event), then the archive.

#include "fuzzcheck.h"

#include "calendar/icsexport.h"
#include "movements/movementrecord.h"
#include "records/folderstore.h"
#include "records/layouts.h"
#include "records/record.h"

#include <QDate>
#include <QDateTime>
#include <libical/ical.h>
#include <memory>

using namespace tavolex;

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

int parseErrors(icalcomponent* c) {
    int n = icalcomponent_count_properties(c, ICAL_XLICERROR_PROPERTY);
    for (icalcomponent* sub = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); sub;
         sub = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
        n += parseErrors(sub);
    return n;
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0'));
}

// The fields that decide whether a record becomes an event set to readable values drawn
// from the record's own bytes; every other field stays as the input made it.
void makeReadable(records::Record& r, bool payments) {
    const QByteArray& b = r.bytes();
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(b[i % b.size()]); };
    const QDate due = QDate(2024, 1, 1).addDays((at(7) << 8 | at(11)) % 366);
    r.setText(u"DataSca", due.toString(QStringLiteral("dd/MM/yyyy")));
    r.setText(u"Preavviso", QString::number(at(13) % 40));
    const QString yes = QString::fromUtf16(records::kYes);
    const QString no = QString::fromUtf16(records::kNo);
    if (payments) {
        const bool income = at(17) & 1;
        r.setText(u"Saldato", no);
        r.setText(u"Entrata", income ? yes : no);
        r.setText(u"Uscita", income ? no : yes);
    } else {
        r.setText(u"Ore", twoDigits(at(19) % 24));
        r.setText(u"Minuti", twoDigits(at(23) % 60));
        r.setText(u"DaConfermare", at(29) & 1 ? yes : no);
        r.setText(u"Effettuato", at(29) & 2 ? yes : no);
    }
}

void checkBytes(const QByteArray& ics) {
    FUZZ_CHECK(ics.startsWith("BEGIN:VCALENDAR\r\n"));
    FUZZ_CHECK(ics.endsWith("END:VCALENDAR\r\n"));
    FUZZ_CHECK(QString::fromUtf8(ics).toUtf8() == ics);
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < ics.size(); ++i) {
        const auto c = static_cast<unsigned char>(ics[i]);
        if (c == '\r') {
            FUZZ_CHECK(i + 1 < ics.size() && ics[i + 1] == '\n');
            FUZZ_CHECK(i - lineStart <= 75); // folded as RFC 5545 asks
        } else if (c == '\n') {
            FUZZ_CHECK(i > 0 && ics[i - 1] == '\r');
            lineStart = i + 1;
        } else {
            FUZZ_CHECK(c == '\t' || (c >= 0x20 && c != 0x7F));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool payments = data[0] & 1;
    const bool readable = data[0] & 2;
    const records::RecordLayout& layout =
        payments ? records::movementLayout() : records::deadlineLayout();
    const int recordSize = payments ? movements::recordSize() : layout.recordSize();
    FUZZ_CHECK(recordSize == layout.recordSize());
    QByteArray content = fuzz::bytesOf(data + 1, size - 1);
    const qint64 whole = content.size() / recordSize;
    if (readable) {
        for (qint64 k = 0; k < whole; ++k) {
            records::Record r(layout, content.mid(k * recordSize, recordSize));
            makeReadable(r, payments);
            content.replace(k * recordSize, recordSize, r.bytes());
        }
    }

    const QString folder = fuzz::scratchFolder();
    const QString archive =
        folder + (payments ? QStringLiteral("/2024.eur") : QStringLiteral("/2024.sca"));
    fuzz::writeFile(archive, content);
    const calendar::Kind kind = payments ? calendar::Kind::Payments : calendar::Kind::Deadlines;
    calendar::Outcome outcome;
    const QByteArray ics =
        calendar::buildCalendar(kind, records::FileArchive(archive, recordSize), 2024,
                                QDateTime(QDate(2024, 11, 5), QTime(8, 9, 10), Qt::UTC), &outcome);
    FUZZ_CHECK(outcome.archiveRead);
    FUZZ_CHECK(outcome.events + outcome.skipped <= whole);
    if (readable) FUZZ_CHECK(outcome.events == whole);
    checkBytes(ics);
    FUZZ_CHECK(ics.count("BEGIN:VEVENT\r\n") == outcome.events);

    // libical reads back what it wrote: every event, nothing it could not parse.
    Component cal(icalparser_parse_string(ics.constData()));
    FUZZ_CHECK(cal != nullptr);
    FUZZ_CHECK(parseErrors(cal.get()) == 0);
    FUZZ_CHECK(icalcomponent_count_components(cal.get(), ICAL_VEVENT_COMPONENT) == outcome.events);
    return 0;
}
