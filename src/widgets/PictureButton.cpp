#include "PictureButton.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {
QString PicturePath(const QString& name)
{
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

// Holds an event's modifiers for the time its handler runs (the click it
// makes is signalled inside it), and forgets them afterwards.
class EventModifiersScope {
public:
    EventModifiersScope(std::optional<Qt::KeyboardModifiers>& slot, Qt::KeyboardModifiers modifiers)
        : m_slot(slot), m_saved(slot)
    {
        m_slot = modifiers;
    }
    ~EventModifiersScope() { m_slot = m_saved; }
    EventModifiersScope(const EventModifiersScope&) = delete;
    EventModifiersScope& operator=(const EventModifiersScope&) = delete;

private:
    std::optional<Qt::KeyboardModifiers>& m_slot;
    std::optional<Qt::KeyboardModifiers> m_saved;
};
}  // namespace

PictureButton::PictureButton(const QString& caption, const QString& raised, const QString& pressed,
                             QWidget* parent)
    : QAbstractButton(parent),
      m_raised(raised),
      m_pressed(pressed),
      m_raisedPicture(PicturePath(raised)),
      m_pressedPicture(PicturePath(pressed))
{
    setText(caption);
    setAccessibleName(caption);
    setToolTip(caption);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

QString PictureButton::currentPicture() const
{
    return isDown() ? m_pressed : m_raised;
}

QSize PictureButton::sizeHint() const
{
    return m_raisedPicture.defaultSize();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer& picture = isDown() ? m_pressedPicture : m_raisedPicture;
    picture.render(&painter, QRectF(rect()));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

Qt::KeyboardModifiers PictureButton::clickModifiers() const
{
    return m_eventModifiers ? *m_eventModifiers : QGuiApplication::queryKeyboardModifiers();
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    const EventModifiersScope scope(m_eventModifiers, event->modifiers());
    QAbstractButton::mousePressEvent(event);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const EventModifiersScope scope(m_eventModifiers, event->modifiers());  // the click is made at the release
    QAbstractButton::mouseReleaseEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    const EventModifiersScope scope(m_eventModifiers, event->modifiers());
    QAbstractButton::keyPressEvent(event);
}

void PictureButton::keyReleaseEvent(QKeyEvent* event)
{
    const EventModifiersScope scope(m_eventModifiers, event->modifiers());
    QAbstractButton::keyReleaseEvent(event);
}
