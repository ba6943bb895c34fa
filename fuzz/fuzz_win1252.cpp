// Windows-1252 text: arbitrary bytes decode to one character each and encode back to the same
// bytes; arbitrary UTF-16 text encodes to one byte per character (not per UTF-16 unit), '?' for
// what the code page cannot hold.

#include "fuzzcheck.h"

#include "text/win1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

using namespace tavolex;

namespace {

// Qt's own Windows-1252 converters (ICU's table) as an independent reference.
QStringDecoder& referenceDecoder() {
    static QStringDecoder decoder("windows-1252", QStringConverter::Flag::Stateless);
    FUZZ_CHECK(decoder.isValid());
    return decoder;
}

QStringEncoder& referenceEncoder() {
    static QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    FUZZ_CHECK(encoder.isValid());
    return encoder;
}

void checkBytes(const QByteArray& bytes) {
    const QString text = text::decode1252(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    FUZZ_CHECK(text == QString(referenceDecoder().decode(bytes)));
    FUZZ_CHECK(text::decode1252(bytes.constData(), bytes.size()) == text);
    FUZZ_CHECK(text::isEncodable1252(text));
    FUZZ_CHECK(text::encode1252(text) == bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        FUZZ_CHECK(text::encodeChar1252(text[i]) == bytes[i]);
        // Latin-1 outside 0x80-0x9F is the same code.
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 || b >= 0xA0)
            FUZZ_CHECK(text[i].unicode() == b);
        else
            FUZZ_CHECK(text[i].unicode() >= 0x80);
    }
}

void checkText(const QString& text) {
    const QByteArray bytes = text::encode1252(text);
    // One byte per character: a character beyond U+FFFF (a surrogate pair) is one '?', and so
    // is a lone surrogate (U+FFFD here).
    const QList<uint> characters = text.toUcs4();
    FUZZ_CHECK(bytes.size() == characters.size());
    bool encodable = true;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        if (characters[i] > 0xFFFF) {
            FUZZ_CHECK(bytes[i] == '?');
            encodable = false;
            continue;
        }
        const QChar ch{static_cast<char16_t>(characters[i])};
        const char byte = text::encodeChar1252(ch);
        FUZZ_CHECK(bytes[i] == byte);
        // A character comes back as itself, or it was stored as '?'.
        if (text::decode1252(&byte, 1) != QString(ch)) {
            FUZZ_CHECK(byte == '?');
            encodable = false;
        }
    }
    FUZZ_CHECK(text::isEncodable1252(text) == encodable);
    FUZZ_CHECK(text::encode1252(text::decode1252(bytes)) == bytes);
    if (encodable) FUZZ_CHECK(bytes == QByteArray(referenceEncoder().encode(text)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    checkBytes(bytes);
    QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, units.size() * sizeof(QChar));
    checkText(units);
    return 0;
}
