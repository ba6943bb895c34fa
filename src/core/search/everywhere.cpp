#include "everywhere.h"

#include "files/regularfile.h"
#include "records/layouts.h"
#include "records/record.h"
#include "text/casing.h"
#include "text/folding.h"
#include "text/win1252.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstring>

namespace tavolex::search {

using namespace Qt::Literals::StringLiterals;

namespace {

struct FieldLabel {
    const char16_t* field;
    const char16_t* label;
};

// Labels as the cards show them; fields a card keeps hidden are named for what they hold.
const FieldLabel kClientLabels[] = {
    {u"Cliente", u"Cognome e nome o ragione sociale:"},
    {u"DataNasc", u"Data di nascita:"},
    {u"ComuneNasc", u"Comune di nascita:"},
    {u"ProvNasc", u"Prov."},
    {u"Sesso", u"Sesso:"},
    {u"Recapito", u"Recapito preferenziale:"},
    {u"IndirizzoRes", u"Residente in Via / Piazza e numero civico:"},
    {u"ProvRes", u"Prov."},
    {u"ComuneRes", u"Comune di residenza:"},
    {u"CapRes", u"CAP:"},
    {u"Estremi", u"Modalit\u00E0 di pagamento:"},
    {u"TelCasa", u"Tel. casa:"},
    {u"TelUff", u"Tel. ufficio:"},
    {u"TelCel", u"Tel. cellulare:"},
    {u"Fax", u"Fax:"},
    {u"Email", u"E-mail:"},
    {u"CodFisc", u"Codice fiscale:"},
    {u"Carta", u"Carta di credito n."},
    {u"ScadeCarta", u"Scadenza:"},
    {u"PartitaIva", u"Partita IVA:"},
    {u"Iban", u"IBAN:"},
    {u"Documento", u"Estremi documento:"},
    {u"Occupazione", u"Occupazione:"},
    {u"Civile", u"Stato civile:"},
    {u"Titoli", u"Titoli e qualifiche:"},
    {u"Prodotti", u"Prodotti o servizi di interesse:"},
    {u"Zona", u"Zona di appartenenza:"},
    {u"Questioni", u"Questioni in sospeso:"},
    {u"Note", u"Note:"},
};

const FieldLabel kProtocolLabels[] = {
    {u"Numero", u"N. protocollo:"},
    {u"Tipo", u"Tipo:"},
    {u"DataReg", u"Data registrazione:"},
    {u"Ufficio", u"Ufficio:"},
    {u"Operatore", u"Operatore:"},
    {u"Categoria", u"Categoria:"},
    {u"Collocazione", u"Collocazione documento cartaceo:"},
    {u"Oggetto", u"Oggetto:"},
    {u"DataSpe", u"Data spedizione:"},
    {u"DataRic", u"Data ricezione:"},
    {u"Formato", u"Formato:"},
    {u"Pagine", u"N. pagine:"},
    {u"Riferimenti", u"Riferimenti:"},
    {u"Note", u"Note:"},
    {u"Mittente", u"Mittente:"},
    {u"RecapitoMit", u"Recapito:"},
    {u"Destinatario", u"Destinatario:"},
    {u"RecapitoDes", u"Recapito:"},
    {u"Copia", u"Copia digitale documento:"},
};

const FieldLabel kPracticeLabels[] = {
    {u"Oggetto", u"Oggetto pratica:"},
    {u"Tipologia", u"Tipologia:"},
    {u"Protocollo", u"Protocollo n."},
    {u"Apertura", u"Data apertura:"},
    {u"Chiusura", u"Data chiusura:"},
    {u"Stato", u"Stato avanzamento:"},
    {u"Documenti", u"Documenti principali:"},
    {u"Uffici", u"Uffici interessati:"},
    {u"Consulente", u"Consulente o curatore:"},
    {u"Cliente", u"Cognome e nome o ragione sociale Cliente:"},
    {u"Recapito", u"Recapito preferenziale:"},
    {u"IndirizzoRes", u"Via / Piazza e numero civico:"},
    {u"ComuneRes", u"Comune di residenza:"},
    {u"ProvRes", u"Prov."},
    {u"CapRes", u"CAP:"},
    {u"CodFisc", u"Codice fiscale:"},
    {u"PartitaIva", u"Partita IVA:"},
    {u"Saldati", u"Pagamenti saldati:"},
    {u"Sospesi", u"Pagamenti da effettuare:"},
    {u"Note", u"Note:"},
};

const FieldLabel kDeadlineLabels[] = {
    {u"Giorno", u"Giorno:"},
    {u"Mese", u"Mese:"},
    {u"Anno", u"Anno:"},
    {u"DataSca", u"Data scadenza:"},
    {u"Ore", u"Ore:"},
    {u"Minuti", u"Minuti:"},
    {u"Ora", u"Ora:"},
    {u"Preavviso", u"Avvisa n."},
    {u"Cliente", u"Cognome e nome Cliente:"},
    {u"CodFisc", u"Codice fiscale:"},
    {u"Recapito", u"Recapito preferenziale:"},
    {u"Oggetto", u"Oggetto pratica:"},
    {u"Tipologia", u"Tipologia:"},
    {u"Protocollo", u"Protocollo n."},
    {u"Apertura", u"Data apertura:"},
    {u"Chiusura", u"Data chiusura:"},
    {u"Stato", u"Stato avanzamento:"},
    {u"Consulente", u"Consulente o curatore:"},
    {u"Causale", u"Causale scadenza:"},
    {u"Pagamento", u"Modalit\u00E0 di pagamento:"},
    {u"Importo", u"Importo in euro:"},
    {u"Ricevuta", u"Estremi ricevuta:"},
    {u"Note", u"Note:"},
};

const FieldLabel kMovementLabels[] = {
    {u"Data", u"Data operazione:"},
    {u"Causale", u"Causale:"},
    {u"Promemoria", u"Promemoria:"},
    {u"DataSca", u"Data scadenza:"},
    {u"Preavviso", u"Avvisa n."},
    {u"Importo", u"Importo in entrata: \u20AC"}, // "in uscita" for an expense
    {u"Totale", u"Importo con segno:"},
    {u"Pagatore", u"Pagatore:"},
    {u"RecapitoPag", u"Recapito:"},
    {u"CodFisc", u"Codice fiscale:"},
    {u"PartitaIva", u"Partita IVA:"},
    {u"Categoria", u"Categoria:"},
    {u"Email", u"E-mail:"},
    {u"Pagamento", u"Modalit\u00E0 pagamento:"},
    {u"Beneficiario", u"Beneficiario:"},
    {u"RecapitoBen", u"Recapito:"},
    {u"Ricevuta", u"CRO / Ricevuta n."},
    {u"Note", u"Note:"},
    {u"Tariffa", u"Tariffa applicata:"},
};

template <std::size_t N>
QStringList labelsFor(const records::RecordLayout& layout, const FieldLabel (&table)[N]) {
    QHash<QString, QString> byName;
    for (const FieldLabel& entry : table)
        byName.insert(QString::fromUtf16(entry.field), QString::fromUtf16(entry.label));
    QStringList labels;
    for (const records::FieldSpec& field : layout.fields()) {
        QString label;
        if (field.kind == records::FieldKind::Text) {
            label = byName.value(field.name);
            static const QRegularExpression attached(u"^(File|Desc|Doc)(\\d\\d)$"_s);
            const auto match = attached.match(field.name);
            if (label.isEmpty() && match.hasMatch()) {
                const int n = match.captured(2).toInt();
                const QString what = match.captured(1);
                label = what == u"File"_s   ? u"Allegato %1:"_s.arg(n)
                        : what == u"Desc"_s ? u"Descrizione allegato %1:"_s.arg(n)
                                            : u"Documento %1:"_s.arg(n);
            }
            if (label.isEmpty()) label = field.name + u':';
        }
        labels.append(label);
    }
    return labels;
}

const QStringList& labelsOf(ArchiveKind kind) {
    // In the catalogue's order.
    static const std::array<QStringList, 5> labels = {
        labelsFor(records::clientLayout(), kClientLabels),
        labelsFor(records::protocolLayout(), kProtocolLabels),
        labelsFor(records::practiceLayout(), kPracticeLabels),
        labelsFor(records::deadlineLayout(), kDeadlineLabels),
        labelsFor(records::movementLayout(), kMovementLabels),
    };
    return labels[std::size_t(kind)];
}

// The stored bytes of a field: its length byte, then the text.
struct TextField {
    int offset;
    int capacity;
    int index;
    bool searched;
};

std::vector<TextField> fieldsOf(ArchiveKind kind) {
    const records::RecordLayout& layout = layoutOf(kind);
    std::vector<TextField> fields;
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const records::FieldSpec& spec = layout.field(i);
        fields.push_back({spec.offset, spec.capacity, i, spec.kind == records::FieldKind::Text});
    }
    return fields;
}

} // namespace

