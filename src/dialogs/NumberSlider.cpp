#include "NumberSlider.h"

#include "NumberBox.h"
#include "Rounding.h"
#include "Units.h"

NumberSlider::NumberSlider(const QString& name, const QString& accessibleName, const BoxScale& scale,
                           NumberBox& box, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), m_scale(scale), m_box(box)
{
    setObjectName(name);
    setAccessibleName(accessibleName);
    setRange(scale.sliderMin, scale.sliderMax);
    setPageStep(scale.largeStep);
    setSingleStep(scale.smallStep);
    setTickInterval(scale.tickEvery);
    setTickPosition(QSlider::TicksBelow);
    // Before the position takes effect: the user's move may be held back.
    // The user's move is an edit of the box, even one that ends where the
    // slider stood.
    connect(this, &QAbstractSlider::actionTriggered, this, [this] {
        m_box.markEdited();
        if (userClamp)
            setSliderPosition(userClamp(sliderPosition()));
    });
    connect(this, &QAbstractSlider::valueChanged, this, &NumberSlider::changed);
    connect(&m_box, &NumberBox::left, this, &NumberSlider::boxLeft);
}

void NumberSlider::setNumber(double value)
{
    const int position = ScalePosition(m_scale, value);
    m_filling = true;
    setValue(position);
    m_filling = false;
    m_box.setText(ScaleText(m_scale, PositionValue(m_scale, position)));
}

void NumberSlider::setPosition(int position)
{
    if (changeClamp)
        position = changeClamp(position);
    setValue(position);
    showPosition();
}

void NumberSlider::changed(int position)
{
    if (m_filling)
        return;
    // The held position is set once and taken as it lands: a clamp that
    // would move it again cannot send this handler round without end.
    if (changeClamp && !m_holding) {
        const int held = changeClamp(position);
        if (held != position) {
            m_holding = true;
            setValue(held);
            m_holding = false;
        }
    }
    showPosition();
}

void NumberSlider::showPosition()
{
    m_box.setText(ScaleText(m_scale, PositionValue(m_scale, value())));
}

void NumberSlider::boxLeft()
{
    if (!followsBox)
        return;
    // The box holds its clamped text; the slider takes it in its steps and
    // the box shows the step it landed on.
    setValue(ScalePosition(m_scale, LeadingNumber(m_box.text())));
    showPosition();
}
