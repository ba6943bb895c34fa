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

namespace {

QString pastTheEnd(qint64 position) {
    return u"record %1 is past the end"_s.arg(position);
}

} // namespace

CardArchive::CardArchive(QWidget* owner, const records::Archive& archive)
    : m_owner(owner), m_archive(archive) {}

bool CardArchive::open() {
    records::StoreError error;
    m_open = m_archive.open(&error);
    if (m_open) return true;
    msg::archiveAccessError(m_owner, error.text());
    return false;
}

bool CardArchive::close() {
    if (!m_open) return true;
    const bool closed = m_open->close();
    if (!closed) return fail();
    m_open.reset();
    return true;
}

bool CardArchive::fail(const QString& cause) {
    const QString text = cause.isEmpty() ? m_open->error().text()
                                         : records::StoreError{m_archive.name(), cause}.text();
    m_open.reset();
    msg::archiveAccessError(m_owner, text);
    return false;
}

qint64 CardArchive::append(const QByteArray& bytes) {
    const qint64 k = m_open->append(bytes);
    if (k == 0) fail();
    return k;
}

records::WriteOutcome CardArchive::overwrite(qint64 position, const QByteArray& expected,
                                             const QByteArray& bytes) {
    const qint64 count = m_open->count();
    if (position < 1 || position > count) {
        fail(pastTheEnd(position));
        return records::WriteOutcome::Failed;
    }
    const records::WriteOutcome outcome = m_open->overwrite(position, expected, bytes);
    if (outcome == records::WriteOutcome::Failed) fail();
    return outcome;
}

std::optional<CardArchive::Found> CardArchive::browse(CardMove move, qint64 shown) {
    // Previous on the first record does nothing, not even on an emptied archive.
    if (move == CardMove::Previous && shown == 1) return Found{};
    const qint64 count = m_open->count();
    if (count < 0) {
        fail();
        return std::nullopt;
    }
    if (count == 0) return Found{.empty = true};
    Found found{.position = moveTarget(move, shown, count)};
    if (found.position > 0 && !m_open->read(found.position, found.bytes)) {
        fail();
        return std::nullopt;
    }
    return found;
}

std::optional<QByteArray> CardArchive::read(qint64 position) {
    QByteArray bytes;
    const qint64 count = m_open->count();
    if (position < 1 || position > count) {
        fail(pastTheEnd(position));
        return std::nullopt;
    }
    if (!m_open->read(position, bytes)) {
        fail();
        return std::nullopt;
    }
    return bytes;
}

} // namespace tavolex::ui
