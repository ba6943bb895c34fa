#pragma once

#include "export/spreadsheet.h"
#include "records/store.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace tavolex::accounts {

// The three lists of unpaid payments: income still to be collected, expenses still to be paid,
// or both.
enum class UnpaidList { Income, Expense, Both };

// A movement is unpaid when its due date DataSca is `today` or earlier and Saldato is "No";
// the notice days play no part. The income list further needs Entrata "Sì", the expense list
// Uscita "Sì"; the combined list takes both kinds. A record whose due date or signed amount
// (Totale) cannot be read is not listed, and the records after it still are.
bool isUnpaid(const char* record, UnpaidList list, const QDate& today);

// The rows of a list in file order: each row the running number (1, 2, 3 …) and the 20 trimmed
// fields of movements::columns() ("Tipo movimento" "Entrata" or "Uscita", "Importo in
// euro" with its sign). False only when the archive exists but cannot be read; `rows` is then
// left as it was. A missing archive has no rows (the screen prepares it first).
bool unpaidRows(const records::Archive& archive, UnpaidList list, const QDate& today,
                QList<QStringList>* rows);

// The export file and worksheet of each list, and its window caption.
exporting::ExportTarget exportTarget(UnpaidList list);
QString listCaption(UnpaidList list);

} // namespace tavolex::accounts
