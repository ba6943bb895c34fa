#pragma once

#include "records/record.h"

#include "records/layout.h"

#include <QString>

namespace tavolex::movements {

// The fields of a yearly movement archive ("yyyy.eur", 3414-byte records), looked up once in
// the record layout, so that the passes over an archive read only the fields they need
// straight from the raw bytes.
struct MovementFields {
    const records::FieldSpec& entrata;
    const records::FieldSpec& uscita;
    const records::FieldSpec& data;
    const records::FieldSpec& causale;
    const records::FieldSpec& promemoria;
    const records::FieldSpec& dataSca;
    const records::FieldSpec& preavviso;
    const records::FieldSpec& importo;
    const records::FieldSpec& totale;
    const records::FieldSpec& pagatore;
    const records::FieldSpec& recapitoPag;
    const records::FieldSpec& codFisc;
    const records::FieldSpec& partitaIva;
    const records::FieldSpec& categoria;
    const records::FieldSpec& email;
    const records::FieldSpec& pagamento;
    const records::FieldSpec& beneficiario;
    const records::FieldSpec& recapitoBen;
    const records::FieldSpec& ricevuta;
    const records::FieldSpec& note;
    const records::FieldSpec& tariffa;
    const records::FieldSpec& saldato;
};
const MovementFields& fields();
int recordSize(); // 3414

using records::isNo;
using records::isYes;

} // namespace tavolex::movements
