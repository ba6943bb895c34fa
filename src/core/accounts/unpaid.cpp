#include "unpaid.h"

#include "dates/datetext.h"
#include "money/amount.h"
#include "movements/movementlines.h"
#include "movements/movementrecord.h"
#include "records/record.h"
#include "records/store.h"

namespace tavolex::accounts {

using namespace Qt::Literals::StringLiterals;

bool isUnpaid(const char* record, UnpaidList list, const QDate& today) {
    const movements::MovementFields& f = movements::fields();
    if (!movements::isNo(record, f.saldato)) return false;
    if (list == UnpaidList::Income && !movements::isYes(record, f.entrata)) return false;
    if (list == UnpaidList::Expense && !movements::isYes(record, f.uscita)) return false;
    const std::optional<QDate> due = dates::parseDate(records::readField(record, f.dataSca));
    if (!due || *due > today) return false;
    return money::parseAmount(records::readField(record, f.totale)).has_value();
}

bool unpaidRows(const records::Archive& archive, UnpaidList list, const QDate& today,
                QList<QStringList>* rows) {
    QList<QStringList> listed;
    const bool read = records::forEachRecord(archive, [&](qint64, const char* record) {
        if (isUnpaid(record, list, today)) listed << movements::gridRow(record, listed.size() + 1);
        return true;
    });
    if (read) *rows = std::move(listed);
    return read;
}

exporting::ExportTarget exportTarget(UnpaidList list) {
    switch (list) {
    case UnpaidList::Income:
        return exporting::kInsolutiEnt;
    case UnpaidList::Expense:
        return exporting::kInsolutiUsc;
    case UnpaidList::Both:
        break;
    }
    return exporting::kInsolutiAll;
}

QString listCaption(UnpaidList list) {
    switch (list) {
    case UnpaidList::Income:
        return u" Pagamenti insoluti in entrata"_s;
    case UnpaidList::Expense:
        return u" Pagamenti insoluti in uscita"_s;
    case UnpaidList::Both:
        break;
    }
    return u" Pagamenti insoluti in entrata e in uscita"_s;
}

} // namespace tavolex::accounts
