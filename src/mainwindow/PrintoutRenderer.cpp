#include "PrintoutRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

bool RenderPrintout(QPrinter& printer, const QList<PrintLine>& lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    QFont font(QStringLiteral("Arial"), 9);
    font.setStyleHint(QFont::SansSerif);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, &printer);
    const qreal column = metrics.averageCharWidth();
    const qreal lineHeight = metrics.lineSpacing();
    const qreal pageHeight = printer.height();

    qreal baseline = metrics.ascent();
    for (const PrintLine& line : lines) {
        if (baseline + metrics.descent() > pageHeight) {
            if (!printer.newPage())
                return false;
            baseline = metrics.ascent();
        }
        painter.setFont(line.bold ? bold : font);
        painter.drawText(QPointF((line.column - 1) * column, baseline), line.text);
        baseline += lineHeight;
    }
    return painter.end();
}
