#include "cardarchive.h"

#include "messages.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

qint64 moveTarget(CardMove move, qint64 shown, qint64 count) {
    if (count == 0) return 0;
    switch (move) {
    case CardMove::First:
        return 1;
    case CardMove::Last:
        return count;
    case CardMove::Next:
        return shown < count ? shown + 1 : 0;
    case CardMove::Previous:
        return shown == 1 ? 0 : shown <= 2 ? 1 : shown - 1;
    }
    return 0;
}

CardArchive::CardArchive(QWidget* owner, const QString& path, int recordSize)
    : m_owner(owner), m_file(path, recordSize) {}

bool CardArchive::open() {
    return m_file.open() || fail();
}

bool CardArchive::close() {
    return m_file.close() || fail();
}

bool CardArchive::fail() {
    const QString cause = m_file.path() + u": "_s + m_file.errorString();
    m_file.close();
    msg::archiveAccessError(m_owner, cause);
    return false;
}

qint64 CardArchive::append(const QByteArray& bytes) {
    const qint64 k = m_file.append(bytes);
    if (k == 0) fail();
    return k;
}

qint64 CardArchive::overwrite(qint64 position, const QByteArray& bytes) {
    if (position < 1 || position > m_file.count() || !m_file.write(position, bytes)) {
        fail();
        return 0;
    }
    return position;
}

std::optional<CardArchive::Found> CardArchive::browse(CardMove move, qint64 shown) {
    // Previous on the first record does nothing, not even on an emptied archive.
    if (move == CardMove::Previous && shown == 1) return Found{};
    const qint64 count = m_file.count();
    if (count == 0) return Found{.empty = true};
    Found found{.position = moveTarget(move, shown, count)};
    if (found.position > 0 && !m_file.read(found.position, found.bytes)) {
        fail();
        return std::nullopt;
    }
    return found;
}

std::optional<QByteArray> CardArchive::read(qint64 position) {
    QByteArray bytes;
    if (position < 1 || position > m_file.count() || !m_file.read(position, bytes)) {
        fail();
        return std::nullopt;
    }
    return bytes;
}

} // namespace tavolex::ui
