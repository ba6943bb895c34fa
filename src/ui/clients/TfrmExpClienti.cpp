#include "TfrmExpClienti.h"

#include "core/programfolder.h"
#include "records/layouts.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

RecordGridModel* gridModel() {
    const records::RecordLayout& layout = records::clientLayout();
    // The fields the grid shows; the columns below refer to them by position.
    const QList<int> kept = RecordGridModel::fieldIndexes(
        layout,
        {u"Cliente",   u"DataNasc",  u"ComuneNasc",  u"ProvNasc",   u"Recapito", u"IndirizzoRes",
         u"ComuneRes", u"ProvRes",   u"Estremi",     u"TelCasa",    u"TelUff",   u"TelCel",
         u"Fax",       u"Email",     u"CodFisc",     u"PartitaIva", u"Carta",    u"ScadeCarta",
         u"Iban",      u"Documento", u"Occupazione", u"Civile",     u"Titoli",   u"Prodotti",
         u"Zona",      u"Questioni", u"Note"});
    const QList<GridColumn> columns = {
        {u"N."_s, 60, -1},
        {u"Cognome e nome Cliente"_s, 250, 0},
        {u"Data di nascita"_s, 120, 1},
        {u"Comune / Stato estero di nascita"_s, 250, 2, 3},
        {u"Recapito preferenziale"_s, 200, 4},
        {u"Indirizzo di residenza"_s, 250, 5},
        {u"Comune di residenza"_s, 250, 6, 7},
        {u"Modalit\u00E0 di pagamento"_s, 250, 8},
        {u"Tel. casa"_s, 200, 9},
        {u"Tel. ufficio"_s, 200, 10},
        {u"Tel. cellulare"_s, 200, 11},
        {u"Fax"_s, 200, 12},
        {u"E-mail"_s, 250, 13},
        {u"Codice fiscale"_s, 150, 14},
        {u"Partita IVA"_s, 150, 15},
        {u"Carta di credito n."_s, 250, 16},
        {u"Scadenza"_s, 160, 17},
        {u"IBAN"_s, 250, 18},
        {u"Estremi documento"_s, 280, 19},
        {u"Occupazione"_s, 250, 20},
        {u"Stato civile"_s, 250, 21},
        {u"Titoli e qualifiche"_s, 280, 22},
        {u"Prodotti e servizi di interesse"_s, 300, 23},
        {u"Zona di appartenenza"_s, 250, 24},
        {u"Questioni in sospeso"_s, 300, 25},
        {u"Note"_s, 350, 26},
    };
    Q_ASSERT(columns.size() == TfrmExpClienti::kColumnCount);
    return new RecordGridModel(layout, kept, columns);
}

GridScreenDecl declaration() {
    GridScreenDecl decl;
    decl.objectName = u"TfrmExpClienti"_s;
    decl.caption = u" Esporta archivio Clienti in Microsoft Excel"_s;
    decl.initialHint = u"Esportazione archivio in Microsoft Excel."_s;
    decl.size = QSize(1100, 660);
    decl.commands = GridScreenDecl::Commands::Column;
    decl.rowHeight = 21;
    decl.alternatingRows = true;
    decl.centred = true;
    decl.refillOnEveryShow = true;
    decl.target = exporting::kExpClienti;
    decl.exportColumns = exporting::clientExportColumns();
    decl.help = &help::clientsExport;
    return decl;
}

} // namespace

TfrmExpClienti::TfrmExpClienti(QWidget* parent) : GridScreen(declaration(), gridModel(), parent) {}

void TfrmExpClienti::FormShow() {
    // A failing read keeps the rows read so far, without a message.
    model()->fill(programPath(records::clientLayout().archiveName()));
}

} // namespace tavolex::ui
