#include "layouts.h"

namespace tavolex::records {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr FieldKind YesNo = FieldKind::YesNo;
constexpr FieldKind Text = FieldKind::Text;

// The three attached files and their descriptions, the last fields of every card that has
// attachments.
void appendAttachments(std::vector<FieldSpec>& fields) {
    for (const auto& [name, caption] : {std::pair{u"File%1"_s, u"Allegato %1:"_s},
                                        std::pair{u"Desc%1"_s, u"Descrizione allegato %1:"_s}})
        for (int i = 1; i <= 3; ++i)
            fields.push_back({name.arg(i, 2, 10, QChar(u'0')), 250, Text, 0, caption.arg(i)});
}

// A record's own fields followed by the attachments.
std::vector<FieldSpec> withAttachments(std::initializer_list<FieldDecl> own) {
    std::vector<FieldSpec> fields;
    for (const FieldDecl& decl : own)
        fields.push_back({QString::fromUtf16(decl.name), decl.capacity, decl.kind, 0,
                          decl.caption ? QString::fromUtf16(decl.caption) : QString()});
    appendAttachments(fields);
    return fields;
}
} // namespace

const RecordLayout& clientLayout() {
    static const RecordLayout layout(
        u"Clienti"_s,
        withAttachments({
            {u"Cliente", 50, Text, u"Cognome e nome o ragione sociale:"},
            {u"DataNasc", 30, Text, u"Data di nascita:"},
            {u"ComuneNasc", 50, Text, u"Comune di nascita:"},
            {u"ProvNasc", 2, Text, u"Prov."},
            {u"Sesso", 1, Text, u"Sesso:"},
            {u"Recapito", 50, Text, u"Recapito preferenziale:"},
            {u"IndirizzoRes", 50, Text, u"Residente in Via / Piazza e numero civico:"},
            {u"ProvRes", 2, Text, u"Prov."},
            {u"ComuneRes", 50, Text, u"Comune di residenza:"},
            {u"CapRes", 5, Text, u"CAP:"},
            {u"Estremi", 250, Text, u"Modalit\u00E0 di pagamento:"},
            {u"TelCasa", 30, Text, u"Tel. casa:"},
            {u"TelUff", 30, Text, u"Tel. ufficio:"},
            {u"TelCel", 30, Text, u"Tel. cellulare:"},
            {u"Fax", 30, Text, u"Fax:"},
            {u"Email", 50, Text, u"E-mail:"},
            {u"CodFisc", 16, Text, u"Codice fiscale:"},
            {u"Carta", 30, Text, u"Carta di credito n."},
            {u"ScadeCarta", 30, Text, u"Scadenza:"},
            {u"PartitaIva", 11, Text, u"Partita IVA:"},
            {u"Iban", 27, Text, u"IBAN:"},
            {u"Documento", 120, Text, u"Estremi documento:"},
            {u"Occupazione", 50, Text, u"Occupazione:"},
            {u"Civile", 50, Text, u"Stato civile:"},
            {u"Titoli", 120, Text, u"Titoli e qualifiche:"},
            {u"Prodotti", 120, Text, u"Prodotti o servizi di interesse:"},
            {u"Zona", 50, Text, u"Zona di appartenenza:"},
            {u"Questioni", 250, Text, u"Questioni in sospeso:"},
            {u"Note", 250, Text, u"Note:"},
            {u"Ricontatta", 2, YesNo},
        }),
        3372);
    return layout;
}

const RecordLayout& practiceLayout() {
    static const RecordLayout layout = [] {
        std::vector<FieldSpec> fields;
        const auto add = [&fields](const char16_t* name, int capacity, FieldKind kind,
                                   const char16_t* caption = nullptr) {
            fields.push_back({QString::fromUtf16(name), capacity, kind, 0,
                              caption ? QString::fromUtf16(caption) : QString()});
        };
        add(u"Oggetto", 250, Text, u"Oggetto pratica:");
        add(u"Tipologia", 50, Text, u"Tipologia:");
        add(u"Protocollo", 30, Text, u"Protocollo n.");
        add(u"Apertura", 10, Text, u"Data apertura:");
        add(u"Chiusura", 10, Text, u"Data chiusura:");
        add(u"Stato", 30, Text, u"Stato avanzamento:");
        add(u"Documenti", 250, Text, u"Documenti principali:");
        add(u"Uffici", 250, Text, u"Uffici interessati:");
        add(u"Consulente", 50, Text, u"Consulente o curatore:");
        add(u"Cliente", 50, Text, u"Cognome e nome o ragione sociale Cliente:");
        add(u"Recapito", 50, Text, u"Recapito preferenziale:");
        add(u"IndirizzoRes", 50, Text, u"Via / Piazza e numero civico:");
        add(u"ComuneRes", 50, Text, u"Comune di residenza:");
        add(u"ProvRes", 2, Text, u"Prov.");
        add(u"CapRes", 5, Text, u"CAP:");
        add(u"CodFisc", 16, Text, u"Codice fiscale:");
        add(u"PartitaIva", 11, Text, u"Partita IVA:");
        add(u"Saldati", 250, Text, u"Pagamenti saldati:");
        add(u"Sospesi", 250, Text, u"Pagamenti da effettuare:");
        add(u"Note", 250, Text, u"Note:");
        add(u"Urgente", 2, YesNo);
        for (int i = 1; i <= 32; ++i)
            fields.push_back(
                {u"Doc%1"_s.arg(i, 2, 10, QChar(u'0')), 50, Text, 0, u"Documento %1:"_s.arg(i)});
        appendAttachments(fields);
        return RecordLayout(u"Pratiche"_s, std::move(fields), 5075);
    }();
    return layout;
}

