#pragma once

#include "records/record.h"

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

using records::storedTrimmed;

} // namespace tavolex::deadlines
