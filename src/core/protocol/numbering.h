#pragma once

#include "files/safewrite.h"
#include "records/store.h"
#include "settings/programsettings.h"

#include <QString>
#include <optional>

namespace tavolex::settings {
class IniFile;
}

namespace tavolex::protocol {

// The sections of the program's settings file that belong to the protocol register: the
// numbering settings and the office and operator last typed on the protocol card.
inline constexpr char16_t kNumberingSection[] = u"Numerazione Protocollo";
inline constexpr settings::TextKey kStartKey{kNumberingSection, u"Inizio"};
inline constexpr settings::TextKey kYearSuffixKey{kNumberingSection, u"Indicazione Anno Solare"};
inline constexpr char16_t kDocumentsSection[] = u"Protocollo Documenti";
inline constexpr settings::TextKey kOfficeKey{kDocumentsSection, u"Ufficio"};
inline constexpr settings::TextKey kOperatorKey{kDocumentsSection, u"Operatore"};

// The numbering settings as read: `start` is "1" when the key is missing or blank;
// `yearSuffix` is the stored text, "Sì" switching the suffix on.
struct NumberingSettings {
    QString start;
    QString yearSuffix;

    bool suffixOn() const;
};
NumberingSettings readNumbering(const settings::IniFile& ini);
// "Inizio" := trimmed start; "Indicazione Anno Solare" := "Sì" or "No".
files::WriteResult writeNumbering(settings::IniFile& ini, const QString& start, bool yearSuffix);

// The remembered office and operator of the protocol card.
struct RememberedPeople {
    QString office;
    QString operatorName;
};
RememberedPeople readRemembered(const settings::IniFile& ini);
files::WriteResult writeRemembered(settings::IniFile& ini, const RememberedPeople& people);

// Whether a suffix setting switches the "/yyyy" suffix on: exactly "Sì" once trimmed.
bool isYearSuffixOn(const QString& value);

// The start-number field when it is left: blank gives "1"; a decimal number (decimal
// comma) is rounded half up and written without decimals ("0007" → "7", "12,5" → "13");
// anything that is not a number gives "1".
QString normaliseStartNumber(const QString& text);

// The next protocol number of an archive holding `recordCount` records: start + count,
// followed by "/" and `currentYear` (four digits) when the suffix is on. A blank start
// counts as 1; a start that is not a whole number gives no number at all.
std::optional<QString> automaticNumber(const QString& start, const QString& yearSuffix,
                                       qint64 recordCount, int currentYear);

// The number "Nuovo" proposes for `archive` (opened, and created when missing, only to count
// its records). Nothing when the archive cannot be opened or the start is not a whole number.
std::optional<QString> nextNumber(const records::Archive& archive,
                                  const NumberingSettings& numbering, int currentYear);

// The year typed in the year menu opens an archive only when it is exactly four
// characters long, as typed (not trimmed). Pasted text could still carry a folder
// separator, which would point outside the program folder: such a year is refused
// like a short one.
bool isAcceptableYear(const QString& yearText);
// The yearly archive's file name: trimmed year + ".prt" ("0999" → "0999.prt").
QString archiveFileName(const QString& yearText);
// The card caption for a year: " Tavolex - Protocollo Posta anno " + trimmed year.
QString cardCaption(const QString& yearText);

} // namespace tavolex::protocol
