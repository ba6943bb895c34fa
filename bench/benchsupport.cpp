#include "benchsupport.h"

#include <QFileInfo>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <cstdio>

namespace tavolex::bench {

using namespace Qt::Literals::StringLiterals;

QString pick(const QStringList& list, qint64 i, qint64 salt) {
    return list[int((i * 7919 + salt) % list.size())];
}

bool writeArchive(const QString& path, const records::RecordLayout& layout, qint64 count,
                  const std::function<void(qint64, records::Record&)>& fill) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    records::Record r(layout);
    QByteArray block;
    for (qint64 i = 1; i <= count; ++i) {
        r.clear();
        fill(i, r);
        block += r.bytes();
        if (block.size() >= (4 << 20)) {
            if (file.write(block) != block.size()) return false;
            block.clear();
        }
    }
    return file.write(block) == block.size() && file.flush();
}

void report(const char* what, qint64 ms, qint64 records, const QString& note) {
    const double seconds = qMax<qint64>(ms, 1) / 1000.0;
    std::printf("%-46s %8lld ms  %12.0f records/s  %s\n", what, static_cast<long long>(ms),
                records / seconds, qPrintable(note));
    std::fflush(stdout);
}

records::ArchiveId archiveIdOf(const QString& path) {
    const auto named = records::archiveNamed(QFileInfo(path).fileName());
    if (!named) qFatal("not an archive's name: %s", qPrintable(path));
    return named->entry->isYearly() ? records::archiveId(named->entry->kind, named->year)
                                    : records::archiveId(named->entry->kind);
}

records::FileArchive archiveAt(const QString& path) {
    return records::FileArchive(path, archiveIdOf(path).recordSize());
}

void reportGrep(const QString& pattern, const QString& path, const QString& shownName,
                qint64 records) {
    QProcess grep;
    QElapsedTimer t;
    t.start();
    // The C locale: byte comparisons, as the lists make them.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, u"C"_s);
    grep.setProcessEnvironment(environment);
    grep.start(u"grep"_s, {u"-c"_s, u"-i"_s, pattern, path});
    grep.waitForFinished(-1);
    const QByteArray what = (u"LC_ALL=C grep -c -i "_s + pattern + u' ' + shownName).toLocal8Bit();
    report(what.constData(), t.elapsed(), records,
           u"%1 matching lines"_s.arg(QString::fromLatin1(grep.readAllStandardOutput()).trimmed()));
}

void reportCopy(const QString& path, const QString& shownName, qint64 records) {
    const QString copy = path + u".copy"_s;
    QFile::remove(copy);
    QProcess cp;
    QElapsedTimer t;
    t.start();
    cp.start(u"cp"_s, {path, copy});
    cp.waitForFinished(-1);
    const QByteArray what = QString(u"cp "_s + shownName).toLocal8Bit();
    report(what.constData(), t.elapsed(), records,
           u"%1 MB copied"_s.arg(QFileInfo(copy).size() / 1e6, 0, 'f', 1));
    QFile::remove(copy);
    // The safe write flushes its file to disk before putting it in place; so does this.
    QProcess synced;
    t.restart();
    synced.start(u"sh"_s, {u"-c"_s, u"cp \"$0\" \"$1\" && sync \"$1\""_s, path, copy});
    synced.waitForFinished(-1);
    const QByteArray syncedWhat = QString(u"cp + sync "_s + shownName).toLocal8Bit();
    report(syncedWhat.constData(), t.elapsed(), records,
           u"%1 MB copied and flushed"_s.arg(QFileInfo(copy).size() / 1e6, 0, 'f', 1));
    QFile::remove(copy);
}

bool generateTimed(const QString& path, qint64 records,
                   const std::function<bool(const QString&)>& generate) {
    QElapsedTimer t;
    t.start();
    if (!generate(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    const qint64 bytes = QFileInfo(path).size();
    report(qPrintable(u"generate "_s + QFileInfo(path).fileName()), t.elapsed(), records,
           u"%1 records, %2 bytes (%3 MB)"_s.arg(records).arg(bytes).arg(bytes / 1e6, 0, 'f', 1));
    return true;
}

} // namespace tavolex::bench
