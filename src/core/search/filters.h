#pragma once

#include "lists/lastmatch.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

namespace tavolex::records {
class RecordLayout;
}

namespace tavolex::search {

// The filters of a search screen, each compared with one record field.
// A filter is active when its trimmed text is not empty. An active filter is found
// when its text as typed (blanks included, not trimmed) occurs in the field, with
// A-Z and a-z taken as equal; no wildcard, no word boundary, no accent folding.
// A record is listed when every active filter is found in its field, so with no
// active filter every record is listed. A filter of blanks only is not active and
// never counts as found, whatever the field holds.
class FilterSet {
public:
    FilterSet() = default;
    explicit FilterSet(const QStringList& filterTexts);

    int size() const { return int(m_filters.size()); }
    int activeCount() const { return int(m_active.size()); }
    bool isActive(int filter) const;
    // Indexes of the active filters, in order.
    const std::vector<int>& active() const { return m_active; }

    // Whether filter `filter` is active and found in `field`.
    bool found(int filter, QStringView field) const;

    // fields[i] is the text compared with filter i; missing fields read as empty.
    bool matches(const QStringList& fields) const;
    // Asks only for the fields of the active filters, so inactive ones cost nothing.
    bool matches(const std::function<QString(int filter)>& fieldOf) const;

private:
    QStringList m_filters; // A-Z lower-cased, as typed
    std::vector<int> m_active;
};

// Convenience over FilterSet: whether a record with these field texts is listed.
bool isListed(const QStringList& filterTexts, const QStringList& fieldTexts);

// A filter text and the name of the record field it is compared with.
struct FieldFilter {
    QString text;
    QString field;
};

// The same rule straight on raw record bytes: the stored Windows-1252 text of each
// compared field is searched without decoding it, so a record that is not listed
// costs no allocation.
class RecordFilter {
public:
    // Throws std::out_of_range for a field name the layout does not have.
    RecordFilter(const records::RecordLayout& layout, const QList<FieldFilter>& filters);

    int activeCount() const { return int(m_active.size()); }
    bool matches(const char* record) const;
    bool matches(const QByteArray& record) const { return matches(record.constData()); }

private:
    struct ActiveFilter {
        QByteArray needle;    // Windows-1252, A-Z lower-cased
        bool possible = true; // false when the text holds a character no field can hold
        int offset = 0;
        int capacity = 0;
    };
    std::vector<ActiveFilter> m_active;
};

// The filter of a search screen: filter i compared with record field fieldNames[i] (extra
// texts or names are ignored).
RecordFilter filterOver(const records::RecordLayout& layout, const QStringList& fieldNames,
                        const QStringList& filterTexts);

// A search over an archive: the list line of every record the filter lets through, in
// file order, each with the record a double-click on it loads (of every record of the
// archive giving that line, the last). False only when the archive exists but cannot be
// read (`lines` is then left as it was); a missing archive lists nothing and is not created.
// `headOf`: as lists::listWithRecords.
bool listMatching(const records::Archive& archive, const RecordFilter& filter,
                  const std::function<QString(const char*)>& lineOf, lists::ListedLines* lines,
                  const std::function<QString(const char*)>& headOf = {});

} // namespace tavolex::search
