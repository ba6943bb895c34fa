#include "calendario.h"

#include "clock.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

TfrmCalendario::TfrmCalendario(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TfrmCalendario"_s);
    setWindowTitle(u" Importazione data"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Importare una data:"_s, this));
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(u"calAppuntamenti"_s);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calendar->setSelectedDate(Clock::today());
    layout->addWidget(m_calendar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* importa = new QPushButton(u"Importa"_s, this);
    importa->setObjectName(u"btnImportaData"_s);
    importa->setDefault(true);
    connect(importa, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    auto* annulla = new QPushButton(u"Annulla"_s, this);
    annulla->setObjectName(u"btnAnnulla"_s);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(importa);
    buttons->addWidget(annulla);
    layout->addLayout(buttons);
    m_memory = new QLabel(this);
    m_memory->setObjectName(u"lblMemory"_s);
    m_memory->hide();
    setFixedSize(sizeHint());
}

void TfrmCalendario::setTag(const QString& tag) {
    m_memory->setText(tag);
}
QString TfrmCalendario::tag() const {
    return m_memory->text();
}
void TfrmCalendario::setDate(const QDate& date) {
    m_calendar->setSelectedDate(date);
}

std::optional<QDate> TfrmCalendario::pick(QWidget* parent, const QString& tag) {
    TfrmCalendario calendar(parent);
    calendar.setTag(tag);
    calendar.m_handsBack = true;
    calendar.exec();
    return calendar.chosen();
}

void TfrmCalendario::btnImportaDataClick() {
    if (!m_handsBack) return;
    m_chosen = m_calendar->selectedDate();
    accept();
}

namespace {
class DateFieldFilter : public QObject {
public:
    DateFieldFilter(QLineEdit* field, QString tag) : QObject(field), m_tag(std::move(tag)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* field = static_cast<QLineEdit*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            field->clear();
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Shift ||
            key == Qt::Key_Control || key == Qt::Key_Alt)
            return false;
        if (const std::optional<QDate> date = TfrmCalendario::pick(field->window(), m_tag))
            field->setText(date->toString(u"dd/MM/yyyy"_s));
        return true;
    }

private:
    QString m_tag;
};
} // namespace

void installDateField(QLineEdit* field, const QString& tag) {
    field->setReadOnly(true);
    field->setProperty("tavolexDateField", true);
    field->installEventFilter(new DateFieldFilter(field, tag));
}

} // namespace tavolex::ui

namespace tavolex::ui {
bool isDateField(const QWidget* field) {
    return field && field->property("tavolexDateField").toBool();
}
} // namespace tavolex::ui
