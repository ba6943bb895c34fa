#include "commands.h"

#include "artwork.h"
#include "behaviour.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

struct Standard {
    QStringView control;
    QStringView caption;
    QStringView glyph;
    Tone tone;
    QStringView hint;
};

constexpr Standard kStandards[] = {
    {u"cmdNuovo", u"Nuovo", u"+", Tone::Create,
     u"Prepara la schermata per la registrazione di una nuova scheda."},
    {u"cmdDuplica", u"Duplica", u"\u2750", Tone::Copy,
     u"Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
    {u"cmdSalva", u"Salva", u"\u2714", Tone::Save, u"Salva la scheda corrente in archivio."},
    {u"cmdTrova", u"Trova", u"\u25C9", Tone::Service, u"Trova una scheda in archivio."},
    {u"cmdFile", u"Allegati", u"\u2261", Tone::Service, u"Allega file alla scheda corrente."},
    {u"cmdAllega", u"Allegati", u"\u2261", Tone::Service, u"Allega file alla scheda corrente."},
    {u"cmdAnteprima", u"Anteprima", u"\u25A4", Tone::Service, u"Visualizza l'anteprima di stampa."},
    {u"cmdStampa", u"Stampa", u"\u2630", Tone::Service, u"Stampa la scheda corrente."},
    {u"cmdPDF", u"PDF", u"PDF", Tone::Pdf, u"Esporta la scheda in formato PDF."},
    {u"cmdEsporta", u"Esporta", u"XLS", Tone::Export,
     u"Esporta le schede in archivio in un file di Microsoft Excel."},
    {u"cmdExcel", u"Esporta", u"XLS", Tone::Export,
     u"Esporta le schede in archivio in un file di Microsoft Excel."},
    {u"cmdGuida", u"Guida", u"?", Tone::Help, u"Visualizza la guida in linea."},
    {u"cmdEsci", u"Esci", u"\u2716", Tone::Exit, u"Esci dalla schermata di lavoro corrente."},
};

} // namespace

Command completed(Command declared) {
    for (const Standard& s : kStandards) {
        if (declared.control != s.control) continue;
        if (declared.caption.isEmpty()) declared.caption = s.caption.toString();
        if (declared.glyph.isEmpty()) {
            declared.glyph = s.glyph.toString();
            declared.tone = s.tone;
        }
        if (declared.hint.isEmpty()) declared.hint = s.hint.toString();
        break;
    }
    return declared;
}

QToolButton* makeCommandButton(QWidget* screen, ScreenBehaviour* behaviour,
                               const Command& declared) {
    // A standard command declared by name alone gets its standard caption, glyph and hint.
    const Command command = completed(declared);
    QToolButton* button = makePictureButton(screen, command.control, command.caption, command.glyph,
                                            toneColour(command.tone));
    behaviour->setHint(button, command.hint);
    if (command.action) QObject::connect(button, &QToolButton::clicked, screen, command.action);
    return button;
}

void addCommandFoot(QVBoxLayout* outer, QWidget* screen, ScreenBehaviour* behaviour,
                    std::span<const Command> commands) {
    auto* row = new QHBoxLayout;
    for (const Command& command : commands)
        row->addWidget(makeCommandButton(screen, behaviour, command));
    row->addStretch();
    outer->addLayout(row);
    outer->addWidget(makeHintBar(screen, behaviour, {}));
}

QLabel* makeHintBar(QWidget* screen, ScreenBehaviour* behaviour, const QString& initialHint) {
    auto* bar = new QLabel(initialHint, screen);
    bar->setObjectName(u"panInfo"_s);
    bar->setMinimumHeight(26);
    behaviour->setHintBar(bar);
    return bar;
}

} // namespace tavolex::ui
