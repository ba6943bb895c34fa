#pragma once

// Shared by the fuzz targets: invariant checks that stop the run with the input that broke
// them, and one scratch folder per fuzzing process.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant is a crash to libFuzzer, which then keeps the input as crash-<hash>.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) ::tavolex::fuzz::fail(#condition, __FILE__, __LINE__);                   \
    } while (false)

namespace tavolex::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

// Emptied before every input, so nothing one input leaves behind (a journal, a
// temporary file) reaches the next; removed when the process exits.
inline QString scratchFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tavolex-fuzz-XXXXXX"));
    FUZZ_CHECK(dir.isValid());
    QDir folder(dir.path());
    const QStringList left =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : left) {
        if (!folder.remove(name)) FUZZ_CHECK(QDir(folder.filePath(name)).removeRecursively());
    }
    return dir.path();
}

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(content) == content.size());
    file.close();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The names in a folder, hidden ones included.
inline QStringList filesIn(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                QDir::NoDotAndDotDot);
}

} // namespace tavolex::fuzz
