#include "filters.h"

#include "records/layout.h"
#include "records/store.h"
#include "text/casing.h"
#include "text/win1252.h"

#include <algorithm>
#include <stdexcept>

namespace tavolex::search {

namespace {

inline char16_t lower16(char16_t ch) {
    return (ch >= u'A' && ch <= u'Z') ? ch + 32 : ch;
}
inline char lower8(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? char(ch + 32) : ch;
}

// Whether the already lower-cased needle occurs in haystack, lower-casing A-Z on the fly.
template <typename Ch, typename Lower>
bool containsLowered(const Ch* hay, qsizetype hayLength, const Ch* needle, qsizetype needleLength,
                     Lower lower) {
    if (needleLength == 0) return false;
    const Ch first = needle[0];
    for (qsizetype i = 0; i + needleLength <= hayLength; ++i) {
        if (lower(hay[i]) != first) continue;
        qsizetype k = 1;
        while (k < needleLength && lower(hay[i + k]) == needle[k])
            ++k;
        if (k == needleLength) return true;
    }
    return false;
}

bool foundIn(QStringView field, QStringView needle) {
    return containsLowered(field.utf16(), field.size(), needle.utf16(), needle.size(), lower16);
}

bool isBlank(const QString& s) {
    return text::trimmed(s).isEmpty();
}

} // namespace

FilterSet::FilterSet(const QStringList& filterTexts) {
    m_filters.reserve(filterTexts.size());
    for (qsizetype i = 0; i < filterTexts.size(); ++i) {
        m_filters << text::lowerAZ(filterTexts[i]);
        if (!isBlank(filterTexts[i])) m_active.push_back(int(i));
    }
}

bool FilterSet::isActive(int filter) const {
    return std::binary_search(m_active.begin(), m_active.end(), filter);
}

bool FilterSet::found(int filter, QStringView field) const {
    if (!isActive(filter)) return false;
    return foundIn(field, m_filters[filter]);
}

bool FilterSet::matches(const QStringList& fields) const {
    return std::all_of(m_active.begin(), m_active.end(), [&](int i) {
        return foundIn(i < fields.size() ? QStringView(fields[i]) : QStringView(), m_filters[i]);
    });
}

bool FilterSet::matches(const std::function<QString(int)>& fieldOf) const {
    return std::all_of(m_active.begin(), m_active.end(),
                       [&](int i) { return foundIn(fieldOf(i), m_filters[i]); });
}

bool isListed(const QStringList& filterTexts, const QStringList& fieldTexts) {
    return FilterSet(filterTexts).matches(fieldTexts);
}

RecordFilter::RecordFilter(const records::RecordLayout& layout, const QList<FieldFilter>& filters) {
    for (const FieldFilter& filter : filters) {
        const int index = layout.indexOf(filter.field);
        if (index < 0) throw std::out_of_range("no such field: " + filter.field.toStdString());
        if (isBlank(filter.text)) continue;
        const records::FieldSpec& spec = layout.field(index);
        ActiveFilter active;
        // A stored field holds only Windows-1252 characters, so a text with any other
        // character can never be found (encoding it would turn that character into '?').
        active.possible = text::isEncodable1252(filter.text);
        active.needle = text::encode1252(text::lowerAZ(filter.text));
        active.offset = spec.offset;
        active.capacity = spec.capacity;
        m_active.push_back(std::move(active));
    }
}

bool RecordFilter::matches(const char* record) const {
    for (const ActiveFilter& filter : m_active) {
        if (!filter.possible) return false;
        const char* field = record + filter.offset;
        const int length = std::min<int>(static_cast<unsigned char>(field[0]), filter.capacity);
        if (!containsLowered(field + 1, length, filter.needle.constData(), filter.needle.size(),
                             lower8))
            return false;
    }
    return true;
}

bool listMatching(const records::Archive& archive, const RecordFilter& filter,
                  const std::function<QString(const char*)>& lineOf, lists::ListedLines* lines,
                  const std::function<QString(const char*)>& headOf) {
    lists::ListedLines listed;
    const bool read = lists::listWithRecords(
        archive, [&filter](const char* record) { return filter.matches(record); }, lineOf,
        lists::Behind::AnyRecord, &listed, headOf);
    if (read) *lines = std::move(listed);
    return read;
}

RecordFilter filterOver(const records::RecordLayout& layout, const QStringList& fieldNames,
                        const QStringList& filterTexts) {
    QList<FieldFilter> filters;
    const qsizetype n = std::min(filterTexts.size(), fieldNames.size());
    for (qsizetype i = 0; i < n; ++i)
        filters.append({filterTexts[i], fieldNames[i]});
    return RecordFilter(layout, filters);
}

} // namespace tavolex::search
