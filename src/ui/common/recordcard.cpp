#include "recordcard.h"

#include "keptfields.h"
#include "messages.h"
#include "programfolder.h"
#include "text/casing.h"
#include "ui/common/attachments/TfrmAllegaCartella.h"
#include "ui/common/clock.h"
#include "ui/common/guida.h"
#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QShowEvent>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr auto kNoRecord = u"L'archivio non contiene nessuna scheda.";

RecordCardDecl soundDecl(RecordCardDecl decl) {
    if (const QStringList faults = declarationFaults(decl); !faults.isEmpty())
        qFatal("The card %s is declared wrongly: %s", qPrintable(decl.objectName),
               qPrintable(faults.join(u"; "_s)));
    return completedDecl(std::move(decl));
}

} // namespace

RecordCard::RecordCard(RecordCardDecl decl, QWidget* parent)
    : QWidget(parent), m_decl(soundDecl(std::move(decl))), m_behaviour(new ScreenBehaviour(this)),
      m_form(m_decl, m_behaviour), m_binder(m_decl, m_form) {
    setObjectName(m_decl.objectName);
    setWindowTitle(m_decl.caption);
    setProperty("tavolexMaximised", true);
    if (!records::archiveEntry(m_decl.archive).isYearly())
        m_archive = records::archiveId(m_decl.archive);
}

void RecordCard::ensureBuilt() const {
    if (m_built) return;
    auto* self = const_cast<RecordCard*>(this);
    self->m_built = true;
    self->m_form.build(self, [self](const QString& name) { return self->standardAction(name); });
    self->built();
}

bool RecordCard::event(QEvent* event) {
    if (event->type() == QEvent::Polish) ensureBuilt();
    return QWidget::event(event);
}

std::function<void()> RecordCard::standardAction(const QString& control) {
    const std::pair<QStringView, void (RecordCard::*)()> actions[] = {
        {u"cmdNuovo", &RecordCard::cmdNuovoClick},
        {u"cmdDuplica", &RecordCard::cmdDuplicaClick},
        {u"cmdSalva", &RecordCard::cmdSalvaClick},
        {u"cmdGuida", &RecordCard::cmdGuidaClick},
        {u"cmdEsci", &RecordCard::cmdEsciClick},
        {u"cmdAnteprima", &RecordCard::cmdAnteprimaClick},
        {u"cmdStampa", &RecordCard::cmdStampaClick},
        {u"cmdPDF", &RecordCard::cmdPDFClick},
        {u"cmdFile", &RecordCard::editAttachments},
        {u"cmdAllega", &RecordCard::editAttachments},
        {u"cmdPrimo", &RecordCard::cmdPrimoClick},
        {u"cmdIndietro", &RecordCard::cmdIndietroClick},
        {u"cmdAvanti", &RecordCard::cmdAvantiClick},
        {u"cmdUltimo", &RecordCard::cmdUltimoClick},
    };
    for (const auto& [name, slot] : actions)
        if (control == name) return [this, slot = slot] { (this->*slot)(); };
    for (const CardImport& import : m_decl.imports)
        if (control == import.command) return [this, &import] { importRecord(import); };
    Q_ASSERT_X(false, "RecordCard", "a command without an action");
    return {};
}

QWidget* RecordCard::firstField() const {
    ensureBuilt();
    if (!m_decl.firstFocus.isEmpty()) return control(m_decl.firstFocus);
    return m_form.enterOrder().value(0);
}

void RecordCard::focusField(QWidget* field) {
    if (field) field->setFocus(Qt::OtherFocusReason);
}

void RecordCard::focusControl(const QString& name) {
    ensureBuilt();
    if (QButtonGroup* group = m_form.choice(name))
        focusField(group->buttons().value(0));
    else
        focusField(control(name));
}

std::unique_ptr<records::Archive> RecordCard::archive() const {
    return records::programArchive(m_archive);
}

void RecordCard::openYear(const QString& yearText) {
    ensureBuilt();
    m_archive = records::archiveOfYear(m_decl.archive, yearText);
    if (m_form.control(u"lblFile"_s)) setText(u"lblFile"_s, archive()->name());
    yearOpened(yearText);
}

QWidget* RecordCard::control(const QString& name) const {
    ensureBuilt();
    return m_form.control(name);
}

QString RecordCard::text(const QString& name) const {
    ensureBuilt();
    return m_binder.text(name);
}

void RecordCard::setText(const QString& name, const QString& value) {
    ensureBuilt();
    m_binder.setText(name, value);
}

