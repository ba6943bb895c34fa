#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <functional>

class QToolButton;
class QLabel;
class QWidget;

namespace tavolex::ui {

// The program's pictures are drawn in code: a rounded tile with a glyph and,
// for the larger ones, a caption.
QPixmap tilePixmap(const QString& glyph, const QColor& colour, QSize size,
                   const QString& caption = {});
// A tile with a small bar chart, for the statistics.
QPixmap chartTilePixmap(const QColor& colour, QSize size);
QIcon glyphIcon(const QString& glyph, const QColor& colour);
QPixmap logoPixmap(QSize size);
// The program's icon: the "T" tile of the logo, `side` pixels square.
QPixmap iconPixmap(int side);

// A picture button of a card, menu or export screen: reacts to a click, hand cursor.
QToolButton* makePictureButton(QWidget* parent, const QString& objectName, const QString& caption,
                               const QString& glyph, const QColor& colour);

// A clickable picture: a flat button showing the pixmap (focus, Enter and Space, and an
// accessible name), wired with onClick().
QToolButton* makeClickablePicture(QWidget* parent, const QString& objectName,
                                  const QPixmap& pixmap);

// Calls `action` when the widget is clicked (button released over it).
void onClick(QWidget* widget, std::function<void()> action);

} // namespace tavolex::ui
