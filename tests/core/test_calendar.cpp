#include "calendar/icsexport.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/archiveat.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <map>

#include "support/diskfull.h"
#include "support/recordfixtures.h"

using tavolex::testing::archiveAt;
using namespace tavolex;
using namespace tavolex::calendar;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kLongReason =
    u"Rinnovo contratto d'affitto, registrazione; imposta di bollo, versamento F24, "
    u"seconda rata; verifica ricevuta presso l'ufficio dell'Agenzia delle Entrate "
    u"di Perugia, sportello n. 4"_s;
const QString kAccented = u"Caff\u00E8 N\u00E9gri \u2013 S\u00E0rl"_s; // all in Windows-1252

records::Record deadline(const QString& date, const QString& hours, const QString& minutes,
                         const QString& notice, const QString& reason, const QString& client,
                         bool toConfirm = false, bool paid = false) {
    records::Record r =
        test::makeRecord(records::deadlineLayout(), {{u"DataSca", date},
                                                     {u"Ore", hours},
                                                     {u"Minuti", minutes},
                                                     {u"Preavviso", notice},
                                                     {u"Causale", reason},
                                                     {u"Cliente", client},
                                                     {u"Oggetto", u"Successione Bianchi"_s},
                                                     {u"Protocollo", u"2024/117"_s},
                                                     {u"Importo", u"12,5000"_s},
                                                     {u"Pagamento", u"Bonifico"_s},
                                                     {u"Note", u""_s}});
    r.setText(u"DaConfermare", QString::fromUtf16(toConfirm ? records::kYes : records::kNo));
    r.setText(u"Effettuato", QString::fromUtf16(paid ? records::kYes : records::kNo));
    return r;
}

// The deadlines of 2024, one per case that matters to a calendar. Records 7 and 8 cannot be
// read (a day that does not exist, notice days that are not a number).
QList<records::Record> deadlineYear() {
    return {
        deadline(u"15/01/2024"_s, u"00"_s, u"00"_s, u"3"_s, u"Bollo auto"_s, u"Rossi Mario"_s),
        deadline(u"31/03/2024"_s, u"02"_s, u"30"_s, u"1"_s, u"Udienza"_s, u"Verdi Anna"_s),
        deadline(u"29/02/2024"_s, u"09"_s, u"15"_s, u"0"_s, u"Firma atto"_s, kAccented, true),
        deadline(u"27/10/2024"_s, u"02"_s, u"30"_s, u"2"_s, u""_s, u"Neri Luca"_s),
        deadline(u"10/06/2024"_s, u"00"_s, u"00"_s, u"5"_s, kLongReason, u"Gialli Sara"_s, false,
                 true),
        deadline(u"30/12/2024"_s, u"23"_s, u"30"_s, u"10"_s, u"Saldo parcella"_s, u""_s),
        deadline(u"31/02/2024"_s, u"10"_s, u"00"_s, u"1"_s, u"Data impossibile"_s, u"X"_s),
        deadline(u"01/07/2024"_s, u"10"_s, u"00"_s, u"x"_s, u"Preavviso illeggibile"_s, u"Y"_s),
    };
}

records::Record movement(bool income, const QString& due, const QString& notice,
                         const QString& settled, const QString& reason) {
    return test::makeRecord(
        records::movementLayout(),
        {{u"Entrata", QString::fromUtf16(income ? records::kYes : records::kNo)},
         {u"Uscita", QString::fromUtf16(income ? records::kNo : records::kYes)},
         {u"Data", u"02/01/2024"_s},
         {u"DataSca", due},
         {u"Preavviso", notice},
         {u"Causale", reason},
         {u"Importo", u"1234,50"_s},
         {u"Pagatore", u"Studio Alfa"_s},
         {u"Beneficiario", u"Enel Energia"_s},
         {u"Pagamento", u"RID"_s},
         {u"Saldato", settled}});
}

