#pragma once

#include <QStringList>
#include <QStringView>

namespace tavolex::places {

// The 112 two-letter codes offered by the province combo boxes of the client and practice
// cards, in the order they are listed (alphabetical).
const QStringList& provinceCodes();

// Position of a code in that list, -1 when it is not there. The match is exact: the cards
// store codes in upper case, and a typed code of any other two characters is still allowed.
qsizetype provinceIndex(QStringView code);

} // namespace tavolex::places