QString archiveTitle(ArchiveKind kind) {
    return QString::fromUtf16(records::archiveEntry(kind).title);
}

const records::RecordLayout& layoutOf(ArchiveKind kind) {
    return records::archiveEntry(kind).layout();
}

QString fieldLabel(ArchiveKind kind, int index, const char* record) {
    // The movement card names its amount after the movement's type.
    if (record && kind == ArchiveKind::Movements) {
        const records::RecordLayout& layout = records::movementLayout();
        static const int amount = layout.indexOf(u"Importo");
        if (index == amount && records::isYes(record, layout.field(u"Uscita")))
            return u"Importo in uscita: \u20AC"_s;
    }
    return labelsOf(kind).value(index);
}

QList<records::ArchiveId> archivesIn(const records::ArchiveStore& store) {
    QList<records::ArchiveId> found;
    for (const records::ArchiveEntry& entry : records::archiveCatalogue()) {
        if (!entry.isYearly()) {
            const records::ArchiveId id = records::archiveId(entry.kind);
            if (store.archive(id)->exists()) found.append(id);
            continue;
        }
        for (const int year : store.years(entry))
            found.append(records::archiveId(entry.kind, year));
    }
    return found;
}

FoldedText::FoldedText(const QString& text) {
    const QString trimmed = text::trimmed(text);
    m_possible = text::isEncodable1252(trimmed);
    m_bytes = text::folded(text::encode1252(trimmed));
}

