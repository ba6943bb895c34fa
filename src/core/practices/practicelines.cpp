#include "practicelines.h"

#include "lists/listline.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/store.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>

namespace tavolex::practices {

using namespace Qt::Literals::StringLiterals;

QString practiceLine(const char* record) {
    static const records::FieldSpec& oggetto = records::practiceLayout().field(u"Oggetto");
    static const records::FieldSpec& protocollo = records::practiceLayout().field(u"Protocollo");
    static const records::FieldSpec& apertura = records::practiceLayout().field(u"Apertura");
    static const records::FieldSpec& cliente = records::practiceLayout().field(u"Cliente");
    static const records::FieldSpec& recapito = records::practiceLayout().field(u"Recapito");
    static const records::FieldSpec& stato = records::practiceLayout().field(u"Stato");
    QString line;
    line.reserve(160);
    lists::appendFieldColumn(line, {}, record, oggetto, 42);
    lists::appendFieldColumn(line, u"  Prot. ", record, protocollo, 16);
    lists::appendFieldColumn(line, u"  Data: ", record, apertura, 10);
    lists::appendFieldColumn(line, u"  ", record, cliente, 28);
    lists::appendFieldColumn(line, u"  Tel. ", record, recapito, 14);
    lists::appendFieldColumn(line, u"  ", record, stato, -1);
    return line;
}

QString practiceLineHead(const char* record) {
    static const records::FieldSpec& oggetto = records::practiceLayout().field(u"Oggetto");
    return lists::lineHead({}, records::readField(record, oggetto), 42);
}

bool isUrgent(const char* record) {
    static const records::FieldSpec& urgente = records::practiceLayout().field(u"Urgente");
    return records::isYes(record, urgente);
}

const QStringList& searchFields() {
    static const QStringList names = {
        u"Oggetto"_s,   u"Tipologia"_s, u"Protocollo"_s, u"Apertura"_s,   u"Stato"_s,
        u"Documenti"_s, u"Cliente"_s,   u"CodFisc"_s,    u"Consulente"_s, u"Note"_s};
    return names;
}

search::RecordFilter searchFilter(const QStringList& filterTexts) {
    return search::filterOver(records::practiceLayout(), searchFields(), filterTexts);
}

bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines) {
    return search::listMatching(archive, searchFilter(filterTexts), practiceLine, lines,
                                practiceLineHead);
}

bool urgentLines(const records::Archive& archive, lists::ListedLines* lines) {
    return lists::listWithRecords(archive, isUrgent, practiceLine, lists::Behind::Listed, lines);
}

bool findByLine(const records::Archive& archive, const QString& line, Among among,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed) {
    // Only records that are on the list can be behind one of its lines.
    const auto lineOf = [among](const char* record) {
        return among == Among::Urgent && !isUrgent(record) ? QString() : practiceLine(record);
    };
    return lists::findLastWithLine(archive, lineOf, line, found, listed);
}

const QList<exporting::FieldColumn>& columns() {
    static const QList<exporting::FieldColumn> columns = {
        {u"Oggetto"_s, u"Oggetto pratica"_s, 300, 400},
        {u"Tipologia"_s, u"Tipologia"_s, 200, 250},
        {u"Protocollo"_s, u"Protocollo n."_s, 150, 200},
        {u"Apertura"_s, u"Data apertura"_s, 100, 200},
        {u"Chiusura"_s, u"Data chiusura"_s, 100, 200},
        {u"Stato"_s, u"Stato avanzamento"_s, 200, 250},
        {u"Documenti"_s, u"Documenti principali"_s, 300, 400},
        {u"Uffici"_s, u"Uffici interessati"_s, 300, 400},
        {u"Consulente"_s, u"Consulente o curatore"_s, 250, 250},
        {u"Cliente"_s, u"Cliente"_s, 250, 250},
        {u"Recapito"_s, u"Recapito preferenziale"_s, 200, 250},
        {u"IndirizzoRes"_s, u"Via e numero civico"_s, 250, 250},
        {u"ComuneRes"_s, u"Comune di residenza"_s, 250, 250},
        {u"ProvRes"_s, u"Prov."_s, 100, 120},
        {u"CapRes"_s, u"CAP"_s, 100, 120},
        {u"CodFisc"_s, u"Codice fiscale"_s, 150, 250},
        {u"PartitaIva"_s, u"Partita IVA"_s, 150, 200},
        {u"Saldati"_s, u"Pagamenti saldati"_s, 300, 400},
        {u"Sospesi"_s, u"Pagamenti da effettuare"_s, 300, 400},
        {u"Note"_s, u"Note"_s, 350, 400},
    };
    return columns;
}

QString folderOf(const QString& position) {
    return programPath(u"Pratica_"_s + position.trimmed());
}

bool makeFolder(const QString& path) {
    if (QFileInfo(path).isDir()) return true;
    return QDir().mkpath(path);
}

} // namespace tavolex::practices
