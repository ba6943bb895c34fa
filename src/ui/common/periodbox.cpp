#include "periodbox.h"

#include "behaviour.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList dayItems() {
    QStringList days;
    for (int d = 1; d <= 31; ++d)
        days << QString::number(d).rightJustified(2, u'0');
    return days;
}

QComboBox* pickList(const QString& name, const QStringList& items, int width,
                    ScreenBehaviour* behaviour, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setMaxVisibleItems(12);
    combo->setMinimumWidth(width);
    combo->setCurrentIndex(-1);
    behaviour->setTypingRules(combo, PickFromList);
    return combo;
}

QString chosenText(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? QString() : combo->currentText();
}

} // namespace

PeriodBox::PeriodBox(const PeriodBoxDecl& decl, ScreenBehaviour* behaviour, QWidget* parent)
    : QGroupBox(decl.title, parent), m_day(pickList(decl.dayName, dayItems(), 70, behaviour, this)),
      m_month(pickList(decl.monthName, decl.months, 140, behaviour, this)),
      m_year(new QLabel(u"ANNO"_s, this)) {
    m_year->setObjectName(decl.yearName);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(u"Giorno:"_s, this), 0, 0);
    grid->addWidget(new QLabel(u"Mese:"_s, this), 0, 1);
    grid->addWidget(m_day, 1, 0);
    grid->addWidget(m_month, 1, 1);
    grid->addWidget(m_year, 1, 2);
    behaviour->setEnterNext(m_day, m_month);
    setTabOrder(m_day, m_month);
}

QString PeriodBox::dayText() const {
    return chosenText(m_day);
}

QString PeriodBox::monthText() const {
    return chosenText(m_month);
}

void PeriodBox::setYear(const QString& year) {
    m_year->setText(year);
}

void PeriodBox::clearChoice() {
    m_day->setCurrentIndex(-1);
    m_month->setCurrentIndex(-1);
}

} // namespace tavolex::ui
