#include "movementrecord.h"

#include "records/layouts.h"

#include <algorithm>

namespace tavolex::movements {

namespace {

// Whether the stored text, trimmed of blanks and control characters, is exactly the two
// Windows-1252 bytes a, b.
bool holdsTwo(const char* record, const records::FieldSpec& spec, unsigned char a,
              unsigned char b) {
    const auto* at = reinterpret_cast<const unsigned char*>(record + spec.offset);
    const unsigned char* begin = at + 1;
    const unsigned char* end = begin + std::min<int>(at[0], spec.capacity);
    while (begin < end && *begin <= 32)
        ++begin;
    while (end > begin && end[-1] <= 32)
        --end;
    return end - begin == 2 && begin[0] == a && begin[1] == b;
}

} // namespace

const MovementFields& fields() {
    static const MovementFields f = [] {
        const records::RecordLayout& l = records::movementLayout();
        auto spec = [&l](const char16_t* name) -> const records::FieldSpec& {
            return l.field(QStringView(name));
        };
        return MovementFields{
            spec(u"Entrata"),      spec(u"Uscita"),      spec(u"Data"),        spec(u"Causale"),
            spec(u"Promemoria"),   spec(u"DataSca"),     spec(u"Preavviso"),   spec(u"Importo"),
            spec(u"Totale"),       spec(u"Pagatore"),    spec(u"RecapitoPag"), spec(u"CodFisc"),
            spec(u"PartitaIva"),   spec(u"Categoria"),   spec(u"Email"),       spec(u"Pagamento"),
            spec(u"Beneficiario"), spec(u"RecapitoBen"), spec(u"Ricevuta"),    spec(u"Note"),
            spec(u"Tariffa"),      spec(u"Saldato")};
    }();
    return f;
}

int recordSize() {
    return records::movementLayout().recordSize();
}

bool isYes(const char* record, const records::FieldSpec& flag) {
    return holdsTwo(record, flag, 'S', 0xEC);
}

bool isNo(const char* record, const records::FieldSpec& flag) {
    return holdsTwo(record, flag, 'N', 'o');
}

} // namespace tavolex::movements