qsizetype FoldedText::findIn(const char* data, qsizetype size) const {
    const qsizetype n = m_bytes.size();
    if (!m_possible || n == 0 || size < n) return -1;
    const auto& table = text::foldTable();
    const auto* hay = reinterpret_cast<const unsigned char*>(data);
    const auto* needle = reinterpret_cast<const unsigned char*>(m_bytes.constData());
    const unsigned char first = needle[0];
    for (qsizetype i = 0, last = size - n; i <= last; ++i) {
        if (table[hay[i]] != first) continue;
        qsizetype j = 1;
        while (j < n && table[hay[i + j]] == needle[j])
            ++j;
        if (j == n) return i;
    }
    return -1;
}

QString hitContext(QByteArrayView field, qsizetype at, qsizetype length, int width) {
    // One Windows-1252 byte is one character, so byte and character positions agree.
    const QString whole = text::decode1252(field.data(), field.size());
    const QString trimmed = text::trimmed(whole);
    if (trimmed.size() <= width) return trimmed;
    const qsizetype before = std::max<qsizetype>(0, (width - length) / 3);
    qsizetype start = std::max<qsizetype>(0, at - before);
    const qsizetype end =
        std::min<qsizetype>(whole.size(), start + std::max<qsizetype>(width, length));
    start = std::max<qsizetype>(0, std::min(start, end - width));
    QString shown = text::trimmed(whole.mid(start, end - start));
    if (!text::trimmed(whole.left(start)).isEmpty()) shown.prepend(u'\u2026');
    if (!text::trimmed(whole.mid(end)).isEmpty()) shown.append(u'\u2026');
    return shown;
}

ArchiveScan scanArchive(const records::ArchiveStore& store, records::ArchiveId id,
                        const FoldedText& text, const std::atomic<bool>* cancel,
                        const std::function<void(Hit&&)>& onHit) {
    ArchiveScan result;
    const ArchiveKind kind = id.entry->kind;
    const std::vector<TextField> fields = fieldsOf(kind);
    const bool searching = text.isPossible() && !text.isEmpty();
    const std::unique_ptr<records::Archive> archive = store.archive(id);
    const auto visitBlock = [&](const records::RecordBlock& block) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            result.cancelled = true;
            return false;
        }
        for (qint64 i = 0; i < block.count; ++i) {
            const char* record = block.record(i);
            ++result.records;
            bool damaged = false;
            for (const TextField& field : fields)
                if (static_cast<unsigned char>(record[field.offset]) > field.capacity) {
                    damaged = true;
                    break;
                }
            if (damaged) {
                ++result.damaged;
                continue;
            }
            if (!searching) continue;
            for (const TextField& field : fields) {
                if (!field.searched) continue;
                const char* stored = record + field.offset + 1;
                const int length = static_cast<unsigned char>(record[field.offset]);
                const qsizetype at = text.findIn(stored, length);
                if (at < 0) continue;
                ++result.hits;
                if (onHit)
                    onHit({kind, id.year.toInt(), block.number(i), field.index,
                           fieldLabel(kind, field.index, record),
                           hitContext(QByteArrayView(stored, length), at, text.bytes().size())});
                break;
            }
        }
        return true;
    };
    // A name the store lists but that holds no archive it can read (a folder, a pipe in its
    // place) is unreadable, never an empty archive.
    if (!archive->exists() || !archive->scan(visitBlock)) {
        result.readable = false;
        return result;
    }
    if (!result.cancelled && archive->endsTorn()) ++result.damaged;
    return result;
}

} // namespace tavolex::search
