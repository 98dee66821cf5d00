#include "MenuButton.h"

#include "FittedFont.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int Margin = 6;  // between the bevel's edge and the caption
constexpr int Gap = 2;     // between the picture and the caption
}  // namespace

MenuButton::MenuButton(const QIcon& picture, const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setIcon(picture);
    setIconSize(QSize(PictureSize, PictureSize));
}

int MenuButton::captionWidth() const
{
    return width() - 2 * Margin;
}

QSize MenuButton::sizeHint() const
{
    QString shown = text();
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    const QFontMetrics metrics = fontMetrics();
    const int textWidth = metrics.horizontalAdvance(shown);
    return {qMax(textWidth, PictureSize) + 2 * Margin, PictureSize + Gap + metrics.height() + 2 * Margin};
}

void MenuButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    setFont(FittedFont(QApplication::font(this), {text()}, captionWidth()));
}

void MenuButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The bevel and the focus frame as the style draws them; the picture
    // and the caption stacked in the middle.
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    const int textHeight = fontMetrics().height();
    const int contentHeight = PictureSize + Gap + textHeight;
    const int shift = isDown() ? style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this) : 0;
    const int top = (height() - contentHeight) / 2 + shift;
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QRect pictureRect((width() - PictureSize) / 2, top, PictureSize, PictureSize);
    icon().paint(&painter, pictureRect, Qt::AlignCenter, mode);
    const QRect textRect(Margin, top + PictureSize + Gap, captionWidth(), textHeight);
    painter.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}