// Movements of 2024: two due, one settled, one without a due date, one unreadable.
QList<records::Record> movementYear() {
    const QString no = QString::fromUtf16(records::kNo);
    return {
        movement(true, u"20/05/2024"_s, u"7"_s, no, u"Parcella pratica 12"_s),
        movement(false, u"31/03/2024"_s, u"0"_s, no, u"Bolletta luce, marzo"_s),
        movement(false, u"01/04/2024"_s, u"1"_s, QString::fromUtf16(records::kYes), u"Pagata"_s),
        movement(false, u""_s, u"1"_s, no, u"Senza scadenza"_s),
        movement(false, u"32/04/2024"_s, u"1"_s, no, u"Data rovinata"_s),
    };
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QDateTime kStamp(QDate(2024, 11, 5), QTime(8, 9, 10), Qt::UTC);

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        setProgramFolder(m_dir.path());
        ASSERT_TRUE(test::writeRecords(path(u"2024.sca"_s), deadlineYear()));
        ASSERT_TRUE(test::writeRecords(path(u"2024.eur"_s), movementYear()));
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    Outcome exportDeadlines(const QDateTime& stamp = kStamp) {
        return exportCalendar(Kind::Deadlines, archiveAt(path(u"2024.sca"_s)), 2024,
                              path(u"Scadenze_2024.ics"_s), stamp);
    }
    Outcome exportPayments() {
        return exportCalendar(Kind::Payments, archiveAt(path(u"2024.eur"_s)), 2024,
                              path(u"Pagamenti_2024.ics"_s), kStamp);
    }

    QTemporaryDir m_dir;
};

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// Properties libical's parser adds where it met something it could not read.
int parseErrors(icalcomponent* c) {
    int n = icalcomponent_count_properties(c, ICAL_XLICERROR_PROPERTY);
    for (icalcomponent* sub = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); sub;
         sub = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
        n += parseErrors(sub);
    return n;
}

// What a reader finds in one event, as text.
struct Event {
    std::string start; // "2024-01-15" (all day) or "2024-03-31 03:00 Europe/Rome"
    std::string summary;
    std::string trigger; // "" without an alarm
    std::string status;
    std::string categories;
    std::string description;
};

std::map<std::string, Event> eventsByLibical(const QByteArray& ics) {
    std::map<std::string, Event> events;
    Component cal(icalparser_parse_string(ics.constData()));
    EXPECT_TRUE(cal);
    if (!cal) return events;
    EXPECT_EQ(parseErrors(cal.get()), 0);
    EXPECT_EQ(icalrestriction_check(cal.get()), 1);
    EXPECT_EQ(parseErrors(cal.get()), 0) << "restriction check: " << ics.left(3000).constData();
    for (icalcomponent* ev = icalcomponent_get_first_component(cal.get(), ICAL_VEVENT_COMPONENT);
         ev; ev = icalcomponent_get_next_component(cal.get(), ICAL_VEVENT_COMPONENT)) {
        Event e;
        icalproperty* dtstart = icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY);
        const icaltimetype t = icalproperty_get_dtstart(dtstart);
        char buf[64];
        if (t.is_date) {
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
        } else {
            icalparameter* tzid = icalproperty_get_first_parameter(dtstart, ICAL_TZID_PARAMETER);
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d %s", t.year, t.month, t.day,
                          t.hour, t.minute, tzid ? icalparameter_get_tzid(tzid) : "floating");
        }
        e.start = buf;
        e.summary = icalcomponent_get_summary(ev);
        if (const char* d = icalcomponent_get_description(ev)) e.description = d;
        if (icalcomponent* a = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT)) {
            icalproperty* trig = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
            e.trigger = icaldurationtype_as_ical_string(icalproperty_get_trigger(trig).duration);
        }
        if (icalproperty* s = icalcomponent_get_first_property(ev, ICAL_STATUS_PROPERTY))
            e.status = icalproperty_status_to_string(icalproperty_get_status(s));
        if (icalproperty* c = icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY))
            e.categories = icalproperty_get_categories(c);
        events[icalcomponent_get_uid(ev)] = e;
    }
    return events;
}

const std::string kLongReasonUtf8 = kLongReason.toStdString();
const std::string kAccentedUtf8 = kAccented.toStdString();

