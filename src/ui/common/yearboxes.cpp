#include "yearboxes.h"

#include "behaviour.h"
#include "clock.h"
#include "messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

YearBoxes::YearBoxes(const QList<YearBox>& boxes, ScreenBehaviour* behaviour, QWidget* parent,
                     bool (*isAcceptableYear)(const QString&))
    : QWidget(parent), m_isAcceptableYear(isAcceptableYear) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    for (int i = 0; i < boxes.size(); ++i) {
        auto* box = new QGroupBox(boxes[i].title, this);
        auto* inside = new QHBoxLayout(box);
        inside->addWidget(new QLabel(u"Anno:"_s, box));
        auto* year = new QLineEdit(box);
        year->setObjectName(boxes[i].yearField);
        year->setMaxLength(4);
        year->setAlignment(Qt::AlignCenter);
        QFont bold = year->font();
        bold.setBold(true);
        year->setFont(bold);
        year->setFixedWidth(90);
        inside->addWidget(year);
        auto* button = new QPushButton(boxes[i].caption, box);
        button->setObjectName(boxes[i].button);
        connect(button, &QPushButton::clicked, this, [this, i] { choose(i); });
        inside->addWidget(button);
        behaviour->setTypingRules(year, DigitsOnly);
        behaviour->setEnterNext(year, button);
        row->addWidget(box);
        m_fields << year;
    }
    row->addStretch();
}

void YearBoxes::reset() {
    for (QLineEdit* year : std::as_const(m_fields))
        year->setText(Clock::today().toString(u"yyyy"_s));
    if (!m_fields.isEmpty()) m_fields.constFirst()->setFocus(Qt::OtherFocusReason);
}

void YearBoxes::choose(int box) {
    QLineEdit* field = m_fields.value(box);
    if (!field) return;
    const QString year = field->text();
    const bool acceptable = m_isAcceptableYear ? m_isAcceptableYear(year) : year.size() == 4;
    if (!acceptable) {
        msg::warning(window(), u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
        field->setFocus(Qt::OtherFocusReason);
        return;
    }
    Q_EMIT yearChosen(box, year);
}

} // namespace tavolex::ui
