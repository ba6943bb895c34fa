#include "win1252.h"

#include <array>

namespace tavolex::text {

namespace {
// Code points of bytes 0x80..0x9F; undefined positions map to the C1 control itself.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int byteFor(char16_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return code;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == code) return 0x80 + i;
    return -1;
}
} // namespace

QString decode1252(const char* data, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

void appendDecoded1252(QString& out, const char* data, qsizetype size) {
    const qsizetype start = out.size();
    out.resize(start + size);
    QChar* dst = out.data() + start;
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(char16_t(b));
    }
}

char encodeChar1252(QChar ch) {
    const int b = byteFor(ch.unicode());
    return b < 0 ? '?' : static_cast<char>(b);
}

QByteArray encode1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character beyond U+FFFF is two UTF-16 units but one character, so one '?'.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        out += encodeChar1252(text[i]);
    }
    return out;
}

bool isEncodable1252(const QString& text) {
    for (QChar ch : text)
        if (byteFor(ch.unicode()) < 0) return false;
    return true;
}

} // namespace tavolex::text
