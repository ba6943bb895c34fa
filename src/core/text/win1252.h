#pragma once

#include <QByteArray>
#include <QString>

namespace tavolex::text {

// Windows-1252, one byte per character. Bytes that the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control of the same value, so
// they come back unchanged when the text is stored again.
QString decode1252(const char* data, qsizetype size);
// Decodes onto the end of `out`, with no text made in between.
void appendDecoded1252(QString& out, const char* data, qsizetype size);
inline QString decode1252(const QByteArray& bytes) {
    return decode1252(bytes.constData(), bytes.size());
}

// Characters the code page cannot represent become '?', one per character (a character
// beyond U+FFFF is one '?', not one per UTF-16 unit).
QByteArray encode1252(const QString& text);
char encodeChar1252(QChar ch);
bool isEncodable1252(const QString& text);

} // namespace tavolex::text
