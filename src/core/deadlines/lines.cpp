#include "lines.h"

#include "fields.h"
#include "lists/listline.h"
#include "records/layouts.h"
#include "records/record.h"

#include <algorithm>

namespace tavolex::deadlines {

using namespace Qt::Literals::StringLiterals;

QString summaryLine(const char* record) {
    const DeadlineFields& f = fields();
    QString line;
    line.reserve(30 + 8 + 10 + 7 + 5 + 11 + 28 + 2 + 30 + 4 + f.importo.capacity);
    lists::appendFieldColumn(line, {}, record, f.causale, 30);
    lists::appendFieldColumn(line, u"  Data: ", record, f.dataSca, 10);
    lists::appendFieldColumn(line, u"  Ora: ", record, f.ora, 5);
    lists::appendFieldColumn(line, u"  Cliente: ", record, f.cliente, 28);
    lists::appendFieldColumn(line, u"  ", record, f.oggetto, 30);
    lists::appendFieldColumn(line, u"  \u20AC ", record, f.importo, -1);
    return line;
}

QString summaryLineHead(const char* record) {
    return lists::lineHead({}, records::readField(record, fields().causale), 30);
}

void sortSummaryLines(QStringList& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return compareIgnoringCase(a, b) < 0;
    });
}

void sortSummaryLines(lists::ListedLines& lines) {
    lines.sortLines(
        [](const QString& a, const QString& b) { return compareIgnoringCase(a, b) < 0; });
}

const QStringList& searchFields() {
    static const QStringList names = {u"DataSca"_s, u"Ora"_s,        u"Cliente"_s, u"CodFisc"_s,
                                      u"Oggetto"_s, u"Protocollo"_s, u"Stato"_s,   u"Consulente"_s,
                                      u"Causale"_s, u"Note"_s};
    return names;
}

search::RecordFilter searchFilter(const QStringList& filterTexts) {
    return search::filterOver(records::deadlineLayout(), searchFields(), filterTexts);
}

QString foundCountText(qsizetype count) {
    return u"Il presente elenco contiene %1 schede."_s.arg(count);
}

QString DeadlineRow::cell(int column) const {
    if (column == 0) return QString::number(number);
    if (column >= 1 && column <= fields.size()) return fields[column - 1];
    if (column == 20) return key;
    return {};
}

QStringList gridFields(const char* record) {
    QStringList cells;
    cells.reserve(19);
    for (const records::FieldSpec* spec : deadlines::fields().grid)
        cells << records::readFieldTrimmed(record, *spec);
    return cells;
}

void sortByOrderKey(QList<DeadlineRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const DeadlineRow& a, const DeadlineRow& b) {
        return compareIgnoringCase(a.key, b.key) < 0;
    });
}

const QList<exporting::FieldColumn>& columns() {
    static const QList<exporting::FieldColumn> columns = {
        {u"DataSca"_s, u"Data scadenza"_s, 150, 150},
        {u"Ora"_s, u"Ora appuntamento"_s, 150, 150},
        {u"Cliente"_s, u"Cognome e nome Cliente"_s, 250, 250},
        {u"CodFisc"_s, u"Codice fiscale"_s, 180, 200},
        {u"Recapito"_s, u"Recapito preferenziale"_s, 250, 250},
        {u"Oggetto"_s, u"Oggetto pratica"_s, 300, 300},
        {u"Tipologia"_s, u"Tipologia"_s, 250, 250},
        {u"Protocollo"_s, u"Protocollo n."_s, 250, 250},
        {u"Apertura"_s, u"Data apertura"_s, 150, 150},
        {u"Chiusura"_s, u"Data chiusura"_s, 150, 150},
        {u"Stato"_s, u"Stato avanzamento"_s, 250, 250},
        {u"Consulente"_s, u"Consulente o curatore"_s, 250, 250},
        {u"Causale"_s, u"Causale scadenza"_s, 300, 300},
        {.field = u"Pagamento"_s,
         .header = u"Modalit\u00E0 di pagamento"_s,
         .screenWidth = 300,
         .fileWidth = 300,
         .editable = true},
        {.field = u"Importo"_s,
         .header = u"Importo in euro"_s,
         .screenWidth = 180,
         .fileWidth = 200,
         .editable = true},
        {.field = u"Ricevuta"_s,
         .header = u"Estremi ricevuta"_s,
         .screenWidth = 250,
         .fileWidth = 250,
         .editable = true},
        {.field = u"DaConfermare"_s,
         .header = u"Appuntamento da confermare"_s,
         .screenWidth = 200,
         .fileWidth = 250,
         .editable = true},
        {.field = u"Effettuato"_s,
         .header = u"Pagamento effettuato"_s,
         .screenWidth = 200,
         .fileWidth = 250,
         .editable = true},
        {u"Note"_s, u"Note"_s, 300, 300},
    };
    return columns;
}

exporting::FieldColumn orderKeyColumn() {
    return {.header = QString::fromUtf16(kOrderKeyHeader),
            .screenWidth = kOrderKeyWidth,
            .fileWidth = kOrderKeyWidth,
            .source = exporting::CellSource::SortKey,
            .editable = true};
}

QList<exporting::SheetColumn> dueListSheetColumns() {
    return exporting::sheetColumns(columns() + QList{orderKeyColumn()});
}

QList<exporting::SheetColumn> archiveSheetColumns() {
    return exporting::sheetColumns(columns());
}

DueListTexts dueListTexts(DueList list) {
    switch (list) {
    case DueList::Imminent:
        return {u" Scadenze imminenti"_s, exporting::kExpImminenti};
    case DueList::Daily:
        return {u" Scadenze del giorno"_s, exporting::kExpGiornaliere};
    case DueList::Monthly:
        return {u" Scadenze del mese"_s, exporting::kExpMensili};
    }
    return {};
}

ConfirmationListTexts confirmationListTexts(ConfirmationList list) {
    switch (list) {
    case ConfirmationList::PaymentsToMake:
        return {u" Riepilogo pagamenti da effettuare"_s, u"Riepilogo pagamenti da effettuare"_s};
    case ConfirmationList::PaymentsMade:
        return {u" Riepilogo pagamenti effettuati"_s, u"Riepilogo pagamenti effettuati"_s};
    case ConfirmationList::AppointmentsToConfirm:
        return {u" Riepilogo appuntamenti da confermare"_s,
                u"Riepilogo appuntamenti da confermare"_s};
    }
    return {};
}

} // namespace tavolex::deadlines
