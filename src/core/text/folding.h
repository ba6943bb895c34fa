#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>

namespace tavolex::text {

// Case and accent folding on Windows-1252 bytes, one byte to one byte, so that a text is
// compared with stored fields without decoding them:
// - A-Z become a-z;
// - every letter with a diacritic becomes its base letter in lower case: À-Å à-å → a,
//   Ç ç → c, È-Ë è-ë → e, Ì-Ï ì-ï → i, Ñ ñ → n, Ò-Ö ò-ö → o, Ù-Ü ù-ü → u, Ý ý ÿ Ÿ → y,
//   Š š → s, Ž ž → z; Ø ø (o with a stroke) → o as well;
// - letters of their own are only lower-cased: Æ → æ, Œ → œ, Ð → ð, Þ → þ; ß stays ß. They are
//   not spelled out ("ss" does not find "ß", "ae" does not find "æ"): one byte folds to one
//   byte, so every match lies at the same place in the stored text;
// - every other byte (digits, punctuation, symbols, ª º µ, undefined codes) stays as it is.
const std::array<unsigned char, 256>& foldTable();

inline unsigned char fold(unsigned char byte) {
    return foldTable()[byte];
}

// The folded copy of Windows-1252 bytes.
QByteArray folded(QByteArrayView bytes);

} // namespace tavolex::text
