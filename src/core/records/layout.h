#pragma once

#include <QString>
#include <QStringView>
#include <initializer_list>
#include <vector>

namespace tavolex::records {

// A ShortString of capacity N takes N + 1 bytes: a length byte, then the text.
// A yes/no flag is a ShortString of capacity 2 holding "Sì" or "No".
enum class FieldKind { Text, YesNo };

struct FieldSpec {
    QString name;
    int capacity = 0;
    FieldKind kind = FieldKind::Text;
    int offset = 0; // computed by the layout
    // The caption the field has on its card ("Codice fiscale:"); a field the card keeps hidden
    // has one naming what it holds ("Allegato 1:"). Empty for a yes/no flag.
    QString caption;

    int size() const { return capacity + 1; }
};

struct FieldDecl {
    const char16_t* name;
    int capacity;
    FieldKind kind = FieldKind::Text;
    const char16_t* caption = nullptr;
};

// The fields of one record type in file order, with no gaps between them.
class RecordLayout {
public:
    RecordLayout(QString name, std::initializer_list<FieldDecl> fields, int expectedSize);
    RecordLayout(QString name, std::vector<FieldSpec> fields, int expectedSize);

    // The record type, as faults in a declaration name it ("Clienti").
    const QString& name() const { return m_name; }
    int recordSize() const { return m_size; }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldSpec& field(int index) const { return m_fields.at(index); }
    const std::vector<FieldSpec>& fields() const { return m_fields; }
    int indexOf(QStringView name) const; // -1 when absent
    // The named field; the program names only fields of its own layouts, so a name the
    // layout lacks is a programming error and stops the program with that name.
    const FieldSpec& field(QStringView name) const;

private:
    void computeOffsets(int expectedSize);

    QString m_name;
    std::vector<FieldSpec> m_fields;
    int m_size = 0;
};

} // namespace tavolex::records
