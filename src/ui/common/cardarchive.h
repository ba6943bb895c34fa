#pragma once

#include "records/store.h"

#include <QByteArray>
#include <QString>
#include <memory>
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
// input/output failure takes one path: the archive is closed, the cause goes to the log and
// the owner shows the access error; the call that failed then answers false (or 0).
class CardArchive {
public:
    CardArchive(QWidget* owner, const records::Archive& archive);

    // Opens the archive for reading and writing, creating a missing one empty.
    bool open();
    bool close();

    // Adds a record at the end: its position, or 0 after failing.
    qint64 append(const QByteArray& bytes);
    // Writes record `position` over while it still holds `expected` (what the card read); a
    // position outside the archive (the file changed behind the card) is an access error. The
    // outcome; after Failed the access error was shown, after Conflict nothing was.
    records::WriteOutcome overwrite(qint64 position, const QByteArray& expected,
                                    const QByteArray& bytes);

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
    // The access error, with `cause` or else the archive's own.
    bool fail(const QString& cause = {});

    QWidget* m_owner;
    const records::Archive& m_archive;
    std::unique_ptr<records::OpenArchive> m_open;
};

} // namespace tavolex::ui