void RecordCard::setPosition(qint64 position, const QByteArray& stored) {
    ensureBuilt();
    m_position = position;
    m_stored = position > 0 ? stored : QByteArray();
    m_form.positionLabel()->setText(position > 0 ? QString::number(position) : QString());
}

void RecordCard::storeInto(records::Record& record) const {
    ensureBuilt();
    m_binder.storeInto(record);
}

void RecordCard::loadFrom(const records::Record& record) {
    ensureBuilt();
    m_binder.loadFrom(record);
}

void RecordCard::loadFromRecord(const QByteArray& bytes, qint64 position) {
    loadFrom(records::Record(*m_decl.layout, bytes));
    setPosition(position, bytes);
}

void RecordCard::copyFields(const records::Record& from,
                            const QList<std::pair<QString, QString>>& pairs) {
    for (const auto& [field, name] : pairs)
        setText(name, text::trimmed(from.text(field)));
}

void RecordCard::importRecord(const CardImport& import) {
    if (const std::optional<ChosenRecord> chosen = import.search(this))
        copyFields(records::Record(*import.layout, chosen->bytes), import.fields);
}

void RecordCard::clearCard() {
    ensureBuilt();
    m_binder.clear();
    setPosition(0);
}

bool RecordCard::passesSaveChecks() {
    const CardTexts texts = [this](const QString& name) { return text(name); };
    for (const SaveCheck& check : m_decl.saveChecks) {
        if (check.normalise) {
            const QString current = text(check.control);
            if (const QString normalised = check.normalise(current); normalised != current)
                setText(check.control, normalised);
            continue;
        }
        std::optional<SaveFault> fault;
        if (check.rule)
            fault = check.rule(texts);
        else if (text::trimmed(text(check.control)).size() < check.minLength)
            fault = SaveFault{check.message};
        if (!fault) continue;
        if (fault->plain)
            msg::plain(this, fault->message);
        else
            msg::warning(this, fault->message);
        focusControl(check.control);
        return false;
    }
    for (const DerivedField& derived : m_decl.derived)
        setText(derived.control, derived.value(texts));
    return true;
}

report::CardReport RecordCard::cardReport() const {
    static const QRegularExpression placeholder(u"\\{(\\w+)\\}"_s);
    report::CardReport card;
    card.title = m_decl.reportTitle;
    card.footer = report::cardFooter(Clock::now());
    for (const ReportRow& row : m_decl.report) {
        QString value = row.value;
        // Replaced from the end, so earlier matches keep their place.
        QList<QRegularExpressionMatch> matches;
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(row.value))
            matches.prepend(m);
        for (const QRegularExpressionMatch& m : std::as_const(matches))
            value.replace(m.capturedStart(), m.capturedLength(),
                          text::trimmed(text(m.captured(1))));
        card.rows.append({row.caption, value});
    }
    return card;
}

void RecordCard::cmdAnteprimaClick() {
    report::preview(this, report::ReportDocument::card(cardReport()));
}

void RecordCard::cmdStampaClick() {
    report::print(this, report::ReportDocument::card(cardReport()));
}

void RecordCard::cmdPDFClick() {
    report::exportPdf(this, report::ReportDocument::card(cardReport()), m_decl.pdfFileName);
}

void RecordCard::editAttachments() {
    AttachmentValues current;
    QString* values[] = {&current.file01, &current.desc01, &current.file02,
                         &current.desc02, &current.file03, &current.desc03};
    const QString order[] = {u"lblFile01"_s, u"lblDesc01"_s, u"lblFile02"_s,
                             u"lblDesc02"_s, u"lblFile03"_s, u"lblDesc03"_s};
    for (int i = 0; i < 6; ++i)
        *values[i] = text::trimmed(text(order[i]));
    const std::optional<AttachmentValues> edited =
        TfrmAllegaCartella::edit(this, m_decl.attachmentTag, current);
    if (!edited) return;
    const QString chosen[] = {edited->file01, edited->desc01, edited->file02,
                              edited->desc02, edited->file03, edited->desc03};
    for (int i = 0; i < 6; ++i)
        setText(order[i], chosen[i]);
}

void RecordCard::clearOnDuplicate() {}

void RecordCard::cmdNuovoClick() {
    clearCard();
    m_binder.fillToday(false, Clock::today());
    prepareNewCard();
    focusField(firstField());
}

