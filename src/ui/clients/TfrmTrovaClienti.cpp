#include "TfrmTrovaClienti.h"

#include "records/layouts.h"
#include "records/store.h"
#include "search/clientlines.h"
#include "search/filters.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// In the order of search::clientSearchFields().
constexpr SearchFilter kFilters[] = {
    {u"txtCliente", u"Cognome e nome Cliente:"},
    {u"txtComuneRes", u"Comune di residenza:"},
    {u"txtPartitaIva", u"Partita IVA:"},
    {u"txtCodFisc", u"Codice fiscale:"},
    {u"txtDocumento", u"Estremi documento:"},
    {u"txtOccupazione", u"Occupazione:"},
    {u"txtProdotti", u"Prodotti e servizi di interesse:"},
    {u"txtZona", u"Zona di appartenenza:"},
    {u"txtQuestioni", u"Questioni in sospeso:"},
    {u"txtNote", u"Note:"},
};

SearchScreenDecl declaration() {
    SearchScreenDecl decl;
    decl.objectName = u"TfrmTrovaClienti"_s;
    decl.caption = u" Trova Clienti in archivio"_s;
    decl.reportTitle = u"Riepilogo Clienti"_s;
    decl.size = QSize(1000, 640);
    decl.filters = kFilters;
    decl.highlightFilters = true;
    decl.countPlace = SearchScreenDecl::CountPlace::AboveList;
    decl.resetOnShow = true;
    decl.callerTags = {u"clienti"_s, u"pratica"_s, u"movimenti_pagatore"_s,
                       u"movimenti_beneficiario"_s};
    return decl;
}

} // namespace

TfrmTrovaClienti::TfrmTrovaClienti(QWidget* parent) : SearchScreen(declaration(), parent) {}

std::optional<ChosenRecord> TfrmTrovaClienti::pick(QWidget* parent, const QString& tag) {
    return pickFrom<TfrmTrovaClienti>(parent, tag);
}

bool TfrmTrovaClienti::runSearch(const QStringList& filterTexts, lists::ListedLines* lines) {
    return search::listMatching(
        *records::programArchive(records::ArchiveKind::Clients),
        search::clientSearchFilter(filterTexts),
        [](const char* record) { return search::clientSearchLine(record); }, lines,
        [](const char* record) { return search::clientLineHead(record); });
}

std::optional<ChosenRecord> TfrmTrovaClienti::findEntry(const QString& line,
                                                        const lists::ListedRecord& listed) {
    return lastRecordWithLine(
        *records::programArchive(records::ArchiveKind::Clients),
        [](const char* record) { return search::clientSearchLine(record); }, line, listed);
}

} // namespace tavolex::ui
