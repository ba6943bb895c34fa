#include "recordcard.h"

#include "places/provinces.h"

#include "artwork.h"
#include "messages.h"
#include "records/recordfile.h"
#include "text/casing.h"
#include "ui/common/guida.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// An archive opened for one card operation and closed when the operation ends.
class Session {
public:
    Session(QWidget* owner, const QString& path, int size) : m_owner(owner), m_file(path, size) {}
    bool open() { return m_file.open() || fail(); }
    bool finish() { return m_file.close() || fail(); }
    bool fail() {
        const QString cause = m_file.path() + u": "_s + m_file.errorString();
        m_file.close();
        msg::archiveAccessError(m_owner, cause);
        return false;
    }
    records::RecordFile& file() { return m_file; }

private:
    QWidget* m_owner;
    records::RecordFile m_file;
};

constexpr auto kNoRecord = u"L'archivio non contiene nessuna scheda.";

} // namespace

RecordCard::RecordCard(Config config, QWidget* parent)
    : QWidget(parent), m_config(std::move(config)), m_behaviour(new ScreenBehaviour(this)) {
    setObjectName(m_config.objectName);
    setWindowTitle(m_config.caption);
    setProperty("tavolexMaximised", true);
    buildLayout();
}

void RecordCard::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    outer->addLayout(body, 1);
    m_behaviour->addHintClearingArea(this);

    auto* sectionsColumn = new QVBoxLayout;
    sectionsColumn->setSpacing(6);
    body->addLayout(sectionsColumn, 1);
    for (const CardSection& section : m_config.sections) {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setStyleSheet(u"QFrame#section { background: #eef2f7; border: 1px solid #c5cfdb; "
                             u"border-radius: 6px; }"_s);
        frame->setObjectName(u"section"_s);
        m_behaviour->addHintClearingArea(frame);
        auto* row = new QHBoxLayout(frame);
        auto* picture = new QLabel(frame);
        picture->setPixmap(
            tilePixmap(QString::fromUtf16(section.glyph), section.colour, QSize(56, 56)));
        picture->setAlignment(Qt::AlignTop);
        picture->setToolTip(QString::fromUtf16(section.title));
        row->addWidget(picture);
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(1);
        row->addLayout(grid, 1);
        for (int column = 0; column < 6; ++column)
            grid->setColumnStretch(column, 1);
        m_sectionGrids << grid;
        sectionsColumn->addWidget(frame);
    }
    sectionsColumn->addStretch();

    for (const CardField& field : m_config.fields) {
        const QString name = QString::fromUtf16(field.control);
        const int capacity = [&] {
            if (!field.field || !*field.field || !m_config.layout) return 255;
            const int index = m_config.layout->indexOf(QString::fromUtf16(field.field));
            return index < 0 ? 255 : m_config.layout->field(index).capacity;
        }();
        QWidget* parentWidget = this;
        QGridLayout* grid = nullptr;
        if (field.widget != CardWidget::Hidden && field.section < m_sectionGrids.size()) {
            grid = m_sectionGrids[field.section];
            parentWidget = grid->parentWidget();
        }
        QWidget* control = nullptr;
        switch (field.widget) {
        case CardWidget::Line: {
            auto* edit = new QLineEdit(parentWidget);
            edit->setMaxLength(capacity);
            edit->setAlignment(field.align);
            control = edit;
            break;
        }
        case CardWidget::Province: {
            auto* combo = new QComboBox(parentWidget);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(places::provinceCodes());
            combo->lineEdit()->setMaxLength(capacity);
            combo->setCurrentIndex(-1);
            combo->setMaxVisibleItems(20);
            control = combo;
            break;
        }
        case CardWidget::Check: {
            auto* check = new QCheckBox(QString::fromUtf16(field.label), parentWidget);
            control = check;
            break;
        }
        case CardWidget::Hidden: {
            auto* label = new QLabel(this);
            label->hide();
            control = label;
            break;
        }
        }
        control->setObjectName(name);
        m_controls.insert(name, control);
        if (grid) {
            const int row = field.row * 2;
            if (field.widget != CardWidget::Check) {
                auto* caption = new QLabel(QString::fromUtf16(field.label), parentWidget);
                caption->setObjectName(u"lbl"_s + name.mid(3));
                caption->setBuddy(control);
                grid->addWidget(caption, row, field.column, 1, field.span);
                grid->addWidget(control, row + 1, field.column, 1, field.span);
            } else {
                grid->addWidget(control, row + 1, field.column, 1, field.span);
            }
        }
        if (field.widget == CardWidget::Line || field.widget == CardWidget::Province) {
            m_behaviour->addHighlight(control, name.mid(3));
            m_enterOrder << control;
        }
        if (field.rules != NoRule) m_behaviour->setTypingRules(control, field.rules);
        if (field.hint) m_behaviour->setHint(control, QString::fromUtf16(field.hint));
    }
    // Enter moves through the fields in record order, from the last back to the first.
    for (int i = 0; i < m_enterOrder.size(); ++i)
        m_behaviour->setEnterNext(m_enterOrder[i], m_enterOrder[(i + 1) % m_enterOrder.size()]);
    // Tab follows the declaration order too (check boxes included).
    QWidget* previous = nullptr;
    for (const CardField& field : m_config.fields) {
        QWidget* control = m_controls.value(QString::fromUtf16(field.control));
        if (field.widget == CardWidget::Hidden) continue;
        if (previous) setTabOrder(previous, control);
        previous = control;
    }

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    body->addLayout(right);
    m_commandColumn = new QVBoxLayout;
    m_commandColumn->setSpacing(2);
    right->addLayout(m_commandColumn);
    right->addStretch();
    auto* nav = new QHBoxLayout;
    right->addLayout(nav);
    auto navButton = [this, nav](const QString& name, const QString& glyph, const QString& hint,
                                 void (RecordCard::*slot)()) {
        QToolButton* b = makePictureButton(this, name, {}, glyph, QColor(0x3a, 0x6e, 0xa5));
        connect(b, &QToolButton::clicked, this, slot);
        m_behaviour->setHint(b, hint);
        nav->addWidget(b);
    };
    navButton(u"cmdPrimo"_s, u"|\u25C0"_s, u"Visualizza la prima scheda in archivio."_s,
              &RecordCard::cmdPrimoClick);
    navButton(u"cmdIndietro"_s, u"\u25C0"_s, u"Visualizza la scheda precedente in archivio."_s,
              &RecordCard::cmdIndietroClick);
    m_position = new QLabel(this);
    m_position->setObjectName(u"lblPosizione"_s);
    m_position->setMinimumWidth(56);
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setStyleSheet(u"QLabel { font-weight: bold; font-size: 14px; }"_s);
    m_behaviour->addHintClearingArea(m_position);
    nav->addWidget(m_position);
    navButton(u"cmdAvanti"_s, u"\u25B6"_s, u"Visualizza la scheda successiva in archivio."_s,
              &RecordCard::cmdAvantiClick);
    navButton(u"cmdUltimo"_s, u"\u25B6|"_s, u"Visualizza l'ultima scheda in archivio."_s,
              &RecordCard::cmdUltimoClick);

    m_hintBar = new QLabel(m_config.initialHint, this);
    m_hintBar->setObjectName(u"panInfo"_s);
    m_hintBar->setMinimumHeight(26);
    m_hintBar->setContentsMargins(10, 2, 10, 2);
    m_hintBar->setStyleSheet(u"QLabel { background: #1f4f82; color: white; }"_s);
    m_behaviour->setHintBar(m_hintBar);
    outer->addWidget(m_hintBar);
}

