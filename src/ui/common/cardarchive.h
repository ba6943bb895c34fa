#pragma once

#include "records/recordfile.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

namespace tavolex::ui {

// The four arrows of a card.
enum class CardMove { First, Previous, Next, Last };

// The record a move leads to from record `shown` (0: a card not yet stored) in an archive of
// `count` records: 0 to stay where the card is. Previous on the first record and Next on the
// last stay; from a new card both Next and Previous lead to record 1.
qint64 moveTarget(CardMove move, qint64 shown, qint64 count);

// An archive opened for one operation of a card and closed when the operation ends. Every
// input/output failure takes one path: the file is closed, the cause goes to the log and the
// owner shows the access error; the call that failed then answers false (or 0).
class CardArchive {
public:
    CardArchive(QWidget* owner, const QString& path, int recordSize);

    // Opens the archive for reading and writing, creating a missing one empty.
    bool open();
    bool close();

    // Adds a record at the end: its position, or 0 after failing.
    qint64 append(const QByteArray& bytes);
    // Writes record `position` over; a position outside the archive (the file changed behind
    // the card) is an access error. The position, or 0 after failing.
    qint64 overwrite(qint64 position, const QByteArray& bytes);

    // What a move from record `shown` found: the record read (position 0: none, the card
    // stays), or an archive with no record. Nothing when reading failed.
    struct Found {
        qint64 position = 0;
        QByteArray bytes;
        bool empty = false;
    };
    std::optional<Found> browse(CardMove move, qint64 shown);
    // Record `position` as stored; nothing after failing, also for a position outside the
    // archive (the file changed since the position was taken).
    std::optional<QByteArray> read(qint64 position);

private:
    bool fail();

    QWidget* m_owner;
    records::RecordFile m_file;
};

} // namespace tavolex::ui
