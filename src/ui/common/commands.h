#pragma once

#include "theme.h"

#include <QString>
#include <functional>
#include <span>

class QVBoxLayout;

class QLabel;
class QToolButton;
class QWidget;

namespace tavolex::ui {

class ScreenBehaviour;

// A picture button of a screen's command column or row. A declaration names the control
// and gives what differs from the standard command of that name (see completed()).
struct Command {
    QString control;
    QString caption;
    QString glyph;
    Tone tone = Tone::Service;
    QString hint;
    std::function<void()> action; // empty: the pattern's own action for that name
};

// The command as declared, with caption, glyph, tone and hint taken from the standard
// command of its name (cmdNuovo, cmdSalva, cmdStampa ...) where the declaration leaves them
// empty. A name with no standard keeps what it declares.
Command completed(Command declared);

// The picture button of a command (completed as above), its hint registered with the screen's
// behaviour and its action connected.
QToolButton* makeCommandButton(QWidget* screen, ScreenBehaviour* behaviour,
                               const Command& declared);

// The hint bar panInfo along the bottom of a screen, starting with `initialHint`.
QLabel* makeHintBar(QWidget* screen, ScreenBehaviour* behaviour, const QString& initialHint);

// The foot of a hand-built screen: its commands in a row from the left, then the hint bar.
void addCommandFoot(QVBoxLayout* outer, QWidget* screen, ScreenBehaviour* behaviour,
                    std::span<const Command> commands);

} // namespace tavolex::ui