TEST_F(CalendarTest, DeadlinesReadBackByLibicalWithEveryCase) {
    const Outcome outcome = exportDeadlines();
    ASSERT_TRUE(outcome.ok()) << outcome.written.cause().toStdString();
    EXPECT_EQ(outcome.events, 6);
    EXPECT_EQ(outcome.skipped, 2);
    const QByteArray ics = readAll(path(u"Scadenze_2024.ics"_s));
    const auto events = eventsByLibical(ics);
    ASSERT_EQ(events.size(), 6u);

    struct Expected {
        const char* uid;
        std::string start, summary, trigger, status, categories;
    };
    const Expected expected[] = {
        {"2024-1-scadenza@tavolex", "2024-01-15", "Bollo auto - Rossi Mario", "-P3D", "CONFIRMED",
         ""},
        // 02:30 does not exist on the night the clocks go forward: the first valid time.
        {"2024-2-scadenza@tavolex", "2024-03-31 03:00 Europe/Rome", "Udienza - Verdi Anna", "-P1D",
         "CONFIRMED", ""},
        {"2024-3-scadenza@tavolex", "2024-02-29 09:15 Europe/Rome", "Firma atto - " + kAccentedUtf8,
         "PT0S", "TENTATIVE", ""},
        // 02:30 exists twice when the clocks go back; it is kept.
        {"2024-4-scadenza@tavolex", "2024-10-27 02:30 Europe/Rome", "Scadenza - Neri Luca", "-P2D",
         "CONFIRMED", ""},
        {"2024-5-scadenza@tavolex", "2024-06-10", kLongReasonUtf8 + " - Gialli Sara", "",
         "CONFIRMED", "Pagato"},
        {"2024-6-scadenza@tavolex", "2024-12-30 23:30 Europe/Rome", "Saldo parcella", "-P10D",
         "CONFIRMED", ""},
    };
    for (const Expected& x : expected) {
        SCOPED_TRACE(x.uid);
        ASSERT_EQ(events.count(x.uid), 1u);
        const Event& e = events.at(x.uid);
        EXPECT_EQ(e.start, x.start);
        EXPECT_EQ(e.summary, x.summary);
        EXPECT_EQ(e.trigger, x.trigger);
        EXPECT_EQ(e.status, x.status);
        EXPECT_EQ(e.categories, x.categories);
    }
    EXPECT_EQ(events.at("2024-1-scadenza@tavolex").description,
              "Cliente: Rossi Mario\nPratica: Successione Bianchi\nProtocollo n. 2024/117\n"
              "Importo: 12,50 \u20AC\nPagamento: Bonifico");

    // The zone is named as every program knows it, with its rules in the file, and libical
    // folded the long lines.
    EXPECT_TRUE(ics.contains("BEGIN:VTIMEZONE\r\nTZID:Europe/Rome\r\n"));
    EXPECT_TRUE(ics.contains("DTSTART;TZID=Europe/Rome:20240331T030000\r\n"));
    EXPECT_TRUE(ics.contains("DTSTART;VALUE=DATE:20240115\r\n"));
    EXPECT_FALSE(ics.contains("freeassociation"));
    EXPECT_TRUE(ics.contains("\r\n "));
    for (const QByteArray& line : ics.split('\n'))
        EXPECT_LE(line.size(), 76) << line.constData(); // 75 octets and the CR
}

TEST_F(CalendarTest, PaymentsDueAreTheUnsettledMovementsWithADueDate) {
    const Outcome outcome = exportPayments();
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.events, 2);
    EXPECT_EQ(outcome.skipped, 1); // the damaged due date; settled and undated ones are no fault
    const auto events = eventsByLibical(readAll(path(u"Pagamenti_2024.ics"_s)));
    ASSERT_EQ(events.size(), 2u);
    const Event& income = events.at("2024-1-pagamento@tavolex");
    EXPECT_EQ(income.start, "2024-05-20");
    EXPECT_EQ(income.summary, "Parcella pratica 12 - Studio Alfa");
    EXPECT_EQ(income.trigger, "-P7D");
    EXPECT_EQ(income.description, "Entrata: 1234,50 \u20AC\nPagatore: Studio Alfa\nPagamento: RID");
    const Event& expense = events.at("2024-2-pagamento@tavolex");
    EXPECT_EQ(expense.start, "2024-03-31");
    EXPECT_EQ(expense.summary, "Bolletta luce, marzo - Enel Energia");
    EXPECT_EQ(expense.trigger, "PT0S");
    EXPECT_EQ(expense.description,
              "Uscita: 1234,50 \u20AC\nBeneficiario: Enel Energia\nPagamento: RID");
}

