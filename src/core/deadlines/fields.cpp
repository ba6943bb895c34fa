#include "fields.h"

#include "records/layouts.h"

namespace tavolex::deadlines {

const DeadlineFields& fields() {
    static const DeadlineFields f = [] {
        const records::RecordLayout& l = records::deadlineLayout();
        auto spec = [&l](const char16_t* name) -> const records::FieldSpec& {
            return l.field(QStringView(name));
        };
        return DeadlineFields{
            spec(u"Giorno"),
            spec(u"Mese"),
            spec(u"Anno"),
            spec(u"DataSca"),
            spec(u"Ore"),
            spec(u"Minuti"),
            spec(u"Ora"),
            spec(u"Preavviso"),
            spec(u"Cliente"),
            spec(u"Oggetto"),
            spec(u"Causale"),
            spec(u"Importo"),
            spec(u"DaConfermare"),
            spec(u"Effettuato"),
            {&spec(u"DataSca"), &spec(u"Ora"), &spec(u"Cliente"), &spec(u"CodFisc"),
             &spec(u"Recapito"), &spec(u"Oggetto"), &spec(u"Tipologia"), &spec(u"Protocollo"),
             &spec(u"Apertura"), &spec(u"Chiusura"), &spec(u"Stato"), &spec(u"Consulente"),
             &spec(u"Causale"), &spec(u"Pagamento"), &spec(u"Importo"), &spec(u"Ricevuta"),
             &spec(u"DaConfermare"), &spec(u"Effettuato"), &spec(u"Note")}};
    }();
    return f;
}

} // namespace tavolex::deadlines
