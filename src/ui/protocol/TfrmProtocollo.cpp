#include "TfrmProtocollo.h"

#include "TfrmExpProtocollo.h"
#include "TfrmNumerazione.h"
#include "TfrmRiepProtocollo.h"
#include "TfrmStampaProtocollo.h"
#include "TfrmTrovaProtocollo.h"
#include "help/protocolhelp.h"
#include "programfolder.h"
#include "protocol/numbering.h"
#include "records/layouts.h"
#include "records/recordfile.h"
#include "settings/inifile.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/attachments/TfrmAllegaCartella.h"
#include "ui/common/attachments/attachmentfolder.h"
#include "ui/common/calendario.h"
#include "ui/common/clock.h"
#include "ui/common/filechooser.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTypeSection = 0;
constexpr int kCopySection = 4;

RecordCard::Config protocolConfig() {
    RecordCard::Config c;
    c.objectName = u"TfrmProtocollo"_s;
    c.caption = u" Tavolex - Protocollo Posta"_s;
    c.layout = &records::protocolLayout();
    c.help = help::protocolApplication();
    c.sections = {
        {u"Tipologia posta", u"\u2709", QColor(0x7a, 0x4e, 0xa8)},
        {u"Registrazione", u"#", QColor(0x2e, 0x6d, 0xb4)},
        {u"Documento", u"\u2630", QColor(0x2e, 0x8b, 0x57)},
        {u"Mittente e destinatario", u"\u21C4", QColor(0xc0, 0x6a, 0x1a)},
        {u"Copia digitale", u"\u2702", QColor(0x3a, 0x6e, 0xa5)},
    };
    using W = CardWidget;
    // Declaration order is the Enter order of the card.
    c.fields = {
        {u"txtNumero", u"Numero", u"N. protocollo:", W::Line, NoRule, 1, 0, 0, 1, nullptr,
         Qt::AlignCenter},
        {u"txtDataReg", u"DataReg", u"Data registrazione:", W::Line, NoRule, 1, 0, 1, 1,
         u"Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal "
         u"calendario.",
         Qt::AlignCenter},
        {u"txtUfficio", u"Ufficio", u"Ufficio:", W::Line, NoRule, 1, 0, 2, 2},
        {u"txtOperatore", u"Operatore", u"Operatore:", W::Line, NoRule, 1, 0, 4, 2},
        {u"txtCategoria", u"Categoria", u"Categoria:", W::Line, NoRule, 1, 1, 0, 2},
        {u"txtCollocazione", u"Collocazione", u"Collocazione documento cartaceo:", W::Line, NoRule,
         1, 1, 2, 4},
        {u"txtOggetto", u"Oggetto", u"Oggetto:", W::Line, NoRule, 2, 0, 0, 6},
        {u"txtDataSpe", u"DataSpe", u"Data spedizione:", W::Line, NoRule, 2, 1, 0, 1, nullptr,
         Qt::AlignCenter},
        {u"txtDataRic", u"DataRic", u"Data ricezione:", W::Line, NoRule, 2, 1, 1, 1, nullptr,
         Qt::AlignCenter},
        {u"txtFormato", u"Formato", u"Formato:", W::Line, NoRule, 2, 1, 2, 3},
        {u"txtPagine", u"Pagine", u"N. pagine:", W::Line, NoRule, 2, 1, 5, 1, nullptr,
         Qt::AlignCenter},
        {u"txtRiferimenti", u"Riferimenti", u"Riferimenti:", W::Line, NoRule, 2, 2, 0, 6},
        {u"txtNote", u"Note", u"Note:", W::Line, NoRule, 2, 3, 0, 6},
        {u"txtMittente", u"Mittente", u"Mittente:", W::Line, NoRule, 3, 0, 0, 3},
        {u"txtRecapitoMit", u"RecapitoMit", u"Recapito:", W::Line, NoRule, 3, 0, 3, 3},
        {u"txtDestinatario", u"Destinatario", u"Destinatario:", W::Line, NoRule, 3, 1, 0, 3},
        {u"txtRecapitoDes", u"RecapitoDes", u"Recapito:", W::Line, NoRule, 3, 1, 3, 3},
        {u"txtCopia", u"Copia", u"Copia digitale documento:", W::Line, NoRule, kCopySection, 0, 0,
         3},
        {u"lblFile01", u"File01", u"", W::Hidden},
        {u"lblFile02", u"File02", u"", W::Hidden},
        {u"lblFile03", u"File03", u"", W::Hidden},
        {u"lblDesc01", u"Desc01", u"", W::Hidden},
        {u"lblDesc02", u"Desc02", u"", W::Hidden},
        {u"lblDesc03", u"Desc03", u"", W::Hidden},
    };
    c.required = {
        {u"txtNumero", u"Attenzione: per salvare la scheda \u00E8 necessario indicare il numero di "
                       u"protocollo del documento."},
        {u"txtDataReg", u"Attenzione: per salvare la scheda \u00E8 necessario indicare la data di "
                        u"registrazione del documento."},
        {u"txtCategoria", u"Attenzione: per salvare la scheda \u00E8 necessario indicare la "
                          u"categoria del documento."},
        {u"txtOggetto",
         u"Attenzione: per salvare la scheda \u00E8 necessario indicare l'oggetto del documento."},
    };
    return c;
}

