#include "TfrmExpClienti.h"

#include "core/programfolder.h"
#include "export/spreadsheet.h"
#include "help/helptexts.h"
#include "records/layouts.h"
#include "records/recordfile.h"
#include "text/win1252.h"
#include "ui/common/artwork.h"
#include "ui/common/behaviour.h"
#include "ui/common/listscreen.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/recordcard.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <vector>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// The record fields the grid shows, in the order they are kept per row.
constexpr std::array<const char16_t*, 27> kKeptFields = {
    u"Cliente",   u"DataNasc",  u"ComuneNasc",  u"ProvNasc",   u"Recapito", u"IndirizzoRes",
    u"ComuneRes", u"ProvRes",   u"Estremi",     u"TelCasa",    u"TelUff",   u"TelCel",
    u"Fax",       u"Email",     u"CodFisc",     u"PartitaIva", u"Carta",    u"ScadeCarta",
    u"Iban",      u"Documento", u"Occupazione", u"Civile",     u"Titoli",   u"Prodotti",
    u"Zona",      u"Questioni", u"Note"};

struct GridColumn {
    const char16_t* heading;
    int width;
    int first;       // kept field shown in the column (-1: the row number)
    int second = -1; // kept field joined with a blank, or -1
};

constexpr GridColumn kColumns[TfrmExpClienti::kColumnCount] = {
    {u"N.", 60, -1},
    {u"Cognome e nome Cliente", 250, 0},
    {u"Data di nascita", 120, 1},
    {u"Comune / Stato estero di nascita", 250, 2, 3},
    {u"Recapito preferenziale", 200, 4},
    {u"Indirizzo di residenza", 250, 5},
    {u"Comune di residenza", 250, 6, 7},
    {u"Modalit\u00E0 di pagamento", 250, 8},
    {u"Tel. casa", 200, 9},
    {u"Tel. ufficio", 200, 10},
    {u"Tel. cellulare", 200, 11},
    {u"Fax", 200, 12},
    {u"E-mail", 250, 13},
    {u"Codice fiscale", 150, 14},
    {u"Partita IVA", 150, 15},
    {u"Carta di credito n.", 250, 16},
    {u"Scadenza", 160, 17},
    {u"IBAN", 250, 18},
    {u"Estremi documento", 280, 19},
    {u"Occupazione", 250, 20},
    {u"Stato civile", 250, 21},
    {u"Titoli e qualifiche", 280, 22},
    {u"Prodotti e servizi di interesse", 300, 23},
    {u"Zona di appartenenza", 250, 24},
    {u"Questioni in sospeso", 300, 25},
    {u"Note", 350, 26},
};

constexpr int kRowHeight = 21;

} // namespace

// Per row, the trimmed Windows-1252 bytes of the kept fields, one after another in a
// single buffer; a cell is decoded only when it is asked for.
class ClientGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void fill(const QString& path) {
        struct Spec {
            int offset, capacity;
        };
        std::array<Spec, kKeptFields.size()> specs{};
        const records::RecordLayout& layout = records::clientLayout();
        for (size_t i = 0; i < kKeptFields.size(); ++i) {
            const records::FieldSpec& f = layout.field(layout.indexOf(QStringView(kKeptFields[i])));
            specs[i] = {f.offset, f.capacity};
        }
        std::vector<char> text;
        std::vector<Row> rows;
        // A failing read keeps the rows read so far, without a message.
        records::RecordFile::scan(path, layout.recordSize(), [&](qint64, const char* record) {
            Row row;
            row.start = qint64(text.size());
            for (size_t i = 0; i < specs.size(); ++i) {
                const auto* field =
                    reinterpret_cast<const unsigned char*>(record + specs[i].offset);
                const unsigned char* begin = field + 1;
                const unsigned char* end = begin + std::min<int>(field[0], specs[i].capacity);
                // Trimmed like every stored text: blanks and control characters at both ends.
                while (begin < end && *begin <= 32)
                    ++begin;
                while (end > begin && end[-1] <= 32)
                    --end;
                text.insert(text.end(), begin, end);
                row.lengths[i] = quint8(end - begin);
            }
            rows.push_back(row);
            return true;
        });
        beginResetModel();
        m_text = std::move(text);
        m_rows = std::move(rows);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : TfrmExpClienti::kColumnCount;
    }

    QString cell(int row, int column) const {
        if (row < 0 || row >= int(m_rows.size()) || column < 0 ||
            column >= TfrmExpClienti::kColumnCount)
            return {};
        const GridColumn& c = kColumns[column];
        if (c.first < 0) return QString::number(row + 1);
        if (c.second < 0) return kept(row, c.first);
        return kept(row, c.first) + u' ' + kept(row, c.second);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && index.isValid()) return cell(index.row(), index.column());
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 &&
            section < TfrmExpClienti::kColumnCount)
            return QString::fromUtf16(kColumns[section].heading);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    struct Row {
        qint64 start = 0;
        std::array<quint8, kKeptFields.size()> lengths{}; // no field holds more than 250 characters
    };

    QString kept(int row, int field) const {
        const Row& r = m_rows[size_t(row)];
        qint64 at = r.start;
        for (int i = 0; i < field; ++i)
            at += r.lengths[size_t(i)];
        return text::decode1252(m_text.data() + at, r.lengths[size_t(field)]);
    }

    std::vector<char> m_text;
    std::vector<Row> m_rows;
};

