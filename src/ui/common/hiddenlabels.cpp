#include "hiddenlabels.h"

#include <QLabel>

namespace tavolex::ui {

HiddenLabels::HiddenLabels(QWidget* screen, const QStringList& names, const QString& initial) {
    for (const QString& name : names) {
        auto* label = new QLabel(initial, screen);
        label->setObjectName(name);
        label->hide();
        m_labels << label;
    }
}

void HiddenLabels::show(qsizetype index, const QString& text) {
    m_labels.at(index)->setText(text);
}

} // namespace tavolex::ui