constexpr const char16_t* kAttachmentLabels[] = {u"lblFile01", u"lblDesc01", u"lblFile02",
                                                 u"lblDesc02", u"lblFile03", u"lblDesc03"};

QString chooseFile(QWidget* parent) {
    return FileChooser::chooseAttachment(parent);
}

QLabel* hiddenLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

} // namespace

TfrmProtocollo::TfrmProtocollo(QWidget* parent)
    : RecordCard(protocolConfig(), parent), m_file(hiddenLabel(this, u"lblFile"_s)),
      m_inizio(hiddenLabel(this, u"lblInizio"_s)), m_solare(hiddenLabel(this, u"lblSolare"_s)),
      m_types(new QButtonGroup(this)) {
    // The mail type: three radio buttons, none chosen on a new card.
    int column = 0;
    for (const auto& [name, caption] :
         {std::pair{u"optEntrata"_s, u"In entrata"_s}, std::pair{u"optUscita"_s, u"In uscita"_s},
          std::pair{u"optInterna"_s, u"Interna"_s}}) {
        auto* radio = new QRadioButton(caption, this);
        radio->setObjectName(name);
        placeInSection(radio, kTypeSection, 0, column++);
        m_types->addButton(radio);
        m_typeButtons << radio;
    }
    if (QWidget* numero = control(u"txtNumero"_s)) setTabOrder(m_typeButtons.constLast(), numero);

    const QColor services(0x3a, 0x6e, 0xa5);
    addCommand(u"cmdNuovo"_s, u"Nuovo"_s, u"+"_s, QColor(0x2e, 0x8b, 0x57),
               u"Prepara la schermata per l'inserimento di una nuova scheda."_s,
               [this] { cmdNuovoClick(); });
    addStandardCommand(u"cmdSalva"_s);
    addCommand(u"cmdTrova"_s, u"Trova"_s, u"\u25C9"_s, services, u"Trova una scheda in archivio."_s,
               [this] { cmdTrovaClick(); });
    addCommand(u"cmdRiepilogo"_s, u"Riepilogo"_s, u"\u2637"_s, services,
               u"Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo."_s,
               [this] { cmdRiepilogoClick(); });
    addCommand(u"cmdFile"_s, u"Allegati"_s, u"\u2702"_s, services,
               u"Allega file alla scheda corrente."_s, [this] { cmdFileClick(); });
    addCommand(u"cmdStampa"_s, u"Stampa"_s, u"\u25A4"_s, services, u"Stampa la scheda corrente."_s,
               [this] { cmdStampaClick(); });
    addCommand(u"cmdEsporta"_s, u"Esporta"_s, u"XLS"_s, QColor(0x1d, 0x6f, 0x42),
               u"Esporta le schede in archivio in un file di Microsoft Excel."_s,
               [this] { cmdEsportaClick(); });
    addCommand(u"cmdNumerazione"_s, u"Numerazione"_s, u"N"_s, QColor(0xc0, 0x6a, 0x1a),
               u"Imposta il numero iniziale per la numerazione del protocollo."_s,
               [this] { cmdNumerazioneClick(); });
    addStandardCommand(u"cmdGuida"_s);
    addCommand(u"cmdEsci"_s, u"Esci"_s, u"\u2716"_s, QColor(0xb0, 0x30, 0x30),
               u"Esci da questa schermata di lavoro."_s, [this] { cmdEsciClick(); });

    // The registration date is read-only and comes from the date import screen.
    installDateField(line(u"txtDataReg"_s), u"datareg"_s);

    // The digital copy: a bare file name in the attachment folder.
    QLineEdit* copia = line(u"txtCopia"_s);
    copia->setReadOnly(true);
    behaviour()->setEnterNext(copia, nullptr);
    auto* sfoglia = new QPushButton(u"Sfoglia..."_s, this);
    sfoglia->setObjectName(u"btnSfoglia"_s);
    placeInSection(sfoglia, kCopySection, 0, 3);
    behaviour()->setHint(sfoglia, u"Seleziona il file da allegare alla scheda corrente."_s);
    connect(sfoglia, &QPushButton::clicked, this, &TfrmProtocollo::btnSfogliaClick);
    m_apri = new QPushButton(u"Apri"_s, this);
    m_apri->setObjectName(u"btnApri"_s);
    m_apri->setEnabled(false);
    placeInSection(m_apri, kCopySection, 0, 4);
    behaviour()->setHint(m_apri, u"Apri il file allegato alla scheda corrente."_s);
    connect(m_apri, &QPushButton::clicked, this, &TfrmProtocollo::btnApriClick);
    QToolButton* cancella =
        makePictureButton(this, u"imgCancella01"_s, {}, u"\u2715"_s, QColor(0xb0, 0x30, 0x30));
    cancella->setIconSize(QSize(20, 20));
    placeInSection(cancella, kCopySection, 0, 5);
    behaviour()->setHint(cancella,
                         u"Cancella il percorso del file allegato alla scheda corrente."_s);
    connect(cancella, &QToolButton::clicked, this, &TfrmProtocollo::imgCancella01Click);
    connect(copia, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_apri->setEnabled(!text::trimmed(name).isEmpty()); });
}

