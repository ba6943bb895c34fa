#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace tavolex::ui {

// Labels of a screen that are never shown: they hold, as text, values the screen keeps
// elsewhere, for whoever reads the screen's labels. Only views: nothing reads them back.
class HiddenLabels {
public:
    HiddenLabels() = default;
    // One hidden label of `screen` for each name, each showing `initial`.
    HiddenLabels(QWidget* screen, const QStringList& names, const QString& initial = {});

    // The label at `index`, in the order of the names, shows `text`.
    void show(qsizetype index, const QString& text);

private:
    QList<QLabel*> m_labels;
};

} // namespace tavolex::ui
