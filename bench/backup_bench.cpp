// Times a backup copy of a folder of archives (≈ 1.5 GB unless TAVOLEX_BENCH_BACKUP_MB says
// otherwise) and its verification, beside `zip -r -1 -q` and `unzip -t` of the same files in
// the same run. Called from the bench program's main with runBackupBench().
#include "backup/backupcopy.h"
#include "backup/restore.h"
#include "benchsupport.h"
#include "records/layouts.h"
#include "records/record.h"
#include "security/passwordstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

const QStringList kNames = {u"Rossi Mario"_s,   u"Bianchi Anna"_s, u"Ferrari Luca"_s,
                            u"Esposito Sara"_s, u"Romano Paolo"_s, u"Colombo Giulia"_s};
const QStringList kSubjects = {u"Successione ereditaria"_s, u"Ricorso al TAR"_s,
                               u"Divisione immobiliare"_s, u"Contratto di locazione"_s};

// Practice archives, one per year, kept as attachments until the folder holds about
// `megabytes`, and the password store every copy must hold.
qint64 generateFolder(const QString& folder, qint64 megabytes) {
    if (!security::PasswordStore(folder + u"/unins000.dll"_s).write(u"ARCHIVIOSTUDIO"_s)) return -1;
    QDir().mkpath(folder + u"/Documenti_Allegati"_s);
    const auto& layout = records::practiceLayout();
    const qint64 perYear = 200000;
    const qint64 yearBytes = perYear * layout.recordSize();
    qint64 total = 0;
    for (int year = 2000; total < megabytes * 1024 * 1024; ++year) {
        const QString path = folder + u"/Documenti_Allegati/Pratiche%1.pro"_s.arg(year);
        const bool ok =
            bench::writeArchive(path, layout, perYear, [&](qint64 i, records::Record& r) {
                r.setText(u"Oggetto", pick(kSubjects, i, year) + u" n. %1"_s.arg(i));
                r.setText(u"Cliente", pick(kNames, i, 5));
                r.setText(u"Protocollo", u"%1/%2"_s.arg(year).arg(i));
                r.setText(u"Note", u"Nota %1 della pratica %2"_s.arg(i * 7919 % 100003).arg(i));
            });
        if (!ok) return -1;
        total += yearBytes;
    }
    return total;
}

qint64 timeTool(const QString& program, const QStringList& args, const QString& workDir) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        return -1;
    }
    return t.elapsed();
}

} // namespace

void runBackupBench() {
    const qint64 megabytes = qEnvironmentVariableIsSet("TAVOLEX_BENCH_BACKUP_MB")
                                 ? qEnvironmentVariableIntValue("TAVOLEX_BENCH_BACKUP_MB")
                                 : 1536;
    QTemporaryDir program;
    QTemporaryDir copies;
    if (!program.isValid() || !copies.isValid()) return;
    QElapsedTimer t;
    t.start();
    const qint64 bytes = generateFolder(program.path(), megabytes);
    if (bytes < 0) return;
    const QString note = u"%1 MB of archives"_s.arg(bytes / (1024 * 1024));
    bench::report("generate the archives folder", t.elapsed(), 0, note);

    const QString zip = copies.filePath(u"zip-r-1.zip"_s);
    const qint64 zipMs =
        timeTool(u"zip"_s, {u"-r"_s, u"-1"_s, u"-q"_s, zip, u"."_s}, program.path());
    bench::report("yardstick: zip -r -1 -q", zipMs, 0,
                  u"%1 MB zip"_s.arg(QFileInfo(zip).size() / (1024 * 1024)));

    t.restart();
    const backup::Outcome made =
        backup::createCopy(program.path(), copies.path(),
                           QDateTime(QDate(2026, 12, 10), QTime(18, 0)), backup::Kind::Manual);
    const qint64 copyMs = t.elapsed();
    bench::report(
        "backup copy (written, read back, checked)", copyMs, 0,
        made.ok ? u"%1 MB zip, %2x zip's time"_s.arg(QFileInfo(made.path).size() / (1024 * 1024))
                      .arg(double(copyMs) / double(std::max<qint64>(zipMs, 1)), 0, 'f', 2)
                : made.cause);
    if (!made.ok) return;

    const qint64 unzipMs = timeTool(u"unzip"_s, {u"-t"_s, u"-qq"_s, made.path}, copies.path());
    bench::report("yardstick: unzip -t", unzipMs, 0);
    t.restart();
    const backup::Outcome checked = backup::verifyCopy(made.path);
    const qint64 verifyMs = t.elapsed();
    bench::report("backup verification", verifyMs, 0,
                  checked.ok
                      ? u"%1 files, %2x unzip -t's time"_s.arg(checked.files)
                            .arg(double(verifyMs) / double(std::max<qint64>(unzipMs, 1)), 0, 'f', 2)
                      : checked.cause);

    QTemporaryDir unzipped;
    const qint64 extractMs =
        timeTool(u"unzip"_s, {u"-qq"_s, made.path, u"-d"_s, unzipped.path()}, copies.path());
    bench::report("yardstick: unzip -d", extractMs, 0);
    t.restart();
    const backup::Outcome restored = backup::restoreCopy(made.path, program.path());
    const qint64 restoreMs = t.elapsed();
    bench::report("restore (extracted, synced, judged, swapped)", restoreMs, 0,
                  restored.ok
                      ? u"%1x unzip -d's time"_s.arg(
                            double(restoreMs) / double(std::max<qint64>(extractMs, 1)), 0, 'f', 2)
                      : restored.cause);
}
