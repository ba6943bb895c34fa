#include "TfrmCartella.h"

#include "files/log.h"
#include "practices/practicelines.h"
#include "text/casing.h"
#include "ui/common/artwork.h"
#include "ui/common/listscreen.h"
#include "ui/common/misc.h"
#include "ui/common/theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmCartella::TfrmCartella(QWidget* parent) : QDialog(parent), m_memory(new QLabel(this)) {
    setObjectName(u"TfrmCartella"_s);
    setWindowTitle(u" Gestione cartella abbinata alla scheda corrente"_s);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
    auto* outer = new QVBoxLayout(this);
    const std::pair<QString, QString> steps[] = {
        {u"\u2750"_s, u"Apri cartella crea, se non esiste ancora, la cartella abbinata alla "
                      u"pratica e la apre nel gestore dei file."_s},
        {u"\u2709"_s, u"Copiare o trascinare nella cartella i documenti scansionati della "
                      u"pratica: restano abbinati alla scheda."_s},
    };
    for (const auto& [glyph, instruction] : steps) {
        auto* row = new QHBoxLayout;
        auto* picture = new QLabel(this);
        picture->setPixmap(tilePixmap(glyph, toneColour(Tone::Service), QSize(48, 48)));
        auto* words = new QLabel(instruction, this);
        words->setWordWrap(true);
        row->addWidget(picture);
        row->addWidget(words, 1);
        outer->addLayout(row);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* open = new QPushButton(u"Apri cartella"_s, this);
    open->setObjectName(u"btnApriCartella"_s);
    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    buttons->addWidget(open);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    connect(open, &QPushButton::clicked, this, &TfrmCartella::btnApriCartellaClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(520, sizeHint().height());
}

void TfrmCartella::setTag(const QString& position) {
    m_memory->setText(position);
}

QString TfrmCartella::tag() const {
    return m_memory->text();
}

void TfrmCartella::btnApriCartellaClick() {
    const QString position = text::trimmed(tag());
    // Only a record position names a folder: anything else would point elsewhere.
    if (text::isDigitsOnly(position)) {
        const QString folder = practices::folderOf(position);
        // As with any opener failure, nothing is reported to the user.
        if (!practices::makeFolder(folder))
            qCWarning(lcFiles).noquote() << "cannot create" << folder;
        TMisc::Open(u'"' + folder + u'"');
    }
    accept();
}

} // namespace tavolex::ui
