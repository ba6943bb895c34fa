#include "layouts.h"

namespace tavolex::records {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr FieldKind YesNo = FieldKind::YesNo;
constexpr FieldKind Text = FieldKind::Text;
} // namespace

const RecordLayout& clientLayout() {
    static const RecordLayout layout(
        u"Clienti.pro"_s, {{u"Cliente", 50},      {u"DataNasc", 30},    {u"ComuneNasc", 50},
                           {u"ProvNasc", 2},      {u"Sesso", 1},        {u"Recapito", 50},
                           {u"IndirizzoRes", 50}, {u"ProvRes", 2},      {u"ComuneRes", 50},
                           {u"CapRes", 5},        {u"Estremi", 250},    {u"TelCasa", 30},
                           {u"TelUff", 30},       {u"TelCel", 30},      {u"Fax", 30},
                           {u"Email", 50},        {u"CodFisc", 16},     {u"Carta", 30},
                           {u"ScadeCarta", 30},   {u"PartitaIva", 11},  {u"Iban", 27},
                           {u"Documento", 120},   {u"Occupazione", 50}, {u"Civile", 50},
                           {u"Titoli", 120},      {u"Prodotti", 120},   {u"Zona", 50},
                           {u"Questioni", 250},   {u"Note", 250},       {u"Ricontatta", 2, YesNo},
                           {u"File01", 250},      {u"File02", 250},     {u"File03", 250},
                           {u"Desc01", 250},      {u"Desc02", 250},     {u"Desc03", 250}},
        3372);
    return layout;
}

const RecordLayout& practiceLayout() {
    static const RecordLayout layout = [] {
        std::vector<FieldSpec> fields;
        auto add = [&fields](const char16_t* name, int capacity, FieldKind kind = Text) {
            fields.push_back({QString::fromUtf16(name), capacity, kind, 0});
        };
        add(u"Oggetto", 250);
        add(u"Tipologia", 50);
        add(u"Protocollo", 30);
        add(u"Apertura", 10);
        add(u"Chiusura", 10);
        add(u"Stato", 30);
        add(u"Documenti", 250);
        add(u"Uffici", 250);
        add(u"Consulente", 50);
        add(u"Cliente", 50);
        add(u"Recapito", 50);
        add(u"IndirizzoRes", 50);
        add(u"ComuneRes", 50);
        add(u"ProvRes", 2);
        add(u"CapRes", 5);
        add(u"CodFisc", 16);
        add(u"PartitaIva", 11);
        add(u"Saldati", 250);
        add(u"Sospesi", 250);
        add(u"Note", 250);
        add(u"Urgente", 2, YesNo);
        for (int i = 1; i <= 32; ++i)
            fields.push_back({u"Doc%1"_s.arg(i, 2, 10, QChar(u'0')), 50, Text, 0});
        add(u"File01", 250);
        add(u"File02", 250);
        add(u"File03", 250);
        add(u"Desc01", 250);
        add(u"Desc02", 250);
        add(u"Desc03", 250);
        return RecordLayout(u"Pratiche.pro"_s, std::move(fields), 5075);
    }();
    return layout;
}

const RecordLayout& protocolLayout() {
    static const RecordLayout layout(
        u".prt"_s, {{u"Numero", 16},        {u"Tipo", 20},          {u"DataReg", 10},
                    {u"Ufficio", 50},       {u"Operatore", 50},     {u"Categoria", 50},
                    {u"Collocazione", 120}, {u"Oggetto", 250},      {u"DataSpe", 10},
                    {u"DataRic", 10},       {u"Formato", 50},       {u"Pagine", 12},
                    {u"Riferimenti", 250},  {u"Note", 250},         {u"Mittente", 120},
                    {u"RecapitoMit", 120},  {u"Destinatario", 120}, {u"RecapitoDes", 120},
                    {u"Copia", 250},        {u"File01", 250},       {u"File02", 250},
                    {u"File03", 250},       {u"Desc01", 250},       {u"Desc02", 250},
                    {u"Desc03", 250}},
        3403);
    return layout;
}

const RecordLayout& deadlineLayout() {
    static const RecordLayout layout(u".sca"_s,
                                     {{u"Giorno", 2},
                                      {u"Mese", 10},
                                      {u"Anno", 4},
                                      {u"DataSca", 10},
                                      {u"Ore", 2},
                                      {u"Minuti", 2},
                                      {u"Ora", 5},
                                      {u"Preavviso", 3},
                                      {u"Cliente", 50},
                                      {u"CodFisc", 16},
                                      {u"Recapito", 50},
                                      {u"Oggetto", 250},
                                      {u"Tipologia", 50},
                                      {u"Protocollo", 30},
                                      {u"Apertura", 10},
                                      {u"Chiusura", 10},
                                      {u"Stato", 30},
                                      {u"Consulente", 50},
                                      {u"Causale", 250},
                                      {u"Pagamento", 150},
                                      {u"Importo", 15},
                                      {u"Ricevuta", 50},
                                      {u"Note", 250},
                                      {u"DaConfermare", 2, YesNo},
                                      {u"Effettuato", 2, YesNo}},
                                     1328);
    return layout;
}

const RecordLayout& movementLayout() {
    static const RecordLayout layout(
        u".eur"_s,
        {{u"Entrata", 2, YesNo}, {u"Uscita", 2, YesNo},  {u"Data", 10},        {u"Causale", 250},
         {u"Promemoria", 250},   {u"DataSca", 10},       {u"Preavviso", 3},    {u"Importo", 15},
         {u"Totale", 15},        {u"Pagatore", 50},      {u"RecapitoPag", 50}, {u"CodFisc", 16},
         {u"PartitaIva", 11},    {u"Categoria", 50},     {u"Email", 50},       {u"Pagamento", 250},
         {u"Beneficiario", 50},  {u"RecapitoBen", 50},   {u"Ricevuta", 250},   {u"Note", 250},
         {u"Tariffa", 250},      {u"Saldato", 2, YesNo}, {u"File01", 250},     {u"File02", 250},
         {u"File03", 250},       {u"Desc01", 250},       {u"Desc02", 250},     {u"Desc03", 250}},
        3414);
    return layout;
}

} // namespace tavolex::records
