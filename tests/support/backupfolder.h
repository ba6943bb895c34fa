#pragma once

// A program folder holding a file of each kind a backup copy keeps and one of each kind it
// leaves out, with the small file and tool helpers the backup tests share.
#include "backup/backupcopy.h"
#include "security/passwordstore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace tavolex::test {

using namespace Qt::StringLiterals;

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Bytes that do not compress, so that the copy is as large as the files.
inline QByteArray noise(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char& c : bytes)
        c = char(random.generate() & 0xFF);
    return bytes;
}

struct ToolRun {
    int code = -1;
    QString out;
};

inline ToolRun run(const QString& program, const QStringList& arguments,
                   const QString& folder = {}) {
    QProcess process;
    if (!folder.isEmpty()) process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60'000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

// A program folder with a file of each kind a copy keeps, and one of each kind it leaves out.
class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QByteArray clients(3372 * 3, ' ');
        clients[0] = 'A';
        clients[3372 * 2 + 5] = char(0xE0); // "à" in Windows-1252
        kept = {
            {u"Clienti.pro"_s, clients},
            {u"2025.prt"_s, QByteArray(3403, 'p')},
            {u"2026.eur"_s, QByteArray(3414 * 2, 'e')},
            {u"Cartovia.ini"_s, "[Protocollo]\r\nInizio=1\r\n"},
            {u"Documenti_Allegati/fattura.pdf"_s, "%PDF-1.4 attached"},
            {u"Documenti_Allegati/Citt\u00E0 nota.txt"_s, "accented name"},
            {u"Pratica_1/atto.pdf"_s, noise(300'000)},
        };
        for (const auto& [name, bytes] : kept)
            put(path(name), bytes);
        ASSERT_TRUE(security::PasswordStore(path(u"unins000.dll"_s)).write(u"ARCHIVIOSTUDIO"_s));
        kept[u"unins000.dll"_s] = bytesOf(path(u"unins000.dll"_s));
        for (const QString& name :
             {u"tavolex"_s, u"Guida.pdf"_s, u"Avviso.mp3"_s, u"Clienti.xls"_s, u"Stampa.pdf"_s,
              u"2026.eur.journal"_s, u"tavolex.lock"_s, u"Copie_di_sicurezza/old.txt"_s})
            put(path(name), "left out");
        QDir().mkpath(path(u"Pratica_2"_s)); // an empty practice folder
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Every file and folder of the program folder but the copies' folder, with its bytes
    // (a folder as "<folder>", a link as "-> target"), to compare whole states.
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> found;
        QDirIterator it(m_dir.path(),
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info = it.nextFileInfo();
            const QString relative = QDir(m_dir.path()).relativeFilePath(info.filePath());
            if (relative.startsWith(u"Copie_di_sicurezza"_s)) continue;
            found[relative] = info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8()
                              : info.isDir()   ? QByteArray("<folder>")
                                               : bytesOf(info.filePath());
        }
        return found;
    }
    QString backups() const { return path(u"Copie_di_sicurezza"_s); }

    backup::Outcome copy(backup::Kind kind = backup::Kind::Manual,
                         const QDateTime& when = QDateTime(QDate(2026, 12, 10), QTime(18, 5, 9))) {
        return backup::createCopy(m_dir.path(), backups(), when, kind);
    }

    std::map<QString, QByteArray> kept;
    QTemporaryDir m_dir;
};

} // namespace tavolex::test