// A second parser, written independently of libical, reads the same events: the wall-clock
// times in the zone (which of the two 02:30 of the night the clocks go back is the parser's
// choice).
TEST_F(CalendarTest, PythonIcalendarReadsTheSameEvents) {
    ASSERT_TRUE(exportDeadlines().ok());
    const QString script = uR"(
import sys, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
tz = [c for c in cal.walk('VTIMEZONE')]
print('TZ', tz[0]['TZID'])
for ev in sorted(cal.walk('VEVENT'), key=lambda e: str(e['UID'])):
    start = ev.decoded('DTSTART')
    tzname = getattr(getattr(start, 'tzinfo', None), 'zone', None) or str(getattr(start, 'tzinfo', ''))
    alarms = [str(a.decoded('TRIGGER')) for a in ev.walk('VALARM')]
    wall = start.replace(tzinfo=None) if hasattr(start, 'tzinfo') else start
    print('|'.join([str(ev['UID']), wall.isoformat(), tzname, str(ev['SUMMARY']),
                    ','.join(alarms), str(ev.get('STATUS'))]))
)"_s;
    // The system's Python, the one the Debian package installs the module for.
    QProcess p;
    p.start(u"/usr/bin/python3"_s, {u"-c"_s, script, path(u"Scadenze_2024.ics"_s)});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    const QStringList lines =
        QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList expected = {
        u"TZ Europe/Rome"_s,
        u"2024-1-scadenza@tavolex|2024-01-15||Bollo auto - Rossi Mario|-3 days, 0:00:00|CONFIRMED"_s,
        u"2024-2-scadenza@tavolex|2024-03-31T03:00:00|Europe/Rome|Udienza - Verdi Anna|-1 day, 0:00:00|CONFIRMED"_s,
        u"2024-3-scadenza@tavolex|2024-02-29T09:15:00|Europe/Rome|Firma atto - "_s + kAccented +
            u"|0:00:00|TENTATIVE"_s,
        u"2024-4-scadenza@tavolex|2024-10-27T02:30:00|Europe/Rome|Scadenza - Neri Luca|-2 days, 0:00:00|CONFIRMED"_s,
        u"2024-5-scadenza@tavolex|2024-06-10||"_s + kLongReason + u" - Gialli Sara||CONFIRMED"_s,
        u"2024-6-scadenza@tavolex|2024-12-30T23:30:00|Europe/Rome|Saldo parcella|-10 days, 0:00:00|CONFIRMED"_s,
    };
    EXPECT_EQ(lines.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

// No control byte in `ics` but TAB and the CR LF ending each line.
void expectOnlyTabAndLineEnds(const QByteArray& ics) {
    for (qsizetype i = 0; i < ics.size(); ++i) {
        const auto b = static_cast<unsigned char>(ics[i]);
        if (b == '\r') {
            EXPECT_EQ(ics.mid(i + 1, 1), "\n") << "a CR alone at " << i;
        } else if (b == '\n') {
            EXPECT_EQ(ics.mid(i - 1, 1), "\r") << "an LF alone at " << i;
        } else {
            EXPECT_TRUE(b == '\t' || (b >= 0x20 && b != 0x7F))
                << "byte 0x" << std::hex << int(b) << " at " << std::dec << i;
        }
    }
}

// Whatever length a text has, libical's fold never falls inside a line's CR LF: every length
// of a summary without a blank (where libical would rather fold) across several folds.
TEST_F(CalendarTest, EveryLineEndsInCrLfWhateverItsLength) {
    QList<records::Record> year;
    for (int n = 1; n <= 240; ++n)
        year << deadline(u"15/01/2024"_s, u"10"_s, u"00"_s, u"1"_s, QString(n, u'D'), u""_s);
    ASSERT_TRUE(test::writeRecords(path(u"2024.sca"_s), year));
    ASSERT_TRUE(exportDeadlines().ok());
    const QByteArray ics = readAll(path(u"Scadenze_2024.ics"_s));
    expectOnlyTabAndLineEnds(ics);
    for (const QByteArray& line : ics.split('\n'))
        EXPECT_LE(line.size(), 76) << line.constData();
    const auto events = eventsByLibical(ics);
    ASSERT_EQ(events.size(), 240u);
    for (int n = 1; n <= 240; ++n)
        EXPECT_EQ(events.at("2024-" + std::to_string(n) + "-scadenza@tavolex").summary,
                  std::string(std::size_t(n), 'D'));
}

// Control characters a record can hold (damage, another program's paste) are left out of
// every text of the file, the rest of the text kept as it was: the bytes hold no control other
// than TAB and the CR LF of each line, and an independent parser reads the texts back.
TEST_F(CalendarTest, ControlCharactersInRecordsAreLeftOut) {
    struct Case {
        QString stored;
        QString shown;
    };
    const Case cases[] = {
        {u"Bollo\u0001 auto"_s, u"Bollo auto"_s},
        {u"\u001B[31mRosso\u001B[0m"_s, u"[31mRosso[0m"_s},
        {u"Fine\u007F"_s, u"Fine"_s},
        {u"riga uno\r\nriga due\u000B\u000C"_s, u"riga unoriga due"_s},
        {u"con\ttab"_s, u"con\ttab"_s},
        {u"x\u0081y\u009Dz"_s, u"xyz"_s}, // undefined Windows-1252 bytes
        {QString::fromUtf16(u"nul\0lo", 6), u"nullo"_s},
        {u"Caff\u00E8; \u20AC 5,00"_s, u"Caff\u00E8; \u20AC 5,00"_s},
    };
    QList<records::Record> year;
    for (const Case& c : cases) {
        records::Record r =
            deadline(u"15/01/2024"_s, u"10"_s, u"00"_s, u"1"_s, c.stored, u"Rossi Mario"_s);
        r.setText(u"Note", c.stored);
        year << r;
    }
    ASSERT_TRUE(test::writeRecords(path(u"2024.sca"_s), year));
    ASSERT_TRUE(exportDeadlines().ok());
    const QByteArray ics = readAll(path(u"Scadenze_2024.ics"_s));

    expectOnlyTabAndLineEnds(ics);
    EXPECT_EQ(eventsByLibical(ics).size(), std::size(cases));

    const QString script = uR"(
import sys, json, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
for ev in sorted(cal.walk('VEVENT'), key=lambda e: int(str(e['UID']).split('-')[1])):
    print(json.dumps([str(ev['SUMMARY']), str(ev['DESCRIPTION'])]))
)"_s;
    QProcess p;
    p.start(u"/usr/bin/python3"_s, {u"-c"_s, script, path(u"Scadenze_2024.ics"_s)});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    ASSERT_GE(lines.size(), qsizetype(std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const QString& shown = cases[i].shown;
        SCOPED_TRACE(shown.toStdString());
        const QJsonArray read = QJsonDocument::fromJson(lines[qsizetype(i)]).array();
        EXPECT_EQ(read.at(0).toString(), shown + u" - Rossi Mario"_s);
        EXPECT_EQ(read.at(1).toString(),
                  u"Cliente: Rossi Mario\nPratica: Successione Bianchi\nProtocollo n. 2024/117\n"
                  u"Importo: 12,50 \u20AC\nPagamento: Bonifico\nNote: "_s +
                      shown);
    }
}

// A real calendar program imports the file and lists each event on its day and at its time.
TEST_F(CalendarTest, KhalImportsAndListsTheEvents) {
    if (QStandardPaths::findExecutable(u"khal"_s).isEmpty()) GTEST_FAIL() << "khal is missing";
    ASSERT_TRUE(exportDeadlines().ok());
    ASSERT_TRUE(exportPayments().ok());
    QDir home(m_dir.path());
    ASSERT_TRUE(home.mkpath(u"khal/scadenze"_s));
    ASSERT_TRUE(home.mkpath(u"khal/pagamenti"_s));
    ASSERT_TRUE(home.mkpath(u"data"_s));
    QFile config(path(u"khal.conf"_s));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(("[calendars]\n[[scadenze]]\npath = " + path(u"khal/scadenze"_s).toUtf8() +
                  "\n[[pagamenti]]\npath = " + path(u"khal/pagamenti"_s).toUtf8() +
                  "\n[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\n"
                  "longdateformat = %Y-%m-%d\ndatetimeformat = %Y-%m-%d %H:%M\n"
                  "longdatetimeformat = %Y-%m-%d %H:%M\nlocal_timezone = Europe/Rome\n"
                  "default_timezone = Europe/Rome\n"));
    config.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_DATA_HOME"_s, path(u"data"_s));
    env.insert(u"XDG_CONFIG_HOME"_s, path(u"data"_s));
    env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    auto khal = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(u"khal"_s, QStringList{u"-c"_s, config.fileName()} + args);
        EXPECT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    khal({u"import"_s, u"--batch"_s, u"-a"_s, u"scadenze"_s, path(u"Scadenze_2024.ics"_s)});
    khal({u"import"_s, u"--batch"_s, u"-a"_s, u"pagamenti"_s, path(u"Pagamenti_2024.ics"_s)});
    const QString listed = khal({u"list"_s, u"--format"_s, u"{start} {end} {title} [{calendar}]"_s,
                                 u"--day-format"_s, u""_s, u"2024-01-01"_s, u"2025-01-01"_s});
    QStringList lines = listed.split(u'\n', Qt::SkipEmptyParts);
    lines.removeDuplicates();
    const QStringList expected = {
        u"2024-01-15 2024-01-15 Bollo auto - Rossi Mario [scadenze]"_s,
        u"2024-02-29 09:15 2024-02-29 10:15 Firma atto - "_s + kAccented + u" [scadenze]"_s,
        u"2024-03-31 2024-03-31 Bolletta luce, marzo - Enel Energia [pagamenti]"_s,
        u"2024-03-31 03:00 2024-03-31 04:00 Udienza - Verdi Anna [scadenze]"_s,
        u"2024-05-20 2024-05-20 Parcella pratica 12 - Studio Alfa [pagamenti]"_s,
        u"2024-06-10 2024-06-10 "_s + kLongReason + u" - Gialli Sara [scadenze]"_s,
        u"2024-10-27 02:30 2024-10-27 03:30 Scadenza - Neri Luca [scadenze]"_s,
        u"2024-12-30 23:30 2024-12-31 00:30 Saldo parcella [scadenze]"_s,
    };
    EXPECT_EQ(lines.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

QList<QByteArray> eventBlocks(const QByteArray& ics) {
    QList<QByteArray> blocks;
    qsizetype at = 0;
    while ((at = ics.indexOf("BEGIN:VEVENT", at)) >= 0) {
        const qsizetype end = ics.indexOf("END:VEVENT", at);
        blocks << ics.mid(at, end - at);
        at = end;
    }
    return blocks;
}

TEST_F(CalendarTest, ReexportAfterOneEditChangesOnlyThatEvent) {
    ASSERT_TRUE(exportDeadlines().ok());
    const QList<QByteArray> before = eventBlocks(readAll(path(u"Scadenze_2024.ics"_s)));
    QList<records::Record> year = deadlineYear();
    year[3].setText(u"Causale", u"Deposito memoria"_s);
    year[3].setText(u"Ore", u"11"_s);
    ASSERT_TRUE(test::writeRecords(path(u"2024.sca"_s), year));
    ASSERT_TRUE(exportDeadlines().ok());
    const QList<QByteArray> after = eventBlocks(readAll(path(u"Scadenze_2024.ics"_s)));
    ASSERT_EQ(before.size(), after.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const QByteArray uid = "UID:2024-" + QByteArray::number(i + 1) + "-scadenza@tavolex\r\n";
        EXPECT_TRUE(before[i].contains(uid));
        EXPECT_TRUE(after[i].contains(uid));
        if (i == 3) {
            EXPECT_NE(before[i], after[i]);
            EXPECT_TRUE(after[i].contains("SUMMARY:Deposito memoria - Neri Luca\r\n"));
            EXPECT_TRUE(after[i].contains("DTSTART;TZID=Europe/Rome:20241027T113000\r\n"));
        } else {
            EXPECT_EQ(before[i], after[i]) << i;
        }
    }
}

TEST_F(CalendarTest, FullDiskLeavesTheEarlierFileByteIdentical) {
    ASSERT_TRUE(exportDeadlines().ok());
    const QByteArray earlier = readAll(path(u"Scadenze_2024.ics"_s));
    ASSERT_FALSE(earlier.isEmpty());
    Outcome outcome;
    {
        test::DiskFull full(1024);
        ASSERT_TRUE(full.active());
        outcome = exportDeadlines(kStamp.addDays(1));
    }
    EXPECT_FALSE(outcome.ok());
    EXPECT_FALSE(outcome.written.cause().isEmpty());
    EXPECT_EQ(readAll(path(u"Scadenze_2024.ics"_s)), earlier);
    EXPECT_EQ(QDir(m_dir.path()).entryList({u"Scadenze_2024.ics*"_s}, QDir::Files).size(), 1);
}

TEST_F(CalendarTest, DamagedRecordsAreCountedAndAnUnreadableArchiveWritesNothing) {
    // Every record damaged in a different way, between two good ones: the export goes on.
    QList<records::Record> year = {deadlineYear()[0]};
    for (const QString& date : {u""_s, u"1/1/24"_s, u"00/01/2024"_s, u"xx/yy/zzzz"_s})
        year << deadline(date, u"00"_s, u"00"_s, u"1"_s, u"r"_s, u"c"_s);
    year << deadline(u"02/02/2024"_s, u"24"_s, u"00"_s, u"1"_s, u"ora"_s, u"c"_s);
    year << deadline(u"02/02/2024"_s, u"10"_s, u"6x"_s, u"1"_s, u"minuti"_s, u"c"_s);
    year << deadline(u"02/02/2024"_s, u"10"_s, u"00"_s, u"-1"_s, u"preavviso"_s, u"c"_s);
    year << deadlineYear()[1];
    ASSERT_TRUE(test::writeRecords(path(u"2024.sca"_s), year));
    const Outcome outcome = exportDeadlines();
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.events, 2);
    EXPECT_EQ(outcome.skipped, 7);
    const auto events = eventsByLibical(readAll(path(u"Scadenze_2024.ics"_s)));
    EXPECT_EQ(events.count("2024-1-scadenza@tavolex"), 1u);
    EXPECT_EQ(events.count("2024-9-scadenza@tavolex"), 1u);

    // An archive that cannot be read leaves the earlier file alone.
    const QByteArray earlier = readAll(path(u"Scadenze_2024.ics"_s));
    ASSERT_TRUE(QFile::remove(path(u"2024.sca"_s)));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"2024.sca"_s));
    const Outcome failed = exportDeadlines();
    EXPECT_FALSE(failed.archiveRead);
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(readAll(path(u"Scadenze_2024.ics"_s)), earlier);
}

