#include "TfrmAllegaCartella.h"

#include "ui/common/filechooser.h"

#include "attachmentfolder.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"

#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

QString numbered(const QString& stem, int slot) {
    return stem + u"0"_s + QString::number(slot);
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmAllegaCartella"_s);
    setWindowTitle(u" Allega file"_s);
    // Fixed size, title bar without window buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(4);
    for (int slot = 1; slot <= 3; ++slot) {
        if (slot > 1) {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            layout->addSpacing(6);
            layout->addWidget(line);
            layout->addSpacing(6);
        }
        buildSlot(slot, layout);
    }

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(u"lblMemory"_s);
    m_lblMemory->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* apply = new QPushButton(u"Applica e chiudi"_s, this);
    apply->setObjectName(u"btnApplica"_s);
    auto* cancel = new QPushButton(u"Annulla"_s, this);
    cancel->setObjectName(u"btnAnnulla"_s);
    for (QPushButton* b : {apply, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(120);
        buttons->addWidget(b);
    }
    layout->addSpacing(12);
    layout->addLayout(buttons);
    connect(apply, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(cancel, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
}

void TfrmAllegaCartella::buildSlot(int slot, QVBoxLayout* layout) {
    Slot& s = slotAt(slot);
    const QString nth = QString::number(slot) + u"° file allegato:"_s;

    layout->addWidget(new QLabel(u"Nome "_s + nth, this));
    auto* row = new QHBoxLayout;
    s.file = new QLineEdit(this);
    s.file->setObjectName(numbered(u"txtFile"_s, slot));
    s.file->setReadOnly(true);
    s.file->setMinimumWidth(360);
    s.browse = new QPushButton(u"Sfoglia..."_s, this);
    s.browse->setObjectName(numbered(u"btnSfoglia"_s, slot));
    s.open = new QPushButton(u"Apri"_s, this);
    s.open->setObjectName(numbered(u"btnApri"_s, slot));
    s.open->setEnabled(false);
    for (QPushButton* b : {s.browse, s.open})
        b->setAutoDefault(false);
    s.clear = new QToolButton(this);
    s.clear->setObjectName(numbered(u"imgCancella"_s, slot));
    s.clear->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
    s.clear->setAutoRaise(true);
    s.clear->setCursor(Qt::PointingHandCursor);
    s.clear->setToolTip(u"Elimina il file dalla scheda."_s);
    row->addWidget(s.file, 1);
    row->addWidget(s.browse);
    row->addWidget(s.open);
    row->addWidget(s.clear);
    layout->addLayout(row);

    layout->addWidget(new QLabel(u"Descrizione "_s + nth, this));
    s.desc = new QLineEdit(this);
    s.desc->setObjectName(numbered(u"txtDesc"_s, slot));
    layout->addWidget(s.desc);

    connect(s.file, &QLineEdit::textChanged, s.open,
            [open = s.open](const QString& name) { open->setEnabled(!name.trimmed().isEmpty()); });
    connect(s.browse, &QPushButton::clicked, this, [this, slot] { btnSfogliaClick(slot); });
    connect(s.open, &QPushButton::clicked, this, [this, slot] { btnApriClick(slot); });
    connect(s.clear, &QToolButton::clicked, this, [this, slot] { imgCancellaClick(slot); });
}

TfrmAllegaCartella::Slot& TfrmAllegaCartella::slotAt(int slot) {
    return m_slots.at(std::size_t(qBound(1, slot, 3) - 1));
}

void TfrmAllegaCartella::setCallerTag(const QString& tag) {
    m_lblMemory->setText(tag);
}

QString TfrmAllegaCartella::callerTag() const {
    return m_lblMemory->text();
}

void TfrmAllegaCartella::setValues(const QString& file01, const QString& desc01,
                                   const QString& file02, const QString& desc02,
                                   const QString& file03, const QString& desc03) {
    const std::array<std::pair<QString, QString>, 3> given{
        {{file01, desc01}, {file02, desc02}, {file03, desc03}}};
    for (std::size_t i = 0; i < given.size(); ++i) {
        m_slots[i].file->setText(given[i].first.trimmed());
        m_slots[i].desc->setText(given[i].second.trimmed());
    }
}

void TfrmAllegaCartella::setValues(const AttachmentValues& v) {
    setValues(v.file01, v.desc01, v.file02, v.desc02, v.file03, v.desc03);
}

AttachmentValues TfrmAllegaCartella::values() const {
    auto t = [this](std::size_t i, bool file) {
        return (file ? m_slots[i].file : m_slots[i].desc)->text().trimmed();
    };
    return {t(0, true), t(0, false), t(1, true), t(1, false), t(2, true), t(2, false)};
}

std::optional<AttachmentValues> TfrmAllegaCartella::edit(QWidget* parent, const QString& tag,
                                                         const AttachmentValues& current) {
    TfrmAllegaCartella screen(parent);
    screen.setCallerTag(tag);
    screen.setValues(current);
    if (screen.exec() != QDialog::Accepted) return std::nullopt;
    return screen.values();
}

void TfrmAllegaCartella::setFileChooser(std::function<QString(QWidget* parent)> newChooser) {
    FileChooser::setHook(std::move(newChooser));
}

QString TfrmAllegaCartella::overwriteQuestion() {
    return u"Attenzione: nella cartella dei documenti allegati è presente un file con lo "
           u"stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"_s;
}

void TfrmAllegaCartella::btnSfogliaClick(int slot) {
    const QString chosen = FileChooser::chooseAttachment(this);
    if (chosen.isEmpty()) return;
    const QString name = QFileInfo(chosen).fileName();
    // A name is only given to a slot when the folder holds a file of that name.
    const attachments::Copy copy = attachments::copyIn(
        chosen, name, [this] { return msg::question(this, overwriteQuestion()); }, this);
    if (copy == attachments::Copy::Failed) {
        attachments::reportFailedCopy(this, chosen);
        return;
    }
    slotAt(slot).file->setText(name);
}

void TfrmAllegaCartella::btnApriClick(int slot) {
    const QString name = slotAt(slot).file->text().trimmed();
    if (name.isEmpty()) return;
    attachments::open(name);
}

void TfrmAllegaCartella::imgCancellaClick(int slot) {
    slotAt(slot).file->clear();
}

void TfrmAllegaCartella::btnApplicaClick() {
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick() {
    reject();
}

void TfrmAllegaCartella::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QScreen* screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
}

} // namespace tavolex::ui
