#include "numbering.h"

#include "records/archives.h"
#include "records/store.h"

#include "programfolder.h"
#include "records/record.h"
#include "settings/inifile.h"
#include "text/casing.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace tavolex::protocol {

using namespace Qt::Literals::StringLiterals;

bool isYearSuffixOn(const QString& value) {
    return text::trimmed(value) == QStringView(records::kYes);
}

bool NumberingSettings::suffixOn() const {
    return isYearSuffixOn(yearSuffix);
}

NumberingSettings readNumbering(const settings::IniFile& ini) {
    NumberingSettings s;
    s.start = text::trimmed(kStartKey.read(ini));
    if (s.start.isEmpty()) s.start = u"1"_s;
    s.yearSuffix = kYearSuffixKey.read(ini);
    return s;
}

files::WriteResult writeNumbering(settings::IniFile& ini, const QString& start, bool yearSuffix) {
    if (files::WriteResult result = kStartKey.write(ini, text::trimmed(start)); !result)
        return result;
    return kYearSuffixKey.write(ini, QString::fromUtf16(yearSuffix ? records::kYes : records::kNo));
}

RememberedPeople readRemembered(const settings::IniFile& ini) {
    return {kOfficeKey.read(ini), kOperatorKey.read(ini)};
}

files::WriteResult writeRemembered(settings::IniFile& ini, const RememberedPeople& people) {
    // Both keys are written even when the first write fails, so one bad value does not
    // cost the other.
    const files::WriteResult office = kOfficeKey.write(ini, text::trimmed(people.office));
    const files::WriteResult op = kOperatorKey.write(ini, text::trimmed(people.operatorName));
    return office ? op : office;
}

QString normaliseStartNumber(const QString& text) {
    const QString t = text::trimmed(text);
    if (t.isEmpty()) return u"1"_s;
    // A decimal number written with the program's decimal comma, optionally signed.
    static const QRegularExpression number(u"^[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?$"_s);
    if (!number.match(t).hasMatch()) return u"1"_s;
    bool ok = false;
    const double value = QString(t).replace(u',', u'.').toDouble(&ok);
    if (!ok || !std::isfinite(value)) return u"1"_s;
    // Half up, then the fraction dropped (towards zero).
    const double rounded = std::trunc(value + 0.5);
    if (std::fabs(rounded) > 1e15) return u"1"_s;
    return QString::number(static_cast<qint64>(rounded));
}

std::optional<QString> automaticNumber(const QString& start, const QString& yearSuffix,
                                       qint64 recordCount, int currentYear) {
    QString s = text::trimmed(start);
    if (s.isEmpty()) s = u"1"_s;
    static const QRegularExpression integer(u"^[+-]?\\d{1,15}$"_s);
    if (!integer.match(s).hasMatch()) return std::nullopt;
    const qint64 n = s.toLongLong() + recordCount;
    QString number = QString::number(n);
    if (isYearSuffixOn(yearSuffix))
        number += u'/' + QStringLiteral("%1").arg(currentYear, 4, 10, QChar(u'0'));
    return number;
}

bool isAcceptableYear(const QString& yearText) {
    if (yearText.size() != 4) return false;
    return !yearText.contains(u'/') && !yearText.contains(u'\\');
}

QString archiveFileName(const QString& yearText) {
    return records::archiveEntry(records::ArchiveKind::Protocol).fileName(yearText);
}

QString cardCaption(const QString& yearText) {
    return u" Tavolex - Protocollo Posta anno "_s + text::trimmed(yearText);
}

std::optional<QString> nextNumber(const records::Archive& archive,
                                  const NumberingSettings& numbering, int currentYear) {
    const std::unique_ptr<records::OpenArchive> open = archive.open();
    if (!open) return std::nullopt;
    const qint64 count = open->count();
    if (count < 0 || !open->close()) return std::nullopt;
    return automaticNumber(numbering.start, numbering.yearSuffix, count, currentYear);
}

} // namespace tavolex::protocol