QLineEdit* TfrmProtocollo::line(const QString& name) const {
    return qobject_cast<QLineEdit*>(control(name));
}

void TfrmProtocollo::openYear(const QString& yearText) {
    setArchive(programPath(protocol::archiveFileName(yearText)));
    setWindowTitle(protocol::cardCaption(yearText));
}

void TfrmProtocollo::setArchive(const QString& path) {
    m_file->setText(path);
}

QString TfrmProtocollo::archivePath() const {
    return text::trimmed(m_file->text());
}

void TfrmProtocollo::setFileChooser(std::function<QString(QWidget* parent)> chooser) {
    FileChooser::setHook(std::move(chooser));
}

QString TfrmProtocollo::mailType() const {
    for (QRadioButton* radio : m_typeButtons)
        if (radio->isChecked()) return radio->text();
    return {};
}

void TfrmProtocollo::storeInto(records::Record& record) const {
    RecordCard::storeInto(record);
    record.setText(u"Tipo", mailType());
}

void TfrmProtocollo::loadFrom(const records::Record& record) {
    RecordCard::loadFrom(record);
    // A stored type that is none of the three captions leaves the buttons as they were.
    const QString type = record.text(u"Tipo");
    for (QRadioButton* radio : m_typeButtons) {
        if (radio->text() == type) {
            radio->setChecked(true);
            break;
        }
    }
}

