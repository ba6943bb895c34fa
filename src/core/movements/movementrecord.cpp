#include "movementrecord.h"

#include "records/layouts.h"
#include "records/record.h"

#include <algorithm>

namespace tavolex::movements {

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

} // namespace tavolex::movements
