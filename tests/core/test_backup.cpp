// Backup copies: zip files that ordinary tools open and check, rotation, restore, faults.
#include "backup/backupcopy.h"
#include "backup/restore.h"
#include "support/backupfolder.h"
#include "support/diskfull.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace tavolex;

namespace {

using namespace tavolex::test;

TEST_F(ProgramFolder, CopyOpensWithOrdinaryToolsAndItsManifestChecks) {
    const backup::Outcome made = copy();
    ASSERT_TRUE(made.ok) << made.cause.toStdString();
    EXPECT_EQ(QFileInfo(made.path).fileName(), u"Tavolex_2026-12-10_18-05-09.zip"_s);
    EXPECT_EQ(made.files, int(kept.size()));
    EXPECT_EQ(QFileInfo(made.path).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);

    const ToolRun tested = run(u"unzip"_s, {u"-t"_s, made.path});
    EXPECT_EQ(tested.code, 0) << tested.out.toStdString();
    const ToolRun listed = run(u"bsdtar"_s, {u"-tf"_s, made.path});
    ASSERT_EQ(listed.code, 0) << listed.out.toStdString();
    QStringList names = listed.out.split(u'\n', Qt::SkipEmptyParts);
    names.removeIf([](const QString& n) { return n.endsWith(u'/'); });
    names.sort();
    QStringList expected{QLatin1String(backup::kManifestName)};
    for (const auto& [name, bytes] : kept)
        expected << name;
    expected.sort();
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(listed.out.contains(u"Pratica_2/"_s)) << "the empty practice folder is kept";

    // Extracted by unzip, every file is the original and sha256sum accepts the manifest.
    QTemporaryDir out;
    ASSERT_EQ(run(u"unzip"_s, {u"-q"_s, made.path, u"-d"_s, out.path()}).code, 0);
    const ToolRun checked =
        run(u"sha256sum"_s, {u"-c"_s, u"--strict"_s, u"MANIFEST.sha256"_s}, out.path());
    EXPECT_EQ(checked.code, 0) << checked.out.toStdString();
    for (const auto& [name, bytes] : kept)
        EXPECT_EQ(bytesOf(QDir(out.path()).filePath(name)), bytes) << name.toStdString();

    const backup::Outcome verified = backup::verifyCopy(made.path);
    EXPECT_TRUE(verified.ok) << verified.cause.toStdString();
    EXPECT_EQ(verified.files, int(kept.size()));
    // No temporary is left beside the copy.
    EXPECT_EQ(QDir(backups()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{u"Tavolex_2026-12-10_18-05-09.zip"_s, u"old.txt"_s}));
}

TEST_F(ProgramFolder, RotationKeepsTheNewestAutomaticCopiesAndEveryOtherOne) {
    QDir().mkpath(backups());
    const QDateTime first(QDate(2026, 11, 1), QTime(19, 0));
    for (int day = 0; day < 13; ++day)
        put(QDir(backups()).filePath(
                backup::copyFileName(first.addDays(day), backup::Kind::Automatic)),
            "z");
    put(QDir(backups()).filePath(backup::copyFileName(first.addDays(-40), backup::Kind::Manual)),
        "z");
    put(QDir(backups()).filePath(
            backup::copyFileName(first.addDays(-30), backup::Kind::BeforeRestore)),
        "z");

    const QStringList removed = backup::rotateAutomaticCopies(backups(), 10);
    EXPECT_EQ(removed.size(), 3);
    const QList<backup::FoundCopy> left = backup::findCopies(backups());
    ASSERT_EQ(left.size(), 12);
    EXPECT_EQ(left.first().made, first.addDays(12)); // newest first
    int automatic = 0;
    for (const backup::FoundCopy& c : left) {
        if (c.kind == backup::Kind::Automatic) {
            ++automatic;
            EXPECT_GE(c.made, first.addDays(3));
        }
    }
    EXPECT_EQ(automatic, 10);
    EXPECT_EQ(left.last().kind, backup::Kind::Manual);
    EXPECT_TRUE(backup::hasAutomaticCopyOf(backups(), QDate(2026, 11, 13)));
    EXPECT_FALSE(backup::hasAutomaticCopyOf(backups(), QDate(2026, 11, 2)));
}

TEST(BackupNames, NamesReadBackAndOthersAreNotCopies) {
    const QDateTime when(QDate(2027, 1, 2), QTime(3, 4, 5));
    for (const backup::Kind kind :
         {backup::Kind::Manual, backup::Kind::Automatic, backup::Kind::BeforeRestore}) {
        const auto parsed = backup::parseCopyFileName(backup::copyFileName(when, kind));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->made, when);
        EXPECT_EQ(parsed->kind, kind);
    }
    EXPECT_EQ(backup::copyFileName(when, backup::Kind::Automatic),
              u"Tavolex_2027-01-02_03-04-05_auto.zip"_s);
    for (const QString& name : {u"Tavolex_2027-13-02_03-04-05.zip"_s, u"Tavolex_2027-01-02.zip"_s,
                                u".Tavolex_2027-01-02_03-04-05.zip.partial"_s, u"x.zip"_s})
        EXPECT_FALSE(backup::parseCopyFileName(name)) << name.toStdString();
}

