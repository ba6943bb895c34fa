#include "restore.h"

#include "files/log.h"
#include "files/safewrite.h"
#include "files/sha256.h"
#include "zipread.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace tavolex::backup {

using namespace Qt::StringLiterals;
using zip::failed;
using zip::systemCause;

namespace {

// Work folders of a restore, inside the program folder (so that every move is a rename on
// one disk); never part of a copy.
const QString kWorkPrefix = u".ripristino-"_s;
const QString kJournalName = u"ripristino.journal"_s;
constexpr QByteArrayView kJournalHead = "Tavolex ripristino 1";
constexpr QByteArrayView kWorkLine = "lavoro ";
constexpr QByteArrayView kAsideLine = "accanto ";
constexpr QByteArrayView kEntryLine = "voce ";
constexpr QByteArrayView kDoneLine = "fatto";

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

bool exists(const QString& path) {
    struct stat info {};
    return ::lstat(encoded(path).constData(), &info) == 0;
}

bool isFolder(const QString& path) {
    struct stat info {};
    return ::lstat(encoded(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool sameFile(const QString& a, const QString& b) {
    struct stat x {
    }, y{};
    return ::lstat(encoded(a).constData(), &x) == 0 && ::lstat(encoded(b).constData(), &y) == 0 &&
           x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

bool renamePath(const QString& from, const QString& to) {
    return ::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

// Removes a file, a link or a whole folder; a link is removed, never what it points to.
void removePath(const QString& path) {
    if (isFolder(path))
        QDir(path).removeRecursively();
    else
        ::unlink(encoded(path).constData());
}

// A top-level entry of the swap: whether the folder had it before and whether the copy
// holds it.
struct Entry {
    QString name;
    bool present = false;
    bool inCopy = false;
};

// The planned swap, written down before the first move.
struct Plan {
    QString work;  // the extracted copy
    QString aside; // where present entries go
    QList<Entry> entries;
    bool done = false;

    QByteArray text() const {
        QByteArray out = kJournalHead.toByteArray() + '\n';
        out += kWorkLine.toByteArray() + work.toUtf8() + '\n';
        out += kAsideLine.toByteArray() + aside.toUtf8() + '\n';
        for (const Entry& e : entries)
            out += kEntryLine.toByteArray() + (e.present ? "1 " : "0 ") + (e.inCopy ? "1 " : "0 ") +
                   e.name.toUtf8() + '\n';
        if (done) out += kDoneLine.toByteArray() + '\n';
        return out;
    }

    static bool isWorkName(const QString& name) {
        return name.startsWith(kWorkPrefix) && !name.contains(u'/') && name.size() > 12;
    }

    // Only names a restore itself writes are followed: its own work folders and the
    // top-level names of a copy.
    static bool parse(const QByteArray& text, Plan& plan) {
        const QList<QByteArray> lines = text.split('\n');
        if (lines.isEmpty() || lines[0] != kJournalHead) return false;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArrayView line(lines[i]);
            if (line.isEmpty()) continue;
            if (line.startsWith(kWorkLine)) {
                plan.work = QString::fromUtf8(line.sliced(kWorkLine.size()));
            } else if (line.startsWith(kAsideLine)) {
                plan.aside = QString::fromUtf8(line.sliced(kAsideLine.size()));
            } else if (line.startsWith(kEntryLine) && line.size() > kEntryLine.size() + 4) {
                const QByteArrayView rest = line.sliced(kEntryLine.size());
                Entry e;
                e.present = rest[0] == '1';
                e.inCopy = rest[2] == '1';
                e.name = QString::fromUtf8(rest.sliced(4));
                if (e.name.contains(u'/') ||
                    !(isKeptPath(e.name, false) || isKeptPath(e.name, true)))
                    return false;
                plan.entries << e;
            } else if (line == kDoneLine) {
                plan.done = true;
            } else {
                return false;
            }
        }
        return isWorkName(plan.work) && isWorkName(plan.aside) && plan.work != plan.aside;
    }
};

bool writeJournal(const QString& programFolder, const Plan& plan, QString& cause) {
    const files::WriteResult written =
        files::replaceFile(QDir(programFolder).filePath(kJournalName), plan.text());
    if (!written) {
        cause = written.cause();
        return false;
    }
    if (!files::syncFolder(programFolder)) {
        cause = programFolder + u": sync: "_s + systemCause();
        return false;
    }
    return true;
}

// A plain copy of a file, synced, for a disk that keeps no second name of a file.
bool copySynced(const QString& from, const QString& to) {
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    QByteArray block(zip::kBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0) return false;
        if (got == 0) break;
        if (out.write(block.constData(), got) != got) return false;
    }
    return out.flush() && ::fsync(out.handle()) == 0;
}

// The moves of one restore, each numbered for the fault tests.
class Swap {
public:
    Swap(QString programFolder, Plan& plan, RestoreStep step)
        : m_root(std::move(programFolder)), m_plan(plan), m_step(std::move(step)) {}

    QString cause;

    bool apply(const Entry& e) {
        const QString target = at(e.name);
        const QString kept = aside(e.name);
        if (e.present) {
            struct stat info {};
            if (::lstat(encoded(target).constData(), &info) != 0)
                return fail(target + u": "_s + systemCause());
            if (S_ISREG(info.st_mode)) {
                // A second name keeps the present file while the copy's replaces it in one
                // rename: the file is never absent (the password store above all).
                if (!change([&] { return keepSecondName(target, kept); }))
                    return fail(target + u": cannot be kept aside: "_s + systemCause());
                if (!e.inCopy) {
                    if (!change([&] { return ::unlink(encoded(target).constData()) == 0; }))
                        return fail(target + u": "_s + systemCause());
                    return true;
                }
            } else if (!change([&] { return renamePath(target, kept); })) {
                return fail(target + u": cannot be moved aside: "_s + systemCause());
            }
        }
        if (e.inCopy && !change([&] { return renamePath(work(e.name), target); }))
            return fail(target + u": cannot be put in place: "_s + systemCause());
        return true;
    }

    bool change(const std::function<bool()>& move) {
        ++m_count;
        if (m_step && !m_step(m_count)) {
            errno = ENOSPC;
            return false;
        }
        return move();
    }

    // Puts back what the journal's moves changed, whatever point they reached. False when
    // something could not be put back: the journal and the work folders then stay for the
    // next start.
    bool undo() {
        bool ok = true;
        for (auto it = m_plan.entries.crbegin(); it != m_plan.entries.crend(); ++it) {
            const QString target = at(it->name);
            const QString kept = aside(it->name);
            if (exists(kept)) {
                if (exists(target) && !sameFile(target, kept) &&
                    (isFolder(target) || isFolder(kept)))
                    setAside(target, it->name);
                if (!renamePath(kept, target)) {
                    qCWarning(lcFiles).noquote() << target << "not put back:" << systemCause();
                    ok = false;
                }
            } else if (!it->present && exists(target)) {
                setAside(target, it->name);
            }
        }
        return ok;
    }

    // Removes the work folders and the journal once the folder is wholly in one state.
    void finish() {
        files::syncFolder(m_root);
        removePath(QDir(m_root).filePath(m_plan.work));
        removePath(QDir(m_root).filePath(m_plan.aside));
        ::unlink(encoded(QDir(m_root).filePath(kJournalName)).constData());
        files::syncFolder(m_root);
    }

private:
    QString at(const QString& name) const { return QDir(m_root).filePath(name); }
    QString work(const QString& name) const {
        return QDir(m_root).filePath(m_plan.work + u'/' + name);
    }
    QString aside(const QString& name) const {
        return QDir(m_root).filePath(m_plan.aside + u'/' + name);
    }

    // Moves an entry of the copy's back out of the way, into the work folder if free.
    void setAside(const QString& target, const QString& name) {
        if (!exists(work(name)) && renamePath(target, work(name))) return;
        removePath(target);
    }

    static bool keepSecondName(const QString& target, const QString& kept) {
        if (::link(encoded(target).constData(), encoded(kept).constData()) == 0) return true;
        if (errno == ENOSPC || errno == EEXIST) return false;
        const QString part = kept + u".part"_s;
        ::unlink(encoded(part).constData());
        return copySynced(target, part) && renamePath(part, kept);
    }

    bool fail(QString why) {
        cause = std::move(why);
        return false;
    }

    QString m_root;
    Plan& m_plan;
    RestoreStep m_step;
    int m_count = 0;
};

// Syncs every folder of an extracted tree, so that the names of its files reach the disk.
bool syncTree(const QString& root) {
    bool ok = files::syncFolder(root);
    QDirIterator it(root, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ok = files::syncFolder(it.next()) && ok;
    return ok;
}

// Extracts a copy into `work`, each file synced, and judges what was read.
Outcome extract(const QString& zipPath, const QDir& work, const Progress& progress,
                zip::Verdict& verdict) {
    zip::ReadCopy read;
    bool cancelled = false;
    QString cause;
    QFile out;
    zip::Extraction extraction;
    extraction.begin = [&](const QString& name, bool folder) {
        if (!isKeptPath(name, folder)) {
            cause = u"refused entry: "_s + name;
            return false;
        }
        if (folder) return QDir().mkpath(work.filePath(name));
        if (!QDir().mkpath(QFileInfo(work.filePath(name)).absolutePath())) return false;
        out.setFileName(work.filePath(name));
        return out.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    };
    extraction.store = [&](const char* data, qint64 size) {
        if (out.write(data, size) == size) return true;
        cause = out.fileName() + u": "_s + systemCause();
        return false;
    };
    extraction.end = [&]() {
        const bool ok = out.flush() && ::fsync(out.handle()) == 0;
        if (!ok && cause.isEmpty()) cause = out.fileName() + u": "_s + systemCause();
        out.close();
        return ok && out.error() == QFileDevice::NoError;
    };
    if (!zip::readCopy(zipPath, read, progress, cancelled, cause, extraction)) {
        if (cancelled) return zip::cancelled();
        if (cause.isEmpty()) cause = out.errorString();
        return failed(zipPath + u": "_s + cause, Refusal::None,
                      read.unreadableEntry.isEmpty() ? QStringList()
                                                     : QStringList{read.unreadableEntry});
    }
    verdict = zip::judge(read);
    if (!verdict.ok())
        return failed(zipPath + u": "_s + verdict.cause,
                      verdict.notACopy ? Refusal::NotACopy : Refusal::None, verdict.damaged);
    if (!syncTree(work.path())) return failed(work.path() + u": sync: "_s + systemCause());
    Outcome outcome;
    outcome.ok = true;
    return outcome;
}

// The top-level entries of the swap: each the copy holds, and each of the kinds a copy
// holds that the folder has now; the password store last.
QList<Entry> planEntries(const QString& programFolder, const QDir& work) {
    QStringList names;
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& name : work.entryList(all))
        names << name;
    for (const QFileInfo& info : QDir(programFolder).entryInfoList(all)) {
        if (isKeptPath(info.fileName(), info.isDir()) && !names.contains(info.fileName()))
            names << info.fileName();
    }
    names.sort();
    const QString store = QLatin1String(kPasswordStoreName);
    if (names.removeAll(store) > 0) names << store;
    QList<Entry> entries;
    for (const QString& name : names)
        entries << Entry{name, exists(QDir(programFolder).filePath(name)),
                         exists(work.filePath(name))};
    return entries;
}

QString makeWorkFolder(const QString& programFolder) {
    QTemporaryDir made(QDir(programFolder).filePath(kWorkPrefix + u"XXXXXX"_s));
    if (!made.isValid()) return {};
    made.setAutoRemove(false);
    return QFileInfo(made.path()).fileName();
}

} // namespace

Outcome restoreCopy(const QString& zipPath, const QString& programFolder, const Progress& progress,
                    const RestoreStep& step) {
    const files::CryptoThreadScope cryptoScope;
    const zip::Utf8Names utf8Names;
    const QDir root(programFolder);
    if (exists(root.filePath(kJournalName)))
        return failed(programFolder + u": an earlier restore is not settled"_s);
    Plan plan;
    plan.work = makeWorkFolder(programFolder);
    if (plan.work.isEmpty())
        return failed(programFolder + u": cannot make a work folder: "_s + systemCause());
    const QDir work(root.filePath(plan.work));
    zip::Verdict verdict;
    if (Outcome extracted = extract(zipPath, work, progress, verdict); !extracted.ok) {
        removePath(work.path());
        return extracted;
    }
    plan.aside = makeWorkFolder(programFolder);
    if (plan.aside.isEmpty()) {
        removePath(work.path());
        return failed(programFolder + u": cannot make a work folder: "_s + systemCause());
    }
    plan.entries = planEntries(programFolder, work);

    Swap swap(programFolder, plan, step);
    QString cause;
    if (!swap.change([&] { return writeJournal(programFolder, plan, cause); })) {
        if (cause.isEmpty()) cause = systemCause();
        ::unlink(encoded(root.filePath(kJournalName)).constData());
        removePath(work.path());
        removePath(root.filePath(plan.aside));
        return failed(programFolder + u": restore journal: "_s + cause);
    }
    bool ok = true;
    for (const Entry& e : plan.entries) {
        if (!(ok = swap.apply(e))) break;
    }
    if (ok) {
        plan.done = true;
        ok = swap.change([&] { return writeJournal(programFolder, plan, cause); });
        if (!ok) swap.cause = u"restore journal: "_s + (cause.isEmpty() ? systemCause() : cause);
        plan.done = ok;
    }
    if (!ok && !swap.undo())
        return failed(swap.cause + u"; not every file could be put back yet"_s);
    swap.finish();
    if (!ok) return failed(swap.cause);
    Outcome outcome;
    outcome.ok = true;
    outcome.path = zipPath;
    outcome.files = int(verdict.manifest.digests.size());
    return outcome;
}

Recovery recoverRestore(const QString& programFolder) {
    const QDir root(programFolder);
    const QString journalPath = root.filePath(kJournalName);
    Recovery recovery = Recovery::Nothing;
    if (exists(journalPath)) {
        QFile journal(journalPath);
        Plan plan;
        if (!journal.open(QIODevice::ReadOnly) || journal.size() > (1 << 20) ||
            !Plan::parse(journal.readAll(), plan)) {
            qCWarning(lcFiles).noquote() << journalPath << "cannot be followed";
            return Recovery::Failed;
        }
        Swap swap(programFolder, plan, {});
        if (!plan.done && !swap.undo()) return Recovery::Failed;
        swap.finish();
        recovery = plan.done ? Recovery::Finished : Recovery::Undone;
        qCInfo(lcFiles).noquote() << "an interrupted restore was"
                                  << (plan.done ? "finished" : "undone");
    }
    // Work folders no journal names: a restore stopped before its swap began.
    for (const QString& name :
         root.entryList({kWorkPrefix + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks))
        removePath(root.filePath(name));
    return recovery;
}

} // namespace tavolex::backup