QToolButton* RecordCard::addCommand(const QString& name, const QString& caption,
                                    const QString& glyph, const QColor& colour, const QString& hint,
                                    std::function<void()> action) {
    QToolButton* button = makePictureButton(this, name, caption, glyph, colour);
    button->setMinimumWidth(150);
    m_commandColumn->addWidget(button);
    m_behaviour->setHint(button, hint);
    if (action) connect(button, &QToolButton::clicked, this, std::move(action));
    return button;
}

void RecordCard::addStandardCommand(const QString& name) {
    struct Standard {
        const char16_t* name;
        const char16_t* caption;
        const char16_t* glyph;
        QColor colour;
        const char16_t* hint;
        void (RecordCard::*slot)();
    };
    static const Standard standards[] = {
        {u"cmdNuovo", u"Nuovo", u"+", QColor(0x2e, 0x8b, 0x57),
         u"Prepara la schermata per la registrazione di una nuova scheda.",
         &RecordCard::cmdNuovoClick},
        {u"cmdDuplica", u"Duplica", u"\u2750", QColor(0x4a, 0x7a, 0xb5),
         u"Prepara la schermata per la registrazione di una nuova scheda duplicando i dati "
         u"correnti.",
         &RecordCard::cmdDuplicaClick},
        {u"cmdSalva", u"Salva", u"\u2714", QColor(0x1f, 0x6f, 0xb2),
         u"Salva la scheda corrente in archivio.", &RecordCard::cmdSalvaClick},
        {u"cmdGuida", u"Guida", u"?", QColor(0x8a, 0x5a, 0xb5), u"Visualizza la guida in linea.",
         &RecordCard::cmdGuidaClick},
        {u"cmdEsci", u"Esci", u"\u2716", QColor(0xb0, 0x30, 0x30),
         u"Esci dalla schermata di lavoro corrente.", &RecordCard::cmdEsciClick},
    };
    for (const Standard& s : standards) {
        if (name != QStringView(s.name)) continue;
        QToolButton* b =
            addCommand(name, QString::fromUtf16(s.caption), QString::fromUtf16(s.glyph), s.colour,
                       QString::fromUtf16(s.hint));
        connect(b, &QToolButton::clicked, this, s.slot);
    }
}

