#include "clientlines.h"

#include "lists/listline.h"
#include "records/layouts.h"
#include "records/record.h"

#include <algorithm>

namespace tavolex::search {

using namespace Qt::Literals::StringLiterals;

namespace {

struct ClientFields {
    const records::FieldSpec& cliente;
    const records::FieldSpec& recapito;
    const records::FieldSpec& occupazione;
    const records::FieldSpec& prodotti;
    const records::FieldSpec& note;
    const records::FieldSpec& questioni;
    const records::FieldSpec& ricontatta;
};

const ClientFields& fields() {
    static const ClientFields f = [] {
        const records::RecordLayout& l = records::clientLayout();
        auto spec = [&l](const char16_t* name) -> const records::FieldSpec& {
            return l.field(QStringView(name));
        };
        return ClientFields{spec(u"Cliente"),   spec(u"Recapito"), spec(u"Occupazione"),
                            spec(u"Prodotti"),  spec(u"Note"),     spec(u"Questioni"),
                            spec(u"Ricontatta")};
    }();
    return f;
}

QString clientLine(const char* record, const records::FieldSpec& last) {
    const ClientFields& f = fields();
    QString line;
    line.reserve(26 + 7 + 15 + 2 + 25 + 8 + 30 + 2 + last.capacity);
    lists::appendFieldColumn(line, {}, record, f.cliente, 26);
    lists::appendFieldColumn(line, u"  Tel. ", record, f.recapito, 15);
    lists::appendFieldColumn(line, u"  ", record, f.occupazione, 25);
    lists::appendFieldColumn(line, u"  Prod. ", record, f.prodotti, 30);
    lists::appendFieldColumn(line, u"  ", record, last, -1);
    return line;
}

} // namespace

QString clientSearchLine(const char* record) {
    return clientLine(record, fields().note);
}

QString clientRecontactLine(const char* record) {
    return clientLine(record, fields().questioni);
}

QString clientLineHead(const char* record) {
    return lists::lineHead({}, records::readField(record, fields().cliente), 26);
}

QString clientSearchLine(const records::Record& record) {
    return clientSearchLine(record.bytes().constData());
}

QString clientRecontactLine(const records::Record& record) {
    return clientRecontactLine(record.bytes().constData());
}

bool isToRecontact(const char* record) {
    return records::isYes(record, fields().ricontatta);
}

const QStringList& clientSearchFields() {
    static const QStringList names = {
        u"Cliente"_s,     u"ComuneRes"_s, u"PartitaIva"_s, u"CodFisc"_s,   u"Documento"_s,
        u"Occupazione"_s, u"Prodotti"_s,  u"Zona"_s,       u"Questioni"_s, u"Note"_s};
    return names;
}

RecordFilter clientSearchFilter(const QStringList& filterTexts) {
    return filterOver(records::clientLayout(), clientSearchFields(), filterTexts);
}

} // namespace tavolex::search
