#pragma once

#include "filters.h"

#include <QString>
#include <QStringList>

namespace tavolex::records {
class Record;
}

namespace tavolex::search {

// List line of a client (search and re-contact list): Cliente (26) + "  Tel. " +
// Recapito (15) + "  " + Occupazione (25) + "  Prod. " + Prodotti (30) + "  " + a last
// column, trimmed and not cut: Note in the search, Questioni in the re-contact list.
// `record` is the raw bytes of one Clienti.pro record.
QString clientSearchLine(const char* record);
QString clientRecontactLine(const char* record);
QString clientSearchLine(const records::Record& record);
QString clientRecontactLine(const records::Record& record);
// Its first column when the line begins with it (lists::lineHead), for the list scans.
QString clientLineHead(const char* record);

// Whether the client is on the re-contact list: its trimmed Ricontatta is "Sì".
bool isToRecontact(const char* record);

// The client fields compared with the ten search filters, in the order of the filter
// panel: txtCliente, txtComuneRes, txtPartitaIva, txtCodFisc, txtDocumento,
// txtOccupazione, txtProdotti, txtZona, txtQuestioni, txtNote.
const QStringList& clientSearchFields();

// The client search over raw records; filterTexts in the order above.
RecordFilter clientSearchFilter(const QStringList& filterTexts);

} // namespace tavolex::search