const RecordLayout& protocolLayout() {
    static const RecordLayout layout(
        u"Protocollo"_s,
        withAttachments({
            {u"Numero", 16, Text, u"N. protocollo:"},
            {u"Tipo", 20, Text, u"Tipo:"},
            {u"DataReg", 10, Text, u"Data registrazione:"},
            {u"Ufficio", 50, Text, u"Ufficio:"},
            {u"Operatore", 50, Text, u"Operatore:"},
            {u"Categoria", 50, Text, u"Categoria:"},
            {u"Collocazione", 120, Text, u"Collocazione documento cartaceo:"},
            {u"Oggetto", 250, Text, u"Oggetto:"},
            {u"DataSpe", 10, Text, u"Data spedizione:"},
            {u"DataRic", 10, Text, u"Data ricezione:"},
            {u"Formato", 50, Text, u"Formato:"},
            {u"Pagine", 12, Text, u"N. pagine:"},
            {u"Riferimenti", 250, Text, u"Riferimenti:"},
            {u"Note", 250, Text, u"Note:"},
            {u"Mittente", 120, Text, u"Mittente:"},
            {u"RecapitoMit", 120, Text, u"Recapito:"},
            {u"Destinatario", 120, Text, u"Destinatario:"},
            {u"RecapitoDes", 120, Text, u"Recapito:"},
            {u"Copia", 250, Text, u"Copia digitale documento:"},
        }),
        3403);
    return layout;
}

const RecordLayout& deadlineLayout() {
    static const RecordLayout layout(u"Scadenze"_s,
                                     {
                                         {u"Giorno", 2, Text, u"Giorno:"},
                                         {u"Mese", 10, Text, u"Mese:"},
                                         {u"Anno", 4, Text, u"Anno:"},
                                         {u"DataSca", 10, Text, u"Data scadenza:"},
                                         {u"Ore", 2, Text, u"Ore:"},
                                         {u"Minuti", 2, Text, u"Minuti:"},
                                         {u"Ora", 5, Text, u"Ora:"},
                                         {u"Preavviso", 3, Text, u"Avvisa n."},
                                         {u"Cliente", 50, Text, u"Cognome e nome Cliente:"},
                                         {u"CodFisc", 16, Text, u"Codice fiscale:"},
                                         {u"Recapito", 50, Text, u"Recapito preferenziale:"},
                                         {u"Oggetto", 250, Text, u"Oggetto pratica:"},
                                         {u"Tipologia", 50, Text, u"Tipologia:"},
                                         {u"Protocollo", 30, Text, u"Protocollo n."},
                                         {u"Apertura", 10, Text, u"Data apertura:"},
                                         {u"Chiusura", 10, Text, u"Data chiusura:"},
                                         {u"Stato", 30, Text, u"Stato avanzamento:"},
                                         {u"Consulente", 50, Text, u"Consulente o curatore:"},
                                         {u"Causale", 250, Text, u"Causale scadenza:"},
                                         {u"Pagamento", 150, Text, u"Modalit\u00E0 di pagamento:"},
                                         {u"Importo", 15, Text, u"Importo in euro:"},
                                         {u"Ricevuta", 50, Text, u"Estremi ricevuta:"},
                                         {u"Note", 250, Text, u"Note:"},
                                         {u"DaConfermare", 2, YesNo},
                                         {u"Effettuato", 2, YesNo},
                                     },
                                     1328);
    return layout;
}

const RecordLayout& movementLayout() {
    static const RecordLayout layout(u"Movimenti"_s,
                                     withAttachments({
                                         {u"Entrata", 2, YesNo},
                                         {u"Uscita", 2, YesNo},
                                         {u"Data", 10, Text, u"Data operazione:"},
                                         {u"Causale", 250, Text, u"Causale:"},
                                         {u"Promemoria", 250, Text, u"Promemoria:"},
                                         {u"DataSca", 10, Text, u"Data scadenza:"},
                                         {u"Preavviso", 3, Text, u"Avvisa n."},
                                         {u"Importo", 15, Text, u"Importo in entrata: \u20AC"},
                                         {u"Totale", 15, Text, u"Importo con segno:"},
                                         {u"Pagatore", 50, Text, u"Pagatore:"},
                                         {u"RecapitoPag", 50, Text, u"Recapito:"},
                                         {u"CodFisc", 16, Text, u"Codice fiscale:"},
                                         {u"PartitaIva", 11, Text, u"Partita IVA:"},
                                         {u"Categoria", 50, Text, u"Categoria:"},
                                         {u"Email", 50, Text, u"E-mail:"},
                                         {u"Pagamento", 250, Text, u"Modalit\u00E0 pagamento:"},
                                         {u"Beneficiario", 50, Text, u"Beneficiario:"},
                                         {u"RecapitoBen", 50, Text, u"Recapito:"},
                                         {u"Ricevuta", 250, Text, u"CRO / Ricevuta n."},
                                         {u"Note", 250, Text, u"Note:"},
                                         {u"Tariffa", 250, Text, u"Tariffa applicata:"},
                                         {u"Saldato", 2, YesNo},
                                     }),
                                     3414);
    return layout;
}

} // namespace tavolex::records
