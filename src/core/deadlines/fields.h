#pragma once

// The fields of the deadline record by name, looked up once, and the stored text of a field
// as raw bytes. For the deadline sources only.
#include "records/layout.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>

namespace tavolex::deadlines {

struct DeadlineFields {
    const records::FieldSpec& giorno;
    const records::FieldSpec& mese;
    const records::FieldSpec& anno;
    const records::FieldSpec& dataSca;
    const records::FieldSpec& ore;
    const records::FieldSpec& minuti;
    const records::FieldSpec& ora;
    const records::FieldSpec& preavviso;
    const records::FieldSpec& cliente;
    const records::FieldSpec& oggetto;
    const records::FieldSpec& causale;
    const records::FieldSpec& importo;
    const records::FieldSpec& daConfermare;
    const records::FieldSpec& effettuato;
    // The 19 fields of the grids, columns 1 to 19: DataSca, Ora, Cliente, CodFisc, Recapito,
    // Oggetto, Tipologia, Protocollo, Apertura, Chiusura, Stato, Consulente, Causale,
    // Pagamento, Importo, Ricevuta, DaConfermare, Effettuato, Note.
    std::array<const records::FieldSpec*, 19> grid;
};

const DeadlineFields& fields();

// The stored Windows-1252 bytes of a field, trimmed as any stored text (codes up to 32 go
// from both ends). A length byte above the capacity reads as the capacity.
inline QByteArrayView storedTrimmed(const char* record, const records::FieldSpec& field) {
    const char* at = record + field.offset;
    const int length = std::min<int>(static_cast<unsigned char>(at[0]), field.capacity);
    const auto* begin = reinterpret_cast<const unsigned char*>(at + 1);
    const auto* end = begin + length;
    while (begin < end && *begin <= 32)
        ++begin;
    while (end > begin && end[-1] <= 32)
        --end;
    return QByteArrayView(begin, end - begin);
}

} // namespace tavolex::deadlines
