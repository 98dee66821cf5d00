#include "FittedFont.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace {

constexpr double SmallestPoints = 6.0;
constexpr double Step = 0.5;

bool AllFit(const QFont& font, const QStringList& texts, int width)
{
    // Measured as a label measures its text, so that the label's wish and
    // the room it gets agree.
    const QFontMetrics metrics(font);
    for (QString text : texts) {
        text.replace(QStringLiteral("&&"), QStringLiteral("&"));
        if (metrics.boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignLeft | Qt::TextSingleLine, text).width() > width)
            return false;
    }
    return true;
}

}  // namespace

QFont FittedFont(const QFont& font, const QStringList& texts, int width)
{
    QFont fitted = font;
    if (fitted.pointSizeF() <= 0)  // a font given in pixels
        fitted.setPointSizeF(QFontInfo(font).pointSizeF());
    while (!AllFit(fitted, texts, width) && fitted.pointSizeF() - Step >= SmallestPoints)
        fitted.setPointSizeF(fitted.pointSizeF() - Step);
    return fitted;
}
