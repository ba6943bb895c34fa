// Restores that survive a kill or a full disk at every move, the copies' folder checked by
// its canonical path, names that once blocked a copy, and crafted zips refused alike by
// "Verifica" and by a restore.
#include "backup/backupcopy.h"
#include "backup/restore.h"
#include "support/backupfolder.h"
#include "support/diskfull.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tavolex;
using namespace tavolex::test;

namespace {

bool accepts(const QString& storePath, const QString& password) {
    return security::PasswordStore(storePath).login(password) ==
           security::PasswordStore::Login::Accepted;
}

// A copy of the fixture's folder, kept outside it, and the folder changed afterwards: an
// archive and the settings rewritten, another password, a year and an attachment added, an
// attachment removed.
class RestoreFaults : public ProgramFolder {
protected:
    void SetUp() override {
        ProgramFolder::SetUp();
        const backup::Outcome made =
            backup::createCopy(m_dir.path(), m_copies.path(),
                               QDateTime(QDate(2026, 12, 1), QTime(9, 0)), backup::Kind::Manual);
        ASSERT_TRUE(made.ok) << made.cause.toStdString();
        m_zip = made.path;
        m_copyState = snapshot();
        changeAfterTheCopy();
        m_laterState = snapshot();
    }

    void changeAfterTheCopy() {
        QByteArray clients = kept[u"Clienti.pro"_s];
        clients[7] = 'Z';
        put(path(u"Clienti.pro"_s), clients);
        put(path(u"Cartovia.ini"_s), "[Protocollo]\r\nInizio=99\r\n");
        ASSERT_TRUE(security::PasswordStore(path(u"unins000.dll"_s)).write(u"NUOVA"_s));
        put(path(u"2027.sca"_s), QByteArray(2000, 's'));
        put(path(u"Documenti_Allegati/nuovo.pdf"_s), "later");
        QFile::remove(path(u"Documenti_Allegati/fattura.pdf"_s));
    }

    // The folder is wholly as before the restore or wholly as the copy, the password of
    // that state opens it and no work file is left.
    void expectOneWholeState(const QString& when) {
        const std::map<QString, QByteArray> now = snapshot();
        const bool before = now == m_laterState;
        const bool after = now == m_copyState;
        EXPECT_TRUE(before || after) << when.toStdString();
        EXPECT_TRUE(accepts(path(u"unins000.dll"_s), after ? u"archiviostudio"_s : u"nuova"_s))
            << when.toStdString();
    }