void RecordCard::cmdSalvaClick() {
    ensureBuilt();
    if (const auto fault = m_binder.typedFormFault()) {
        msg::warning(this, fault->message);
        focusControl(fault->control);
        return;
    }
    m_binder.clearPickSelections();
    if (!passesSaveChecks()) return;
    const std::unique_ptr<records::Archive> store = archive();
    CardArchive session(this, *store);
    if (!session.open()) return;
    records::Record record(*m_decl.layout);
    storeInto(record);
    const bool stored = m_position > 0;
    qint64 k = m_position;
    if (stored) {
        const records::WriteOutcome outcome =
            session.overwrite(m_position, m_stored, record.bytes());
        if (outcome == records::WriteOutcome::Conflict) return resolveConflict(session);
        if (outcome == records::WriteOutcome::Failed) return;
    } else {
        k = session.append(record.bytes());
        if (k == 0) return;
    }
    setPosition(k, record.bytes());
    if (!session.close()) return;
    msg::information(this, stored ? m_decl.savedExistingMessage : m_decl.savedNewMessage);
    Q_EMIT saved(k);
}

void RecordCard::resolveConflict(CardArchive& session) {
    const std::optional<QByteArray> now = session.read(m_position);
    if (!now || !session.close()) return;
    if (msg::question(this, u"Attenzione: la scheda \u00E8 stata modificata da un'altra postazione "
                            u"dopo che \u00E8 stata letta, e non \u00E8 stata salvata.\n\r\n\r"
                            u"Ricaricare la scheda come \u00E8 ora in archivio? Rispondendo No "
                            u"restano i dati scritti, che un nuovo Salva registra al suo posto."_s))
        loadFromRecord(*now, m_position);
    else
        m_stored = *now;
}

void RecordCard::cmdDuplicaClick() {
    if (m_position == 0) {
        msg::warning(
            this, u"Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che "
                  u"questa \u00E8 stata inserita in archivio."_s);
        return;
    }
    for (const QString& name : attachmentLabels())
        setText(name, {});
    clearOnDuplicate();
    m_binder.clearPickSelections();
    setPosition(0);
    const std::unique_ptr<records::Archive> store = archive();
    CardArchive session(this, *store);
    if (!session.open()) return;
    focusField(firstField());
    if (!session.close()) return;
    msg::information(
        this, u"E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
              u"Al termine premere Salva per inserire la scheda in archivio."_s);
}

void RecordCard::cmdPrimoClick() {
    browse(CardMove::First);
}
void RecordCard::cmdIndietroClick() {
    browse(CardMove::Previous);
}
void RecordCard::cmdAvantiClick() {
    browse(CardMove::Next);
}
void RecordCard::cmdUltimoClick() {
    browse(CardMove::Last);
}

void RecordCard::browse(CardMove move) {
    const std::unique_ptr<records::Archive> store = archive();
    CardArchive session(this, *store);
    if (!session.open()) return;
    const std::optional<CardArchive::Found> found = session.browse(move, m_position);
    if (!found) return;
    if (found->empty && move == CardMove::Next) setPosition(0);
    if (found->position > 0) loadFromRecord(found->bytes, found->position);
    if (session.close() && found->empty) msg::information(this, QString::fromUtf16(kNoRecord));
}

bool RecordCard::showRecordAt(qint64 position) {
    const std::unique_ptr<records::Archive> store = archive();
    CardArchive session(this, *store);
    if (!session.open()) return false;
    const std::optional<QByteArray> bytes = session.read(position);
    if (!bytes || !session.close()) return false;
    loadFromRecord(*bytes, position);
    return true;
}

void RecordCard::cmdEsciClick() {
    close();
}

void RecordCard::cmdGuidaClick() {
    showHelp(this, m_decl.help.title, m_decl.help.text);
}

void RecordCard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // the window brought back by the desktop, not shown by the program
    prepareShownCard();
    m_form.hintBar()->setText(m_decl.initialHint);
}

void RecordCard::prepareShownCard() {
    ensureBuilt();
    readKeptFields(m_decl, m_binder);
    clearCard();
    m_binder.fillToday(true, Clock::today());
    focusField(firstField());
}

// Every kept field is written, even after one write fails; a failure is reported once, with
// its cause.
void RecordCard::closeEvent(QCloseEvent* event) {
    ensureBuilt();
    if (const auto failed = writeKeptFields(m_decl, m_binder))
        msg::archiveAccessError(this, failed->cause());
    event->accept();
    hide();
    Q_EMIT finished();
}

void showHelp(QWidget* parent, const QString& title, const QString& text) {
    TfrmGuida guida(parent);
    guida.setHelp(title, text);
    guida.exec();
}

} // namespace tavolex::ui