void TfrmProtocollo::clearCard() {
    RecordCard::clearCard();
    // An exclusive group never lets the last checked button go.
    m_types->setExclusive(false);
    for (QRadioButton* radio : m_typeButtons)
        radio->setChecked(false);
    m_types->setExclusive(true);
}

void TfrmProtocollo::blankCard() {
    const QString office = text(u"txtUfficio"_s);
    const QString operatorName = text(u"txtOperatore"_s);
    clearCard();
    setText(u"txtUfficio"_s, office);
    setText(u"txtOperatore"_s, operatorName);
    setText(u"txtDataReg"_s, Clock::today().toString(u"dd/MM/yyyy"_s));
}

bool TfrmProtocollo::validateForSave() {
    if (!RecordCard::validateForSave()) return false;
    if (mailType().isEmpty()) {
        msg::warning(
            this,
            u"Attenzione: per salvare la scheda \u00E8 necessario indicare la tipologia di posta "
            u"(in entrata, in uscita o interna)."_s);
        m_typeButtons.constFirst()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TfrmProtocollo::prepareShownCard() {
    const protocol::RememberedPeople people =
        protocol::readRemembered(settings::IniFile(protocol::settingsPath()));
    setText(u"txtUfficio"_s, people.office);
    setText(u"txtOperatore"_s, people.operatorName);
    blankCard();
    control(u"txtNumero"_s)->setFocus(Qt::OtherFocusReason);
}

void TfrmProtocollo::rememberPeople() {
    settings::IniFile ini(protocol::settingsPath());
    if (const files::WriteResult written =
            protocol::writeRemembered(ini, {text(u"txtUfficio"_s), text(u"txtOperatore"_s)});
        !written)
        msg::archiveAccessError(this, written.cause());
}

void TfrmProtocollo::closeEvent(QCloseEvent* event) {
    // Office and operator are remembered whether or not the card was saved.
    rememberPeople();
    RecordCard::closeEvent(event);
}

void TfrmProtocollo::cmdNuovoClick() {
    const protocol::NumberingSettings numbering =
        protocol::readNumbering(settings::IniFile(protocol::settingsPath()));
    m_inizio->setText(numbering.start);
    m_solare->setText(numbering.yearSuffix);
    records::RecordFile file(archivePath(), records::protocolLayout().recordSize());
    if (!file.open()) {
        msg::archiveAccessError(this);
        return;
    }
    const qint64 count = file.count();
    if (!file.close()) {
        msg::archiveAccessError(this);
        return;
    }
    // The number is worked out before anything is blanked: a "Nuovo" that fails leaves
    // the card as it was.
    const std::optional<QString> number = protocol::automaticNumber(
        numbering.start, numbering.yearSuffix, count, Clock::today().year());
    if (!number) {
        msg::archiveAccessError(this);
        return;
    }
    blankCard();
    setText(u"txtNumero"_s, *number);
    setText(u"txtDataReg"_s, Clock::today().toString(u"dd/MM/yyyy"_s));
    control(u"txtCategoria"_s)->setFocus(Qt::OtherFocusReason);
}

void TfrmProtocollo::cmdTrovaClick() {
    TfrmTrovaProtocollo search(this);
    search.setCallerTag(u"protocollo"_s);
    search.setArchivePath(archivePath());
    search.exec();
    // The search hands the chosen record back; only the protocol tag loads it here.
    if (const std::optional<lists::ChosenRecord>& found = search.chosen();
        found && search.callerTag() == u"protocollo"_s)
        loadFromRecord(found->bytes, found->position);
}

void TfrmProtocollo::cmdRiepilogoClick() {
    TfrmRiepProtocollo summary(this);
    summary.setArchivePath(archivePath());
    summary.exec();
}

void TfrmProtocollo::cmdFileClick() {
    AttachmentValues current;
    current.file01 = text::trimmed(text(u"lblFile01"_s));
    current.desc01 = text::trimmed(text(u"lblDesc01"_s));
    current.file02 = text::trimmed(text(u"lblFile02"_s));
    current.desc02 = text::trimmed(text(u"lblDesc02"_s));
    current.file03 = text::trimmed(text(u"lblFile03"_s));
    current.desc03 = text::trimmed(text(u"lblDesc03"_s));
    const std::optional<AttachmentValues> edited =
        TfrmAllegaCartella::edit(this, u"protocollo"_s, current);
    if (!edited) return;
    const QString values[] = {edited->file01, edited->desc01, edited->file02,
                              edited->desc02, edited->file03, edited->desc03};
    for (int i = 0; i < 6; ++i)
        setText(QString::fromUtf16(kAttachmentLabels[i]), values[i]);
}

report::CardReport TfrmProtocollo::cardReport() const {
    auto value = [this](const char16_t* name) {
        return text::trimmed(text(QString::fromUtf16(name)));
    };
    report::CardReport r;
    r.title = u"SCHEDA PROTOCOLLO DOCUMENTO"_s;
    r.rows = {
        {u"Protocollo n."_s, value(u"txtNumero")},
        {u"Data registrazione:"_s, value(u"txtDataReg")},
        {u"Ufficio:"_s, value(u"txtUfficio")},
        {u"Operatore:"_s, value(u"txtOperatore")},
        {u"Categoria:"_s, value(u"txtCategoria")},
        {u"Collocazione cartaceo:"_s, value(u"txtCollocazione")},
        {u"Oggetto:"_s, value(u"txtOggetto")},
        {u"Data spedizione:"_s, value(u"txtDataSpe")},
        {u"Data ricezione:"_s, value(u"txtDataRic")},
        {u"Formato:"_s, value(u"txtFormato") + u"  -  N. pagine: "_s + value(u"txtPagine")},
        {u"Riferimenti:"_s, value(u"txtRiferimenti")},
        {u"Mittente:"_s, value(u"txtMittente")},
        {u"Recapito mittente:"_s, value(u"txtRecapitoMit")},
        {u"Destinatario:"_s, value(u"txtDestinatario")},
        {u"Recapito destinatario:"_s, value(u"txtRecapitoDes")},
        {u"Note:"_s, value(u"txtNote")},
    };
    r.footer = report::cardFooter(Clock::now());
    return r;
}

void TfrmProtocollo::cmdStampaClick() {
    TfrmStampaProtocollo print(this);
    print.setCardReport(cardReport());
    print.exec();
}

void TfrmProtocollo::cmdEsportaClick() {
    TfrmExpProtocollo exporter(this);
    exporter.setArchivePath(archivePath());
    exporter.exec();
}

void TfrmProtocollo::cmdNumerazioneClick() {
    TfrmNumerazione numbering(this);
    numbering.setCallerTag(u"protocollo"_s);
    numbering.exec();
}

void TfrmProtocollo::btnSfogliaClick() {
    const QString chosen = chooseFile(this);
    if (chosen.isEmpty()) return;
    const QString name = QFileInfo(chosen).fileName();
    setText(u"txtCopia"_s, name);
    // A failed copy ends the action silently; the name stays on the card.
    attachments::copyIn(chosen, name, [this] {
        return msg::question(this, TfrmAllegaCartella::overwriteQuestion());
    });
}

void TfrmProtocollo::btnApriClick() {
    attachments::open(text::trimmed(text(u"txtCopia"_s)));
}

void TfrmProtocollo::imgCancella01Click() {
    setText(u"txtCopia"_s, {});
}

} // namespace tavolex::ui
