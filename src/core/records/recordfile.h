#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

namespace tavolex::records {

// A file of fixed-size records with no header: record k (1-based) starts at
// byte (k - 1) x size. Opened for one action and closed again before it returns.
// Every failing step returns false; errorString() says why.
//
// A record is never left half old, half new: an overwrite first writes the new record
// and its number to a journal beside the archive ("<archive>.journal"), then writes in
// place, then removes the journal. open() finishes a journalled overwrite that a kill
// interrupted, and drops a journal that was not complete (the archive was not touched).
// A failed append cuts the file back to its whole records. The journal names its archive:
// a journal copied from another archive is dropped, never replayed.
//
// Each step reaches the disk in order (journal, then the write in place, then the journal's
// removal; an append before it is reported), so a power cut leaves what a kill leaves.
// Appends, overwrites and the replay of a journal hold the archive's advisory lock: two
// programs on one archive take turns and never number two appends alike.
class RecordFile {
public:
    RecordFile(QString path, int recordSize);
    ~RecordFile();

    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens for reading and writing, creating a missing file. An existing file that
    // cannot be opened so, or is not a plain file (a pipe, a folder), is reported, never
    // emptied or recreated. A journal left by an interrupted overwrite is settled first;
    // a journal that cannot be read at all fails the first open that finds it, and is
    // left alone from then on (appends go on; overwrites, which need it, fail).
    bool open();
    bool close();
    bool isOpen() const { return m_file.isOpen(); }

    // Whole records only: a torn last record is not counted.
    qint64 count() const;

    bool read(qint64 k, QByteArray& record);
    bool write(qint64 k, const QByteArray& record);
    // Writes record k over only while it still holds `expected`, checked and written under
    // the lock: a record another program wrote since it was read is left as it is (Changed).
    enum class Replaced { Yes, Changed, Failed };
    Replaced replace(qint64 k, const QByteArray& expected, const QByteArray& record);
    // Appends at count x size, so a torn tail is overwritten and every whole record
    // stays where it is. Returns the new record's number, or 0 on failure.
    qint64 append(const QByteArray& record);

    QString errorString() const { return m_error; }
    const QString& path() const { return m_path; }
    QString journalPath() const { return journalPathOf(m_path); }
    static QString journalPathOf(const QString& archivePath);

    // Opens the archive as every action does (a missing file is created empty) and closes
    // it again: for screens that only read, so that they see the archive the card sees.
    static bool touch(const QString& path, int recordSize);

    // Reads every whole record in file order without creating a missing file (which has
    // no record). The visitor gets the 1-based number and the raw bytes; returning false
    // stops the scan. Returns false only when the file exists but cannot be read. A file
    // that shrinks during the scan ends it at its last whole record.
    static bool scan(const QString& path, int recordSize,
                     const std::function<bool(qint64, const char*)>& visit);
    // The same in blocks of whole records: `visit` gets the first record's number, the
    // records one after another and how many there are.
    static bool scanBlocks(const QString& path, int recordSize,
                           const std::function<bool(qint64, const char*, qint64)>& visit,
                           QString* error = nullptr);

    // Whether writes are forced to the disk (on unless switched off; for measuring what
    // the syncs cost).
    static void setSyncing(bool on) { s_syncs = on; }

private:
    class Exclusive;
    bool fail(const QString& what);
    bool failLocking();
    bool writeLocked(qint64 k, const QByteArray& record);
    bool sync();
    bool overwrite(qint64 k, const QByteArray& record);
    bool appendAt(qint64 k, const QByteArray& record);
    bool writeInPlace(qint64 k, const QByteArray& record);
    bool settleJournal();

    QString m_path;
    int m_size;
    QFile m_file;
    QString m_error;
    bool m_syncs = s_syncs;
    static inline bool s_syncs = true;
};

} // namespace tavolex::records