TEST_F(CalendarTest, AnEmptyYearIsAValidCalendar) {
    const Outcome outcome = exportCalendar(Kind::Deadlines, archiveAt(path(u"2031.sca"_s)), 2031,
                                           path(u"Scadenze_2031.ics"_s), kStamp);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.events, 0);
    EXPECT_TRUE(eventsByLibical(readAll(path(u"Scadenze_2031.ics"_s))).empty());
}

TEST_F(CalendarTest, SettingsLiveInCartoviaIniAndChooseTheFolder) {
    EXPECT_FALSE(readSettings().keepCurrent);
    EXPECT_EQ(outputPath(Kind::Deadlines, 2024, readSettings()), path(u"Scadenze_2024.ics"_s));
    const QString synced = path(u"Sincronizzata"_s);
    ASSERT_TRUE(writeSettings({true, synced}).ok());
    const QByteArray ini = readAll(path(u"Cartovia.ini"_s));
    EXPECT_TRUE(ini.contains(
        QByteArray("[Calendario]\r\nAggiorna=S\xEC\r\nCartella=" + synced.toLatin1() + "\r\n")))
        << ini.constData();
    const Settings s = readSettings();
    EXPECT_TRUE(s.keepCurrent);
    EXPECT_EQ(outputPath(Kind::Payments, 2024, s), synced + u"/Pagamenti_2024.ics"_s);
    ASSERT_TRUE(writeSettings({false, u""_s}).ok());
    EXPECT_FALSE(readSettings().keepCurrent);
    EXPECT_EQ(archiveYear(records::archiveOfYear(records::ArchiveKind::Deadlines, u"2024"_s)),
              2024);
    EXPECT_EQ(archiveYear(records::archiveOfYear(records::ArchiveKind::Movements, u"20a4"_s)), 0);
    EXPECT_EQ(archiveYear(records::archiveOfYear(records::ArchiveKind::Movements, u"+024"_s)), 0);
}

} // namespace