    QTemporaryDir m_copies;
    QString m_zip;
    std::map<QString, QByteArray> m_copyState, m_laterState;
};

TEST_F(RestoreFaults, ARestoreBringsTheFolderExactlyToTheCopysState) {
    const backup::Outcome restored = backup::restoreCopy(m_zip, m_dir.path());
    ASSERT_TRUE(restored.ok) << restored.cause.toStdString();
    // Files made after the copy (a year's archive, an attachment) are gone with the rest.
    EXPECT_EQ(snapshot(), m_copyState);
    EXPECT_TRUE(accepts(path(u"unins000.dll"_s), u"archiviostudio"_s));
    EXPECT_EQ(backup::recoverRestore(m_dir.path()), backup::Recovery::Nothing);
}

// The restore runs in a child process that ends itself, as a kill would, before its n-th
// move; the next start settles it from the journal.
TEST_F(RestoreFaults, AKillAtAnyMoveLeavesOneWholeStateAfterTheNextStart) {
    int killedAt = 0;
    for (int step = 1; step < 100; ++step) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const backup::Outcome restored =
                backup::restoreCopy(m_zip, m_dir.path(), {}, [step](int at) {
                    if (at == step) _exit(9);
                    return true;
                });
            _exit(restored.ok ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        const int code = WEXITSTATUS(status);
        ASSERT_NE(code, 1) << "the restore failed by itself at step " << step;
        const QString when = u"killed before move "_s + QString::number(step);
        if (code == 9) {
            killedAt = step;
            const backup::Recovery recovery = backup::recoverRestore(m_dir.path());
            EXPECT_NE(recovery, backup::Recovery::Failed) << when.toStdString();
        }
        expectOneWholeState(when);
        if (code == 0) break;
        // Back to the later state for the next round.
        if (snapshot() != m_laterState) {
            changeAfterTheCopy();
            ASSERT_EQ(snapshot(), m_laterState);
        }
    }
    // Every entry of the folder was a point to be killed at.
    EXPECT_GT(killedAt, 10);
    EXPECT_EQ(snapshot(), m_copyState);
}

TEST_F(RestoreFaults, AFailedMoveAtAnyPointUndoesEveryMove) {
    for (int step = 1;; ++step) {
        const backup::Outcome restored =
            backup::restoreCopy(m_zip, m_dir.path(), {}, [step](int at) { return at != step; });
        if (restored.ok) {
            EXPECT_GT(step, 10);
            EXPECT_EQ(snapshot(), m_copyState);
            break;
        }
        EXPECT_EQ(snapshot(), m_laterState) << "failed at move " << step;
        EXPECT_TRUE(accepts(path(u"unins000.dll"_s), u"nuova"_s));
        ASSERT_LT(step, 100);
    }
}

TEST_F(RestoreFaults, AFullDiskWhileExtractingChangesNothingAndSaysWhy) {
    backup::Outcome restored;
    {
        const DiskFull full(64 * 1024);
        ASSERT_TRUE(full.active());
        restored = backup::restoreCopy(m_zip, m_dir.path());
    }
    EXPECT_FALSE(restored.ok);
    EXPECT_TRUE(restored.cause.contains(u"File too large"_s)) << restored.cause.toStdString();
    EXPECT_EQ(snapshot(), m_laterState);
}

TEST_F(RestoreFaults, LeftoversOfStoppedWorkGoAtTheNextStartOrCopy) {
    put(path(u".ripristino-AbC123/Clienti.pro"_s), "extracted before a kill");
    put(QDir(m_copies.path()).filePath(u".Tavolex_2026-12-01_10-00-00.zip.partial"_s), "killed");
    // A copy being written by another program holds its file locked and stays.
    const QString busy =
        QDir(m_copies.path()).filePath(u".Tavolex_2026-12-01_11-00-00.zip.partial"_s);
    put(busy, "being written");
    QFile held(busy);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(held.handle(), LOCK_EX), 0);

    EXPECT_EQ(backup::recoverRestore(m_dir.path()), backup::Recovery::Nothing);
    EXPECT_FALSE(QFileInfo::exists(path(u".ripristino-AbC123"_s)));
    backup::removeUnfinishedCopies(m_copies.path());
    EXPECT_EQ(QDir(m_copies.path()).entryList({u".*.partial"_s}, QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(busy).fileName()});
    EXPECT_EQ(snapshot(), m_laterState);
}

