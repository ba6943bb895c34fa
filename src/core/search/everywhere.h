#pragma once

#include "records/archives.h"
#include "records/layout.h"
#include "records/store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <functional>

namespace tavolex::search {

// The archives searched from the main menu, in the order their hits are listed.
using ArchiveKind = records::ArchiveKind;

// The catalogue's title ("Clienti", "Protocollo", …) and record layout of an archive.
QString archiveTitle(ArchiveKind kind);
const records::RecordLayout& layoutOf(ArchiveKind kind);
// The label field `index` has on its card ("Codice fiscale:"); hidden fields have one
// naming what they hold ("Allegato 1:"). Empty for a yes/no flag, which is not searched.
// Given the record, a label the card words after the record (a movement's amount, "in
// entrata" or "in uscita") follows it.
QString fieldLabel(ArchiveKind kind, int index, const char* record = nullptr);

// The archives present in `store`: clients, practices and every year of the protocol, the
// deadlines and the movements, ordered by kind and then year. A missing archive is not listed;
// in a folder, anything else under an archive's name (a folder, a named pipe, a device, a
// dangling link) is, and scanArchive finds it unreadable.
QList<records::ArchiveId> archivesIn(const records::ArchiveStore& store);

// The text searched for: trimmed, in Windows-1252, folded (text/folding.h).
class FoldedText {
public:
    explicit FoldedText(const QString& text);

    bool isEmpty() const { return m_bytes.isEmpty(); }
    // False when the text holds a character no stored field can hold: it finds nothing.
    bool isPossible() const { return m_possible; }
    const QByteArray& bytes() const { return m_bytes; }
    // Where the text first occurs in raw Windows-1252 bytes, folded as they are compared; -1
    // when it does not.
    qsizetype findIn(const char* data, qsizetype size) const;

private:
    QByteArray m_bytes;
    bool m_possible = true;
};

// A record where the text was found: its first field holding it, and that field's text
// around the match ("…" marks a cut).
struct Hit {
    ArchiveKind kind = ArchiveKind::Clients;
    int year = 0;
    qint64 record = 0; // 1-based
    int field = 0;
    QString label;
    QString context;
};

// The context of a match at `at` (length `length`) in a field's stored bytes: the field
// decoded and trimmed when it is short, else about `width` characters around the match.
QString hitContext(QByteArrayView field, qsizetype at, qsizetype length, int width = 80);

struct ArchiveScan {
    qint64 records = 0; // whole records read
    qint64 hits = 0;
    // Records passed over: a field whose length byte exceeds its capacity, or a torn last
    // record.
    qint64 damaged = 0;
    bool readable = true; // false: the file is there but could not be read (to its end)
    bool cancelled = false;
};

// Reads one archive once, in blocks of whole records, and reports each record holding the text
// in one of its text fields, in file order. `cancel`, when set, stops the scan at the next
// block.
ArchiveScan scanArchive(const records::ArchiveStore& store, records::ArchiveId id,
                        const FoldedText& text, const std::atomic<bool>* cancel,
                        const std::function<void(Hit&&)>& onHit);

} // namespace tavolex::search
