#include "folding.h"

namespace tavolex::text {

namespace {

std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    for (int b = 'A'; b <= 'Z'; ++b)
        table[b] = static_cast<unsigned char>(b - 'A' + 'a');
    const auto map = [&table](const char* bytes, char base) {
        for (const char* at = bytes; *at; ++at)
            table[static_cast<unsigned char>(*at)] = static_cast<unsigned char>(base);
    };
    map("\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", 'a');
    map("\xC7\xE7", 'c');
    map("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", 'e');
    map("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", 'i');
    map("\xD1\xF1", 'n');
    map("\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", 'o');
    map("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", 'u');
    map("\xDD\xFD\xFF\x9F", 'y');
    map("\x8A\x9A", 's');
    map("\x8E\x9E", 'z');
    // Letters of their own: lower case only.
    table[0xC6] = 0xE6; // Æ → æ
    table[0x8C] = 0x9C; // Œ → œ
    table[0xD0] = 0xF0; // Ð → ð
    table[0xDE] = 0xFE; // Þ → þ
    return table;
}

} // namespace

const std::array<unsigned char, 256>& foldTable() {
    static const std::array<unsigned char, 256> table = makeFoldTable();
    return table;
}

QByteArray folded(QByteArrayView bytes) {
    const auto& table = foldTable();
    QByteArray out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<unsigned char>(bytes[i])]);
    return out;
}

} // namespace tavolex::text
