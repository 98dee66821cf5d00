#pragma once

#include "BoxScale.h"

#include <QSlider>
#include <functional>

class NumberBox;

// A slider that holds the number of the box beside it in fixed steps
// (running current in 0.01 A, an idle delay in 0.01 s, a ratio in 0.1).
// Moving the slider rewrites the box's text; leaving the box (its clamp has
// run) moves the slider to the text; filling writes both, so no text is
// left behind when the slider already stood at the filled position. OK
// reads the box, not the slider.
class NumberSlider : public QSlider {
    Q_OBJECT
public:
    NumberSlider(const QString& name, const QString& accessibleName, const BoxScale& scale, NumberBox& box,
                 QWidget* parent = nullptr);

    NumberBox& box() const { return m_box; }
    const BoxScale& scale() const { return m_scale; }

    // Filling: the slider at the number (held inside its range), the box
    // showing the number in the slider's steps. No clamp of the dialog runs:
    // the box shows what the settings hold, OK normalises it.
    void setNumber(double value);
    // The program moves the slider: the change clamp runs and the box always
    // shows the position reached.
    void setPosition(int position);

    // Where a position the user moved to (drag, keys, wheel) is held.
    std::function<int(int)> userClamp;
    // Where any other change is held (empty: nowhere).
    std::function<int(int)> changeClamp;
    // False: leaving the box leaves the slider where it was (the box and the
    // slider may then differ, and OK takes the box).
    bool followsBox = true;

private:
    void changed(int position);
    void showPosition();
    void boxLeft();

    BoxScale m_scale;
    NumberBox& m_box;
    bool m_filling = false;
    bool m_holding = false;  // changed() is setting the position its clamp held
};
