#pragma once

#include <QLabel>

namespace tavolex::ui {

// A link text: orange while the mouse button is held down on it, dark blue when
// released; a click emits clicked().
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
    static QColor pressedColour() { return QColor(255, 165, 0); }
    static QColor releasedColour() { return QColor(0, 0, 139); }
    QColor currentColour() const;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setColour(const QColor& colour);
};

} // namespace tavolex::ui
