#pragma once

#include "carddecl.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>

class QBoxLayout;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QWidget;

namespace tavolex::ui {

class ScreenBehaviour;

// The widgets of a card made from its declaration: one frame per section with its picture
// and a grid of six columns, the controls in declaration order (which is also the Tab and
// Enter order), the command column with the navigation arrows around lblPosizione, and the
// hint bar. The form only builds and finds widgets; what they hold is the binder's business.
class CardForm {
public:
    // The card's own action for a command (cmdNuovo, cmdPrimo ...) or button declared
    // without one.
    using ActionFor = std::function<std::function<void()>(const QString& control)>;

    // `decl` must be completed (see completedDecl) and outlive the form.
    CardForm(const RecordCardDecl& decl, ScreenBehaviour* behaviour);

    // The whole card inside `owner`: in the declared panel if there is one, sections on the
    // left, commands on the right, hint bar along the bottom. A picture or push button
    // declared without an action takes the card's, as a command does.
    void build(QWidget* owner, const ActionFor& actionFor);
    // Only the section frames and their controls, added to `column`; hidden labels go
    // straight under `owner`. Enough for binding controls to records.
    void buildFields(QWidget* owner, QBoxLayout* column);

    QWidget* control(const QString& name) const { return m_controls.value(name); }
    // The button group of a Choice, by the Choice's control name; null for other controls.
    QButtonGroup* choice(const QString& name) const { return m_choices.value(name); }
    // The fields Enter moves through, in declaration order.
    const QList<QWidget*>& enterOrder() const { return m_enterOrder; }
    QWidget* panel() const { return m_panel; }
    QLabel* hintBar() const { return m_hintBar; }
    QLabel* positionLabel() const { return m_positionLabel; }

private:
    QGridLayout* addSection(QWidget* owner, const CardSection& section, QBoxLayout* column);
    QWidget* placeField(QWidget* owner, const CardField& field);
    QWidget* buildControl(QWidget* owner, const CardField& field, QWidget* parentWidget);
    QWidget* buildChoice(const CardField& field, QWidget* parentWidget);
    void setTabOrder(QWidget* owner);
    void connectEnabledBy();
    void setEnterOrder();
    void buildCommandColumn(QWidget* owner, QBoxLayout* column, const ActionFor& actionFor);

    const RecordCardDecl& m_decl;
    ScreenBehaviour* m_behaviour;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QButtonGroup*> m_choices;
    QList<QWidget*> m_enterOrder;
    QSet<QWidget*> m_enterStops; // Enter in these goes nowhere
    QList<QGridLayout*> m_sectionGrids;
    QWidget* m_panel = nullptr;
    QLabel* m_hintBar = nullptr;
    QLabel* m_positionLabel = nullptr;
    ActionFor m_actionFor; // empty while only the fields are built
};

} // namespace tavolex::ui
