// Backup copies read back: a manifest read and written again keeps what it lists, and any
// bytes taken for a copy's zip are judged alike by "Verifica" and by a restore, which
// changes nothing in the program folder unless the copy is whole.
//
// Input: one byte choosing the reader (even: the manifest, odd: the zip), then its bytes.

#include "fuzzcheck.h"

#include "backup/backupcopy.h"
#include "backup/restore.h"

#include <QDir>

using namespace tavolex;

namespace {

void manifestRoundTrip(const QByteArray& text) {
    backup::Manifest read;
    if (!backup::Manifest::parse(text, read)) return;
    backup::Manifest again;
    FUZZ_CHECK(backup::Manifest::parse(read.text(), again));
    FUZZ_CHECK(again.format == read.format);
    FUZZ_CHECK(again.digests == read.digests);
    QStringList before = read.folders, after = again.folders;
    before.sort();
    after.sort();
    FUZZ_CHECK(before == after);
}

// The program folder a restore may change: one archive and the settings file.
QStringList programFolderState(const QString& folder) {
    QStringList state;
    for (const QString& name : fuzz::filesIn(folder))
        state << name + QLatin1Char(' ') +
                     QString::fromLatin1(fuzz::readFile(folder + QLatin1Char('/') + name).toHex());
    return state;
}

void judgeZip(const QByteArray& bytes) {
    const QString scratch = fuzz::scratchFolder();
    const QString zipPath = scratch + QStringLiteral("/copia.zip");
    fuzz::writeFile(zipPath, bytes);
    const QString folder = scratch + QStringLiteral("/programma");
    FUZZ_CHECK(QDir().mkpath(folder));
    fuzz::writeFile(folder + QStringLiteral("/Cartovia.ini"), "[Protocollo]\r\nInizio=1\r\n");
    fuzz::writeFile(folder + QStringLiteral("/2026.eur"), QByteArray(3414, 'e'));
    const QStringList before = programFolderState(folder);

    const backup::Outcome verified = backup::verifyCopy(zipPath);
    const backup::Outcome restored = backup::restoreCopy(zipPath, folder);
    FUZZ_CHECK(verified.ok == restored.ok);
    if (!restored.ok) FUZZ_CHECK(programFolderState(folder) == before);
    if (restored.ok) FUZZ_CHECK(verified.files == restored.files);
    // Nothing of the restore's own is left behind.
    for (const QString& name : fuzz::filesIn(folder))
        FUZZ_CHECK(!name.startsWith(QStringLiteral(".ripristino")) &&
                   name != QStringLiteral("ripristino.journal"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    if (data[0] % 2 == 0)
        manifestRoundTrip(bytes);
    else
        judgeZip(bytes);
    return 0;
}
