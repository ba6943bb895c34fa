#include "movementlines.h"

#include "lists/listline.h"
#include "movementrecord.h"
#include "records/layouts.h"
#include "records/record.h"

namespace tavolex::movements {

using namespace Qt::Literals::StringLiterals;

QString listLine(const char* record) {
    const MovementFields& f = fields();
    QString line;
    line.reserve(40 + 8 + 10 + 6 + 30 + 5 + 30 + 11 + 16);
    lists::appendFieldColumn(line, {}, record, f.causale, 40);
    lists::appendFieldColumn(line, u"  Scad. ", record, f.dataSca, 10);
    lists::appendFieldColumn(line, u"  Da: ", record, f.pagatore, 30);
    lists::appendFieldColumn(line, u"  A: ", record, f.beneficiario, 30);
    lists::appendFieldColumn(line, u"  Importo: ", record, f.totale, -1);
    return line;
}

QString listLineHead(const char* record) {
    return lists::lineHead({}, records::readField(record, fields().causale), 40);
}

const QStringList& searchFields() {
    static const QStringList names = {
        u"Data"_s,      u"DataSca"_s,      u"Causale"_s,  u"Promemoria"_s, u"Pagatore"_s,
        u"Categoria"_s, u"Beneficiario"_s, u"Ricevuta"_s, u"Tariffa"_s,    u"Note"_s};
    return names;
}

search::RecordFilter searchFilter(const QStringList& filterTexts) {
    return search::filterOver(records::movementLayout(), searchFields(), filterTexts);
}

QString foundCountText(qsizetype count) {
    return u"Il presente riepilogo contiene "_s + QString::number(count) + u" schede."_s;
}

const QList<exporting::FieldColumn>& columns() {
    using exporting::CellSource;
    static const QList<exporting::FieldColumn> columns = [] {
        QList<exporting::FieldColumn> list = {
            {u"Entrata"_s, u"Tipo movimento"_s, 150, 150},
            {u"Data"_s, u"Data operazione"_s, 150, 180},
            {u"Causale"_s, u"Causale"_s, 300, 300},
            {u"Promemoria"_s, u"Promemoria"_s, 300, 300},
            {u"DataSca"_s, u"Data scadenza"_s, 150, 180},
            {u"Preavviso"_s, u"Giorni preavviso"_s, 120, 150},
            {u"Totale"_s, u"Importo in euro"_s, 150, 150},
            {u"Pagatore"_s, u"Pagatore"_s, 250, 250},
            {u"RecapitoPag"_s, u"Recapito"_s, 250, 250},
            {u"CodFisc"_s, u"Codice fiscale"_s, 200, 200},
            {u"PartitaIva"_s, u"Partita IVA"_s, 180, 180},
            {u"Categoria"_s, u"Categoria"_s, 250, 250},
            {u"Email"_s, u"E-mail"_s, 200, 250},
            {u"Pagamento"_s, u"Modalit\u00E0 pagamento"_s, 250, 250},
            {u"Beneficiario"_s, u"Beneficiario"_s, 250, 250},
            {u"RecapitoBen"_s, u"Recapito"_s, 250, 250},
            {u"Ricevuta"_s, u"CRO o Ricevuta n."_s, 250, 250},
            {u"Note"_s, u"Note"_s, 300, 300},
            {u"Tariffa"_s, u"Tariffa applicata"_s, 250, 250},
            {u"Saldato"_s, u"Saldato"_s, 100, 120},
        };
        list[0].shownAs = {{QString::fromUtf16(records::kYes), u"Entrata"_s},
                           {QString::fromUtf16(records::kNo), u"Uscita"_s}};
        return list;
    }();
    return columns;
}

QList<exporting::SheetColumn> sheetColumns() {
    return exporting::sheetColumns(columns());
}

QString kindText(const char* record) {
    const records::FieldSpec& entrata = fields().entrata;
    if (isYes(record, entrata)) return u"Entrata"_s;
    if (isNo(record, entrata)) return u"Uscita"_s;
    return {};
}

QStringList gridRow(const char* record, qsizetype number) {
    const QList<exporting::FieldColumn>& cells = columns();
    QStringList row;
    row.reserve(cells.size() + 1);
    row << QString::number(number);
    for (const exporting::FieldColumn& column : cells)
        row << exporting::fieldCell(column, records::movementLayout(), record);
    return row;
}

} // namespace tavolex::movements