QWidget* RecordCard::control(const QString& name) const {
    return m_controls.value(name);
}

QString RecordCard::text(const QString& name) const {
    QWidget* c = control(name);
    if (auto* check = qobject_cast<QCheckBox*>(c))
        return check->isChecked() ? QString::fromUtf16(records::kYes)
                                  : QString::fromUtf16(records::kNo);
    return c ? controlText(c) : QString();
}

void RecordCard::setText(const QString& name, const QString& value) {
    if (QWidget* c = control(name)) setControlText(c, value);
}

QString RecordCard::position() const {
    return text::trimmed(m_position->text());
}
void RecordCard::setPosition(const QString& value) {
    m_position->setText(value);
}

void RecordCard::placeInSection(QWidget* widget, int section, int row, int column, int span) {
    QGridLayout* grid = m_sectionGrids.value(section);
    if (!grid) return;
    widget->setParent(grid->parentWidget());
    grid->addWidget(widget, row * 2 + 1, column, 1, span);
}

QWidget* RecordCard::firstField() const {
    return m_enterOrder.value(0);
}

void RecordCard::focusField(QWidget* field) {
    if (field) field->setFocus(Qt::OtherFocusReason);
}

void RecordCard::storeInto(records::Record& record) const {
    for (const CardField& field : m_config.fields) {
        if (!field.field || !*field.field) continue;
        const int index = m_config.layout->indexOf(QString::fromUtf16(field.field));
        QWidget* c = control(QString::fromUtf16(field.control));
        if (index < 0 || !c) continue;
        if (auto* check = qobject_cast<QCheckBox*>(c))
            record.setFlag(index, check->isChecked());
        else
            record.setText(index, controlText(c));
    }
}

void RecordCard::loadFrom(const records::Record& record) {
    for (const CardField& field : m_config.fields) {
        if (!field.field || !*field.field) continue;
        const int index = m_config.layout->indexOf(QString::fromUtf16(field.field));
        QWidget* c = control(QString::fromUtf16(field.control));
        if (index < 0 || !c) continue;
        if (auto* check = qobject_cast<QCheckBox*>(c)) {
            // Any content other than "Sì" or "No" leaves the box as it was.
            if (const auto flag = record.flag(index)) check->setChecked(*flag);
        } else {
            setControlText(c, record.text(index));
        }
    }
}

void RecordCard::loadFromRecord(const QByteArray& bytes, qint64 position) {
    loadFrom(records::Record(*m_config.layout, bytes));
    setPosition(QString::number(position));
}

void RecordCard::clearCard() {
    for (QWidget* c : std::as_const(m_controls)) {
        if (auto* check = qobject_cast<QCheckBox*>(c))
            check->setChecked(false);
        else if (auto* combo = qobject_cast<QComboBox*>(c)) {
            combo->setCurrentIndex(-1);
            combo->setEditText({});
        } else
            setControlText(c, {});
    }
    setPosition({});
}