TfrmExpClienti::TfrmExpClienti(QWidget* parent)
    : QDialog(parent), m_model(new ClientGridModel(this)), m_behaviour(new ScreenBehaviour(this)) {
    setObjectName(u"TfrmExpClienti"_s);
    setWindowTitle(u" Esporta archivio Clienti in Microsoft Excel"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    m_behaviour->addHintClearingArea(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    outer->addLayout(body, 1);

    m_grid = new QTableView(this);
    m_grid->setObjectName(u"grdRecords"_s);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setAlternatingRowColors(true);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    for (int c = 0; c < kColumnCount; ++c)
        m_grid->setColumnWidth(c, kColumns[c].width);
    body->addWidget(m_grid, 1);

    auto* commands = new QVBoxLayout;
    struct Command {
        const char16_t* name;
        const char16_t* caption;
        const char16_t* glyph;
        QColor colour;
        const char16_t* hint;
        void (TfrmExpClienti::*slot)();
    };
    const Command list[] = {
        {u"cmdEsporta", u"Esporta", u"XLS", QColor(0x1d, 0x6f, 0x42),
         u"Esporta l'archivio in formato Microsoft Excel.", &TfrmExpClienti::cmdEsportaClick},
        {u"cmdGuida", u"Guida", u"?", QColor(0x8a, 0x5a, 0xb5),
         u"Visualizza la pagina della guida sensibile al contesto.",
         &TfrmExpClienti::cmdGuidaClick},
        {u"cmdEsci", u"Esci", u"\u2716", QColor(0xb0, 0x30, 0x30),
         u"Esci da questo ambiente di lavoro.", &TfrmExpClienti::cmdEsciClick},
    };
    for (const Command& c : list) {
        QToolButton* b =
            makePictureButton(this, QString::fromUtf16(c.name), QString::fromUtf16(c.caption),
                              QString::fromUtf16(c.glyph), c.colour);
        b->setMinimumWidth(130);
        connect(b, &QToolButton::clicked, this, c.slot);
        m_behaviour->setHint(b, QString::fromUtf16(c.hint));
        commands->addWidget(b);
    }
    commands->addStretch();
    body->addLayout(commands);

    m_hintBar = new QLabel(u"Esportazione archivio in Microsoft Excel."_s, this);
    m_hintBar->setObjectName(u"panInfo"_s);
    m_hintBar->setMinimumHeight(26);
    m_hintBar->setContentsMargins(10, 2, 10, 2);
    m_hintBar->setStyleSheet(u"QLabel { background: #1f4f82; color: white; }"_s);
    m_behaviour->setHintBar(m_hintBar);
    outer->addWidget(m_hintBar);

    setFixedSize(1100, 660);
}

int TfrmExpClienti::rowCount() const {
    return m_model->rowCount();
}

QString TfrmExpClienti::cellText(int row, int column) const {
    return m_model->cell(row, column);
}

void TfrmExpClienti::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    FormShow();
}

void TfrmExpClienti::FormShow() {
    m_model->fill(programPath(records::clientLayout().archiveName()));
}

bool TfrmExpClienti::writeExport(const QString& path) const {
    return exporting::writeSpreadsheet(
        path, QString::fromUtf16(exporting::kExpClienti.worksheetName),
        exporting::clientExportColumns(), m_model->rowCount(),
        [this](qsizetype row, int column) { return m_model->cell(int(row), column + 1); });
}

void TfrmExpClienti::cmdEsportaClick() {
    if (!msg::question(this, QString::fromUtf16(exporting::kAskExport))) return;
    const QString fileName = QString::fromUtf16(exporting::kExpClienti.fileName);
    if (!writeExport(programPath(fileName))) {
        msg::plain(this, QString::fromUtf16(exporting::kExportFailed));
        return;
    }
    if (msg::question(this, QString::fromUtf16(exporting::kAskOpenExport)))
        TMisc::Open(u"\""_s + programFolder() + fileName + u"\""_s);
}

void TfrmExpClienti::cmdGuidaClick() {
    const help::HelpText help = help::clientsExport();
    showHelp(this, help.title, help.text);
}

void TfrmExpClienti::cmdEsciClick() {
    reject();
}

} // namespace tavolex::ui
