#include "startpanel.h"

#include "ui/common/artwork.h"
#include "ui/common/theme.h"
#include "ui/common/yearboxes.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

DeadlineStartPanel::DeadlineStartPanel(ScreenBehaviour* behaviour, const QDate& calendarDate,
                                       QWidget* card)
    : QWidget(card) {
    setObjectName(u"panAvvio"_s);
    auto* column = new QVBoxLayout(this);
    auto label = [this](const QString& name, const QString& text, bool bold = false) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        QFont f = l->font();
        f.setBold(bold);
        l->setFont(f);
        return l;
    };
    auto* top = new QHBoxLayout;
    top->addStretch();
    QToolButton* guida = makePictureButton(this, u"imgGuida"_s, {}, u"?"_s, toneColour(Tone::Help));
    connect(guida, &QToolButton::clicked, this, &DeadlineStartPanel::helpRequested);
    top->addWidget(guida);
    column->addLayout(top);

    auto* grid = new QGridLayout;
    column->addLayout(grid, 1);
    auto* open = new QVBoxLayout;
    open->addWidget(label(u"lblInfo05"_s,
                          u"Accedi all'archivio annuale per inserire o modificare le scadenze."_s,
                          true));
    open->addWidget(label(u"lblApri"_s, u"Indicare l'anno solare e premere Apri."_s));
    m_year = new YearBoxes({{{}, u"txtAnno"_s, u"btnApri"_s, u"Apri"_s}}, behaviour, this);
    connect(m_year, &YearBoxes::yearChosen, this,
            [this](int, const QString& year) { Q_EMIT yearChosen(year); });
    open->addWidget(m_year);
    open->addSpacing(24);
    open->addWidget(label(u"lblInfo06"_s, u"Visualizza le scadenze imminenti."_s, true));
    open->addWidget(label(u"lblOK"_s, u"Premere OK per ottenere l'elenco delle scadenze."_s));
    auto* okRow = new QHBoxLayout;
    auto* present = new QLabel(this);
    present->setObjectName(u"imgPresenti"_s);
    present->setPixmap(tilePixmap(u"!"_s, toneColour(Tone::Exit), QSize(64, 64)));
    m_present = present;
    auto* absent = new QLabel(this);
    absent->setObjectName(u"imgAssenti"_s);
    absent->setPixmap(tilePixmap(u"\u2714"_s, toneColour(Tone::Create), QSize(64, 64)));
    m_absent = absent;
    m_ok = new QPushButton(u"OK"_s, this);
    m_ok->setObjectName(u"btnOK"_s);
    connect(m_ok, &QPushButton::clicked, this, &DeadlineStartPanel::imminentRequested);
    okRow->addWidget(m_present);
    okRow->addWidget(m_absent);
    okRow->addWidget(m_ok);
    okRow->addStretch();
    open->addLayout(okRow);
    open->addStretch();
    grid->addLayout(open, 0, 0);

    auto* days = new QVBoxLayout;
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(u"calAppuntamenti"_s);
    m_calendar->setSelectedDate(calendarDate);
    days->addWidget(m_calendar);
    auto* dayButtons = new QHBoxLayout;
    for (const auto& [name, caption, request] :
         {std::tuple{u"btnGiorno"_s, u"Scadenze del giorno"_s, &DeadlineStartPanel::dayRequested},
          std::tuple{u"btnMese"_s, u"Scadenze del mese"_s, &DeadlineStartPanel::monthRequested}}) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, request);
        dayButtons->addWidget(button);
    }
    days->addLayout(dayButtons);
    days->addStretch();
    grid->addLayout(days, 0, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    QToolButton* esci =
        makePictureButton(this, u"imgEsci"_s, {}, u"\u2716"_s, toneColour(Tone::Exit));
    connect(esci, &QToolButton::clicked, this, &DeadlineStartPanel::exitRequested);
    bottom->addWidget(esci);
    column->addLayout(bottom);
}

void DeadlineStartPanel::resetYear() {
    m_year->reset();
}

void DeadlineStartPanel::showImminent(bool imminent) {
    m_present->setVisible(imminent);
    m_absent->setVisible(!imminent);
    m_ok->setEnabled(imminent);
}

QDate DeadlineStartPanel::calendarDate() const {
    return m_calendar->selectedDate();
}

} // namespace tavolex::ui
