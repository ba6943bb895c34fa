#pragma once

#include <QString>
#include <optional>

namespace tavolex::security {

// The password store's reversible scrambler: two upper-case hex digits per character,
// each byte chained into a 16-bit key.
QString scramble(const QString& plain);
// std::nullopt when a pair of digits is not hexadecimal; a trailing odd digit is ignored.
std::optional<QString> unscramble(const QString& hex);

// Whether Unscramble(Scramble(p)) gives p back: at most 255 characters, codes 1 to 255.
bool isScramblable(const QString& plain);

} // namespace tavolex::security