TEST_F(ProgramFolder, TheCopiesFolderIsJudgedByItsCanonicalPath) {
    QTemporaryDir elsewhere;
    const QString linkToProgram = QDir(elsewhere.path()).filePath(u"link"_s);
    ASSERT_TRUE(QFile::link(m_dir.path(), linkToProgram));
    const QString outsideAttachments = QDir(elsewhere.path()).filePath(u"allegati"_s);
    QDir().mkpath(outsideAttachments);
    put(QDir(outsideAttachments).filePath(u"lontano.pdf"_s), "far away");
    ASSERT_TRUE(QFile::link(outsideAttachments, path(u"Pratica_9"_s)));
    using R = backup::Refusal;
    const struct {
        QString folder;
        R expected;
    } cases[] = {
        {m_dir.path(), R::FolderIsProgramFolder},
        {m_dir.path() + u"/"_s, R::FolderIsProgramFolder},
        {m_dir.path() + u"/./Pratica_2/.."_s, R::FolderIsProgramFolder},
        {linkToProgram, R::FolderIsProgramFolder},
        {path(u"Documenti_Allegati"_s), R::FolderInsideCopy},
        {path(u"Pratica_1/copie/nuove"_s), R::FolderInsideCopy},
        {linkToProgram + u"/Documenti_Allegati/"_s, R::FolderInsideCopy},
        {QDir(outsideAttachments).filePath(u"copie"_s), R::FolderInsideCopy},
        {backups(), R::None},
        {path(u"Altre_copie"_s), R::None},
        {QFileInfo(m_dir.path()).absolutePath(), R::None},
        {elsewhere.path(), R::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(backup::checkCopiesFolder(m_dir.path(), c.folder), c.expected)
            << c.folder.toStdString();
        const backup::Outcome made =
            backup::createCopy(m_dir.path(), c.folder, QDateTime(QDate(2026, 12, 1), QTime(9, 0)),
                               backup::Kind::Manual);
        EXPECT_EQ(made.ok, c.expected == R::None) << c.folder.toStdString();
        EXPECT_EQ(made.refusal, c.expected) << c.folder.toStdString();
        if (made.ok) QFile::remove(made.path);
    }
}

// Copies made beside the program folder, or after another copies' folder was chosen,
// never hold earlier copies: two copies are the same size.
TEST_F(ProgramFolder, CopiesNeverHoldEarlierCopies) {
    put(path(u"Copie_di_sicurezza/Tavolex_2026-01-01_00-00-00.zip"_s), noise(50'000));
    put(path(u"Copie_di_sicurezza/Verifiche.ini"_s), "[Verifiche]\r\n");
    put(path(u"Documenti_Allegati/Tavolex_2026-02-01_00-00-00.zip"_s), noise(50'000));
    put(path(u"Documenti_Allegati/Verifiche.ini"_s), "x");
    const QString parent = QFileInfo(m_dir.path()).absolutePath();
    const QDateTime when(QDate(2026, 12, 1), QTime(9, 0));
    const backup::Outcome first =
        backup::createCopy(m_dir.path(), parent, when, backup::Kind::Manual);
    ASSERT_TRUE(first.ok) << first.cause.toStdString();
    const backup::Outcome second =
        backup::createCopy(m_dir.path(), parent, when, backup::Kind::Manual);
    ASSERT_TRUE(second.ok) << second.cause.toStdString();
    // Asked for within the same second, the second copy takes the next.
    const std::optional<backup::CopyName> firstName =
        backup::parseCopyFileName(QFileInfo(first.path).fileName());
    ASSERT_TRUE(firstName);
    EXPECT_EQ(QFileInfo(second.path).fileName(),
              backup::copyFileName(firstName->made.addSecs(1), backup::Kind::Manual));
    EXPECT_EQ(first.files, int(kept.size()));
    EXPECT_EQ(second.files, first.files);
    EXPECT_LT(qAbs(QFileInfo(second.path).size() - QFileInfo(first.path).size()), 1000);
    QFile::remove(first.path);
    QFile::remove(second.path);
}

// An attachment named with a backslash is copied, checked and restored; a name that is not
// valid text, a broken link or a named pipe where an archive belongs stop the copy, named.
TEST_F(ProgramFolder, EveryFileIsCopiedOrTheCopyFailsNamingIt) {
    put(path(u"Documenti_Allegati/fattura\\2026.pdf"_s), "backslash");
    QTemporaryDir elsewhere;
    put(QDir(elsewhere.path()).filePath(u"2026.sca"_s), QByteArray(3000, 'k'));
    ASSERT_TRUE(QFile::link(QDir(elsewhere.path()).filePath(u"2026.sca"_s), path(u"2026.sca"_s)));
    // A practice folder kept on another disk, through a link.
    put(QDir(elsewhere.path()).filePath(u"pratica/atto.pdf"_s), "far away");
    ASSERT_TRUE(QFile::link(QDir(elsewhere.path()).filePath(u"pratica"_s), path(u"Pratica_9"_s)));
    backup::Outcome made = copy();
    ASSERT_TRUE(made.ok) << made.cause.toStdString();
    EXPECT_EQ(made.files, int(kept.size()) + 3);
    QTemporaryDir out;
    ASSERT_EQ(run(u"unzip"_s, {u"-q"_s, made.path, u"-d"_s, out.path()}).code, 0);
    const ToolRun checked =
        run(u"sha256sum"_s, {u"-c"_s, u"--strict"_s, u"MANIFEST.sha256"_s}, out.path());
    EXPECT_EQ(checked.code, 0) << checked.out.toStdString();
    EXPECT_EQ(bytesOf(QDir(out.path()).filePath(u"2026.sca"_s)), QByteArray(3000, 'k'));
    EXPECT_TRUE(backup::verifyCopy(made.path).ok);
    QFile::remove(path(u"Documenti_Allegati/fattura\\2026.pdf"_s));
    ASSERT_TRUE(backup::restoreCopy(made.path, m_dir.path()).ok);
    EXPECT_EQ(bytesOf(path(u"Documenti_Allegati/fattura\\2026.pdf"_s)), "backslash");
    // The link became the user's archive itself; what it pointed to is untouched.
    EXPECT_FALSE(QFileInfo(path(u"2026.sca"_s)).isSymLink());
    EXPECT_EQ(bytesOf(path(u"2026.sca"_s)), QByteArray(3000, 'k'));
    EXPECT_FALSE(QFileInfo(path(u"Pratica_9"_s)).isSymLink());
    EXPECT_EQ(bytesOf(path(u"Pratica_9/atto.pdf"_s)), "far away");
    EXPECT_EQ(bytesOf(QDir(elsewhere.path()).filePath(u"pratica/atto.pdf"_s)), "far away");
    EXPECT_EQ(bytesOf(QDir(elsewhere.path()).filePath(u"2026.sca"_s)), QByteArray(3000, 'k'));
    QFile::remove(made.path);

    const QByteArray badName = QFile::encodeName(path(u"Documenti_Allegati/"_s)) + "caf\xe9.txt";
    FILE* raw = fopen(badName.constData(), "w");
    ASSERT_NE(raw, nullptr);
    fclose(raw);
    ASSERT_EQ(mkfifo(QFile::encodeName(path(u"2025.eur"_s)).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path(u"missing"_s), path(u"Pratica_1/perso.pdf"_s)));
    made = copy();
    EXPECT_FALSE(made.ok);
    EXPECT_EQ(made.refusal, backup::Refusal::UnusableFiles);
    ASSERT_EQ(made.damaged.size(), 3) << made.damaged.join(u", "_s).toStdString();
    EXPECT_EQ(made.damaged[0], u"2025.eur"_s);
    EXPECT_TRUE(made.damaged[1].startsWith(u"Documenti_Allegati/caf"_s));
    EXPECT_EQ(made.damaged[2], u"Pratica_1/perso.pdf"_s);
    EXPECT_TRUE(QDir(backups()).entryList({u"*Tavolex*"_s}, QDir::Files | QDir::Hidden).isEmpty());
    ::unlink(badName.constData());
}

// Zips made by hand with bsdtar from a folder holding `files` and the manifest given.
class CraftedCopies : public ProgramFolder {
protected:
    QString craft(const QString& name, const std::map<QString, QByteArray>& files,
                  const QByteArray& manifest, const QStringList& folders = {}) {
        const QString work = m_crafted.filePath(name + u".d"_s);
        QStringList members;
        for (const QString& folder : folders) {
            QDir().mkpath(QDir(work).filePath(folder));
            members << folder + u'/';
        }
        for (const auto& [file, bytes] : files) {
            put(QDir(work).filePath(file), bytes);
            members << file;
        }
        put(QDir(work).filePath(u"MANIFEST.sha256"_s), manifest);
        members << u"MANIFEST.sha256"_s;
        const QString zip = m_crafted.filePath(name);
        const ToolRun made = run(
            u"bsdtar"_s,
            QStringList{u"-c"_s, u"-n"_s, u"--format"_s, u"zip"_s, u"-f"_s, zip} + members, work);
        EXPECT_EQ(made.code, 0) << made.out.toStdString();
        return zip;
    }

    // A manifest with this program's mark for `files`.
    static QByteArray markedManifest(const std::map<QString, QByteArray>& files,
                                     const QStringList& folders = {}) {
        backup::Manifest manifest;
        manifest.format = backup::kCopyFormat;
        manifest.folders = folders;
        for (const auto& [name, bytes] : files)
            manifest.digests.insert(
                name, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        return manifest.text();
    }

    QTemporaryDir m_crafted;
};

TEST_F(CraftedCopies, VerificationAndRestoreRefuseWhatIsNoWholeCopy) {
    const std::map<QString, QByteArray> store = {{u"unins000.dll"_s, kept[u"unins000.dll"_s]}};
    auto with = [&](std::map<QString, QByteArray> more) {
        more.insert(store.begin(), store.end());
        return more;
    };
    const auto copyOfCopies =
        with({{u"Copie_di_sicurezza/Tavolex_2020-01-01_00-00-00.zip"_s, "fake copy"}});
    const auto notAStore =
        std::map<QString, QByteArray>{{u"unins000.dll"_s, "not a password store"}};
    const auto program = with({{u"tavolex"_s, "#!/bin/sh\n"}});
    const auto good = with({{u"Clienti.pro"_s, QByteArray(3372, 'c')}});
    const struct {
        QString zip;
        backup::Refusal refusal;
        QStringList damaged;
    } cases[] = {
        {craft(u"copies.zip"_s, copyOfCopies, markedManifest(copyOfCopies)),
         backup::Refusal::NotACopy,
         {}},
        {craft(u"folder.zip"_s, store, markedManifest(store), {u"2027.eur"_s}),
         backup::Refusal::NotACopy,
         {}},
        {craft(u"unlisted-folder.zip"_s, store, markedManifest(store), {u"Pratica_3"_s}),
         backup::Refusal::NotACopy,
         {}},
        {craft(u"store.zip"_s, notAStore, markedManifest(notAStore)),
         backup::Refusal::NotACopy,
         {}},
        {craft(u"program.zip"_s, program, markedManifest(program)), backup::Refusal::NotACopy, {}},
        {craft(u"nomark.zip"_s, good, markedManifest(good).split('\n').mid(1).join('\n')),
         backup::Refusal::NotACopy,
         {}},
        {craft(u"nostore.zip"_s, {{u"Clienti.pro"_s, QByteArray(3372, 'c')}},
               markedManifest({{u"Clienti.pro"_s, QByteArray(3372, 'c')}})),
         backup::Refusal::NotACopy,
         {}},
        {craft(u"partial.zip"_s, store, markedManifest(good)),
         backup::Refusal::None,
         {u"Clienti.pro"_s}},
        {craft(u"unlisted.zip"_s, good, markedManifest(store)),
         backup::Refusal::None,
         {u"Clienti.pro"_s}},
    };
    const std::map<QString, QByteArray> before = snapshot();
    for (const auto& c : cases) {
        const std::string name = QFileInfo(c.zip).fileName().toStdString();
        const backup::Outcome verified = backup::verifyCopy(c.zip);
        EXPECT_FALSE(verified.ok) << name;
        EXPECT_EQ(verified.refusal, c.refusal) << name << " " << verified.cause.toStdString();
        EXPECT_EQ(verified.damaged, c.damaged) << name;
        const backup::Outcome restored = backup::restoreCopy(c.zip, m_dir.path());
        EXPECT_FALSE(restored.ok) << name;
        EXPECT_EQ(snapshot(), before) << name;
    }
    // The same hand-made zip with nothing amiss is a copy for both.
    const QString whole = craft(u"whole.zip"_s, good, markedManifest(good));
    EXPECT_TRUE(backup::verifyCopy(whole).ok);
    EXPECT_TRUE(backup::restoreCopy(whole, m_dir.path()).ok);
    EXPECT_EQ(bytesOf(path(u"Clienti.pro"_s)), QByteArray(3372, 'c'));
    EXPECT_FALSE(QFileInfo::exists(path(u"2026.eur"_s))) << "not in that copy";
}

} // namespace
