#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// The small pictures the drive tools show, drawn here: the LEDs of the
// inputs and outputs, the Enable and Disable pictures, and lamps.
namespace ToolPictures {

enum class LedPicture { Black, Green, Orange };
QPixmap Led(LedPicture picture);
// The Enable picture: a green or a grey triangle.
QPixmap Play(bool green);
// The Disable picture: red or grey bars.
QPixmap Pause(bool red);

}  // namespace ToolPictures

// A round lamp: filled with its colour when lit, an empty ring when dark; a
// screen reader hears "on" or "off" after its name.
class Lamp : public QWidget {
    Q_OBJECT
public:
    Lamp(const QColor& colour, QWidget* parent = nullptr);
    void setLit(bool lit);
    bool isLit() const { return m_lit; }
    QSize sizeHint() const override { return {14, 14}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    bool m_lit = false;
};
