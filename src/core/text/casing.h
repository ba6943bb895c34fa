#pragma once

#include <QString>

namespace tavolex::text {

// Blanks and control characters (codes up to 32) go from both ends.
QString trimmed(const QString& s);

// Only a-z / A-Z change: accented letters stay as they are.
QString upperAZ(const QString& s);
QString lowerAZ(const QString& s);

bool isDigitsOnly(const QString& s); // true for a non-empty text of 0-9 only

} // namespace tavolex::text