TEST_F(ProgramFolder, RestoreBringsBackTheCopiedBytes) {
    const backup::Outcome made = copy();
    ASSERT_TRUE(made.ok) << made.cause.toStdString();
    // Later work: a record changed, a settings file rewritten, an attachment removed.
    QByteArray changed = kept[u"Clienti.pro"_s];
    changed[10] = 'Z';
    put(path(u"Clienti.pro"_s), changed);
    put(path(u"Cartovia.ini"_s), "[Protocollo]\r\nInizio=99\r\n");
    QFile::remove(path(u"Documenti_Allegati/fattura.pdf"_s));

    const backup::Outcome restored = backup::restoreCopy(made.path, m_dir.path());
    ASSERT_TRUE(restored.ok) << restored.cause.toStdString();
    for (const auto& [name, bytes] : kept)
        EXPECT_EQ(bytesOf(path(name)), bytes) << name.toStdString();
    // Files a copy leaves out are left alone, and no work folder stays behind.
    EXPECT_EQ(bytesOf(path(u"Guida.pdf"_s)), "left out");
    EXPECT_TRUE(
        QDir(m_dir.path()).entryList({u".ripristino-*"_s}, QDir::Dirs | QDir::Hidden).isEmpty());
}

TEST_F(ProgramFolder, AFullDiskLeavesNoCopyAndTheArchivesUntouched) {
    {
        const test::DiskFull full(64 * 1024);
        ASSERT_TRUE(full.active());
        const backup::Outcome made = copy();
        EXPECT_FALSE(made.ok);
    }
    EXPECT_TRUE(QDir(backups()).entryList({u"*Tavolex*"_s}, QDir::Files | QDir::Hidden).isEmpty());
    for (const auto& [name, bytes] : kept)
        EXPECT_EQ(bytesOf(path(name)), bytes) << name.toStdString();
}

TEST_F(ProgramFolder, ACancelledCopyLeavesNoFile) {
    const backup::Outcome made =
        backup::createCopy(m_dir.path(), backups(), QDateTime::currentDateTime(),
                           backup::Kind::Manual, [](qint64 done, qint64) { return done < 1000; });
    EXPECT_FALSE(made.ok);
    EXPECT_TRUE(made.cancelled);
    EXPECT_TRUE(QDir(backups()).entryList({u"*Tavolex*"_s}, QDir::Files | QDir::Hidden).isEmpty());
}

