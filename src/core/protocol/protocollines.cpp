#include "protocollines.h"

#include "dates/datetext.h"
#include "lists/listline.h"
#include "records/layouts.h"
#include "records/record.h"

namespace tavolex::protocol {

using namespace Qt::Literals::StringLiterals;

QString searchLine(const char* record) {
    static const records::FieldSpec& numero = records::protocolLayout().field(u"Numero");
    static const records::FieldSpec& dataReg = records::protocolLayout().field(u"DataReg");
    static const records::FieldSpec& tipo = records::protocolLayout().field(u"Tipo");
    static const records::FieldSpec& oggetto = records::protocolLayout().field(u"Oggetto");
    static const records::FieldSpec& mittente = records::protocolLayout().field(u"Mittente");
    static const records::FieldSpec& destinatario =
        records::protocolLayout().field(u"Destinatario");
    QString line;
    line.reserve(180);
    lists::appendFieldColumn(line, u"Prot. n. ", record, numero, 14);
    lists::appendFieldColumn(line, u"  Data: ", record, dataReg, 10);
    lists::appendFieldColumn(line, u"  Posta: ", record, tipo, 10);
    lists::appendFieldColumn(line, u"  ", record, oggetto, 35);
    lists::appendFieldColumn(line, u"  Da: ", record, mittente, 24);
    lists::appendFieldColumn(line, u"  A: ", record, destinatario, -1);
    return line;
}

QString searchLineHead(const char* record) {
    static const records::FieldSpec& numero = records::protocolLayout().field(u"Numero");
    return lists::lineHead(u"Prot. n. "_s, records::readField(record, numero), 14);
}

const QStringList& searchFields() {
    static const QStringList names = {
        u"Numero"_s,  u"Tipo"_s,     u"DataReg"_s,      u"Operatore"_s,   u"Categoria"_s,
        u"Oggetto"_s, u"Mittente"_s, u"Destinatario"_s, u"Riferimenti"_s, u"Note"_s};
    return names;
}

search::RecordFilter searchFilter(const QStringList& filterTexts) {
    return search::filterOver(records::protocolLayout(), searchFields(), filterTexts);
}

const QList<exporting::FieldColumn>& columns() {
    static const QList<exporting::FieldColumn> list = {
        {u"Numero"_s, u"N. protocollo"_s, 180, 200},
        {u"Tipo"_s, u"Tipologia posta"_s, 250, 250},
        {u"DataReg"_s, u"Data registrazione"_s, 150, 200},
        {u"Ufficio"_s, u"Ufficio"_s, 250, 250},
        {u"Operatore"_s, u"Operatore"_s, 250, 250},
        {u"Categoria"_s, u"Categoria"_s, 250, 250},
        {u"Collocazione"_s, u"Collocazione documento cartaceo"_s, 300, 300},
        {u"Oggetto"_s, u"Oggetto"_s, 300, 300},
        {u"DataSpe"_s, u"Data spedizione"_s, 180, 200},
        {u"DataRic"_s, u"Data ricezione"_s, 180, 200},
        {u"Formato"_s, u"Formato"_s, 250, 250},
        {u"Pagine"_s, u"N. pagine"_s, 180, 200},
        {u"Riferimenti"_s, u"Riferimenti"_s, 300, 300},
        {u"Note"_s, u"Note"_s, 350, 300},
        {u"Mittente"_s, u"Mittente"_s, 250, 250},
        {u"RecapitoMit"_s, u"Recapito mittente"_s, 250, 250},
        {u"Destinatario"_s, u"Destinatario"_s, 250, 250},
        {u"RecapitoDes"_s, u"Recapito destinatario"_s, 250, 250},
    };
    return list;
}

QList<exporting::SheetColumn> sheetColumns() {
    return exporting::sheetColumns(columns());
}

std::optional<QDate> parseDate(const QString& text) {
    return dates::parseDate(text);
}

IntervalVerdict checkInterval(const QString& startText, const QString& endText) {
    return dates::checkInterval(startText, endText);
}

} // namespace tavolex::protocol
