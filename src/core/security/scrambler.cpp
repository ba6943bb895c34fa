#include "scrambler.h"

namespace tavolex::security {

namespace {
constexpr quint16 kStartKey = 0x5D1B;
constexpr quint16 kMultiplier = 0x3F59;
constexpr quint16 kIncrement = 0x1B7D;

quint16 nextKey(quint16 key, quint8 c) {
    return static_cast<quint16>((c + key) * kMultiplier + kIncrement);
}

int hexDigit(QChar ch) {
    if (ch >= u'0' && ch <= u'9') return ch.unicode() - u'0';
    if (ch >= u'A' && ch <= u'F') return ch.unicode() - u'A' + 10;
    if (ch >= u'a' && ch <= u'f') return ch.unicode() - u'a' + 10;
    return -1;
}
} // namespace

QString scramble(const QString& plain) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString out;
    out.reserve(plain.size() * 2);
    quint16 key = kStartKey;
    for (QChar ch : plain) {
        const auto c = static_cast<quint8>((ch.unicode() & 0xFF) ^ (key >> 8));
        out += QChar(kDigits[c >> 4]);
        out += QChar(kDigits[c & 0x0F]);
        key = nextKey(key, c);
    }
    return out;
}

std::optional<QString> unscramble(const QString& hex) {
    const qsizetype n = hex.size() / 2;
    QString out;
    out.reserve(n);
    quint16 key = kStartKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int hi = hexDigit(hex[2 * i]);
        const int lo = hexDigit(hex[2 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        const auto c = static_cast<quint8>(hi * 16 + lo);
        out += QChar(static_cast<char16_t>(c ^ (key >> 8)));
        key = nextKey(key, c);
    }
    return out;
}

bool isScramblable(const QString& plain) {
    if (plain.size() > 255) return false;
    for (QChar ch : plain)
        if (ch.unicode() < 1 || ch.unicode() > 255) return false;
    return true;
}

} // namespace tavolex::security