// Zips made by hand with bsdtar, which keeps "../" and absolute names and stores links.
TEST_F(ProgramFolder, ForeignOrHostileZipsAreRefusedWithNothingChanged) {
    QTemporaryDir outside;
    const QString work = QDir(outside.path()).filePath(u"work"_s);
    put(QDir(work).filePath(u"MANIFEST.sha256"_s), "");
    QFile::link(u"/etc/passwd"_s, QDir(work).filePath(u"link.txt"_s));
    put(QDir(work).filePath(u"tavolex"_s), "#!/bin/sh\n");
    const struct {
        const char* zip;
        QStringList members;
    } hostile[] = {
        {"parent.zip", {u"../escape.txt"_s}},
        {"absolute.zip", {QDir(outside.path()).filePath(u"escape.txt"_s)}},
        {"link.zip", {u"link.txt"_s}},
        {"program.zip", {u"tavolex"_s}},
    };
    const std::map<QString, QByteArray> before = kept;
    for (const auto& h : hostile) {
        const QString zip = QDir(outside.path()).filePath(QString::fromLatin1(h.zip));
        put(QDir(outside.path()).filePath(u"escape.txt"_s), "escaped");
        ASSERT_EQ(
            run(u"bsdtar"_s,
                QStringList{u"-c"_s, u"-P"_s, u"--format"_s, u"zip"_s, u"-f"_s, zip} + h.members,
                work)
                .code,
            0);
        QFile::remove(QDir(outside.path()).filePath(u"escape.txt"_s));
        const backup::Outcome restored = backup::restoreCopy(zip, m_dir.path());
        EXPECT_FALSE(restored.ok) << h.zip;
        EXPECT_FALSE(QFileInfo::exists(QDir(outside.path()).filePath(u"escape.txt"_s))) << h.zip;
        EXPECT_EQ(bytesOf(path(u"tavolex"_s)), "left out") << h.zip;
        for (const auto& [name, bytes] : before)
            EXPECT_EQ(bytesOf(path(name)), bytes) << h.zip;
        EXPECT_TRUE(QDir(m_dir.path())
                        .entryList({u".ripristino-*"_s}, QDir::Dirs | QDir::Hidden)
                        .isEmpty());
    }
}

TEST_F(ProgramFolder, ADamagedCopyFailsVerificationAndRestoresNothing) {
    const backup::Outcome made = copy();
    ASSERT_TRUE(made.ok) << made.cause.toStdString();
    // A changed file whose zip entry is still whole: a manifest naming other bytes.
    QTemporaryDir out;
    ASSERT_EQ(run(u"unzip"_s, {u"-q"_s, made.path, u"-d"_s, out.path()}).code, 0);
    put(QDir(out.path()).filePath(u"2025.prt"_s), QByteArray(3403, 'q'));
    const QString tampered = QDir(out.path()).filePath(u"tampered.zip"_s);
    ASSERT_EQ(
        run(u"zip"_s, {u"-q"_s, u"-r"_s, tampered, u"."_s, u"-x"_s, u"tampered.zip"_s}, out.path())
            .code,
        0);
    backup::Outcome verified = backup::verifyCopy(tampered);
    EXPECT_FALSE(verified.ok);
    EXPECT_EQ(verified.damaged, QStringList{u"2025.prt"_s});

    // Bytes flipped inside the zip itself.
    QByteArray zip = bytesOf(made.path);
    for (qsizetype i = zip.size() / 3; i < zip.size() / 3 + 64; ++i)
        zip[i] = char(zip[i] ^ 0x5A);
    const QString broken = QDir(out.path()).filePath(u"broken.zip"_s);
    put(broken, zip);
    verified = backup::verifyCopy(broken);
    EXPECT_FALSE(verified.ok);
    // The flipped bytes lie in the largest file's data: that entry is named.
    EXPECT_EQ(verified.damaged, QStringList{u"Pratica_1/atto.pdf"_s});

    QByteArray changed = kept[u"Clienti.pro"_s];
    changed[1] = 'Q';
    put(path(u"Clienti.pro"_s), changed);
    for (const QString& bad : {tampered, broken}) {
        EXPECT_FALSE(backup::restoreCopy(bad, m_dir.path()).ok);
        EXPECT_EQ(bytesOf(path(u"Clienti.pro"_s)), changed);
        EXPECT_EQ(bytesOf(path(u"2025.prt"_s)), kept[u"2025.prt"_s]);
    }
}

} // namespace
