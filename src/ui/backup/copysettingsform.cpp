#include "copysettingsform.h"

#include "backup/backupsettings.h"
#include "programfolder.h"
#include "settings/programsettings.h"
#include "ui/common/commands.h"
#include "ui/common/filechooser.h"
#include "ui/common/messages.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStorageInfo>
#include <QToolButton>

namespace tavolex::ui {

using namespace Qt::StringLiterals;

namespace {

// The device of a folder, or of its nearest existing parent when it is not made yet.
QByteArray deviceOf(QString folder) {
    while (!folder.isEmpty() && !QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) break;
        folder = parent;
    }
    return QStorageInfo(folder).device();
}

} // namespace

CopySettingsForm::CopySettingsForm(QWidget* screen, ScreenBehaviour* behaviour, QGridLayout* form)
    : QObject(screen), m_screen(screen) {
    form->addWidget(new QLabel(u"Cartella delle copie:"_s, screen), 0, 0);
    m_folder = new QLineEdit(screen);
    m_folder->setObjectName(u"txtCartella"_s);
    form->addWidget(m_folder, 0, 1);
    form->addWidget(makeCommandButton(screen, behaviour,
                                      {.control = u"cmdSfoglia"_s,
                                       .caption = u"Sfoglia"_s,
                                       .glyph = u"\u2026"_s,
                                       .hint = u"Sceglie la cartella delle copie di sicurezza."_s,
                                       .action = [this] { cmdSfogliaClick(); }}),
                    0, 2);
    m_sameDisk = new QLabel(u"Attenzione: la cartella delle copie si trova sullo stesso disco "
                            u"degli archivi; una copia sullo stesso disco non protegge da un "
                            u"guasto del disco."_s,
                            screen);
    m_sameDisk->setObjectName(u"lblStessoDisco"_s);
    m_sameDisk->setWordWrap(true);
    form->addWidget(m_sameDisk, 1, 1, 1, 2);
    m_automatic = new QCheckBox(u"Copia automatica alla chiusura"_s, screen);
    m_automatic->setObjectName(u"chkAutomatica"_s);
    form->addWidget(m_automatic, 2, 1);
    form->addWidget(new QLabel(u"Copie automatiche da conservare:"_s, screen), 3, 0);
    m_keep = new QSpinBox(screen);
    m_keep->setObjectName(u"txtConserva"_s);
    m_keep->setRange(backup::kMinKeep, backup::kMaxKeep);
    form->addWidget(m_keep, 3, 1, Qt::AlignLeft);

    connect(m_folder, &QLineEdit::editingFinished, this, [this] {
        save();
        Q_EMIT folderChanged();
    });
    connect(m_automatic, &QCheckBox::toggled, this, [this] { save(); });
    connect(m_keep, &QSpinBox::valueChanged, this, [this] { save(); });
}

void CopySettingsForm::load() {
    const backup::Settings settings =
        backup::loadSettings(settings::programSettingsPath(), programFolder());
    m_loading = true;
    m_folder->setText(QDir::toNativeSeparators(settings.folder));
    m_automatic->setChecked(settings.automatic);
    m_keep->setValue(settings.keep);
    m_loading = false;
}

QString CopySettingsForm::folder() const {
    return m_folder->text().trimmed();
}

void CopySettingsForm::save() {
    if (m_loading) return;
    backup::Settings settings;
    settings.folder = folder();
    if (settings.folder.isEmpty()) settings.folder = backup::defaultFolder(programFolder());
    settings.automatic = m_automatic->isChecked();
    settings.keep = m_keep->value();
    if (!backup::saveSettings(settings::programSettingsPath(), settings))
        msg::archiveAccessError(m_screen);
}

void CopySettingsForm::showFolderNotice() {
    const QString typed = folder();
    m_sameDisk->setVisible(!typed.isEmpty() && deviceOf(typed) == deviceOf(programFolder()));
}

void CopySettingsForm::cmdSfogliaClick() {
    const QString chosen = FileChooser::chooseFolder(m_screen, folder());
    if (chosen.isEmpty()) return;
    m_folder->setText(QDir::toNativeSeparators(chosen));
    save();
    Q_EMIT folderChanged();
}

} // namespace tavolex::ui