bool RecordCard::validateForSave() {
    for (const RequiredField& required : m_config.required) {
        QWidget* c = control(QString::fromUtf16(required.control));
        if (text::trimmed(controlText(c)).isEmpty()) {
            msg::warning(this, QString::fromUtf16(required.message));
            focusField(c);
            return false;
        }
    }
    return true;
}

void RecordCard::clearOnDuplicate() {}

void RecordCard::cmdNuovoClick() {
    clearCard();
    prepareNewCard();
    focusField(firstField());
}

void RecordCard::cmdSalvaClick() {
    if (!validateForSave()) return;
    Session session(this, archivePath(), m_config.layout->recordSize());
    if (!session.open()) return;
    records::Record record(*m_config.layout);
    const QString pos = position();
    if (!pos.isEmpty()) {
        bool ok = false;
        const qint64 k = pos.toLongLong(&ok);
        // A position past the end (the file changed behind the card) is an access error.
        if (!ok || k < 1 || k > session.file().count()) {
            session.fail();
            return;
        }
        storeInto(record);
        if (!session.file().write(k, record.bytes())) {
            session.fail();
            return;
        }
        setPosition(QString::number(k));
        if (!session.finish()) return;
        msg::information(this, m_config.savedExistingMessage);
        return;
    }
    storeInto(record);
    const qint64 k = session.file().append(record.bytes());
    if (k == 0) {
        session.fail();
        return;
    }
    setPosition(QString::number(k));
    if (!session.finish()) return;
    msg::information(this, m_config.savedNewMessage);
}

void RecordCard::cmdDuplicaClick() {
    if (position().isEmpty()) {
        msg::warning(
            this, u"Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che "
                  u"questa \u00E8 stata inserita in archivio."_s);
        return;
    }
    for (const char16_t* name :
         {u"lblFile01", u"lblFile02", u"lblFile03", u"lblDesc01", u"lblDesc02", u"lblDesc03"})
        setText(QString::fromUtf16(name), {});
    clearOnDuplicate();
    setPosition({});
    Session session(this, archivePath(), m_config.layout->recordSize());
    if (!session.open()) return;
    focusField(firstField());
    if (!session.finish()) return;
    msg::information(
        this, u"E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
              u"Al termine premere Salva per inserire la scheda in archivio."_s);
}

void RecordCard::cmdPrimoClick() {
    browse(Move::First);
}
void RecordCard::cmdIndietroClick() {
    browse(Move::Previous);
}
void RecordCard::cmdAvantiClick() {
    browse(Move::Next);
}
void RecordCard::cmdUltimoClick() {
    browse(Move::Last);
}

void RecordCard::browse(Move move) {
    Session session(this, archivePath(), m_config.layout->recordSize());
    if (!session.open()) return;
    const QString pos = position();
    const qint64 p = pos.toLongLong(); // an empty position counts as 0
    // Previous on the first record does nothing, not even on an emptied archive.
    if (move == Move::Previous && pos == u"1"_s) {
        session.finish();
        return;
    }
    const qint64 count = session.file().count();
    if (count == 0) {
        if (move == Move::Next) setPosition({});
        if (session.finish()) msg::information(this, QString::fromUtf16(kNoRecord));
        return;
    }
    qint64 k = 0; // 0: stay where we are
    switch (move) {
    case Move::First:
        k = 1;
        break;
    case Move::Last:
        k = count;
        break;
    case Move::Next:
        k = p < count ? p + 1 : 0;
        break;
    case Move::Previous:
        k = p <= 2 ? 1 : p - 1;
        break;
    }
    QByteArray bytes;
    if (k > 0) {
        if (!session.file().read(k, bytes)) {
            session.fail();
            return;
        }
        loadFromRecord(bytes, k);
    }
    session.finish();
}

void RecordCard::cmdEsciClick() {
    close();
}

void RecordCard::cmdGuidaClick() {
    showHelp(this, m_config.help.title, m_config.help.text);
}

void RecordCard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // the window brought back by the desktop, not shown by the program
    prepareShownCard();
    m_hintBar->setText(m_config.initialHint);
}

void RecordCard::prepareShownCard() {
    clearCard();
    focusField(firstField());
}

void RecordCard::closeEvent(QCloseEvent* event) {
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
