#include "PrintoutRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace {

// The page layout's own margins can be a few points (a PDF's are 10 pt):
// text that close to the edge looks cramped and is cut off when the page
// is printed later on a printer that cannot reach the edge.
constexpr qreal LeastMarginMm = 15.0;

void KeepOffTheEdges(QPrinter& printer)
{
    QMarginsF m = printer.pageLayout().margins(QPageLayout::Millimeter);
    m.setLeft(qMax(m.left(), LeastMarginMm));
    m.setTop(qMax(m.top(), LeastMarginMm));
    m.setRight(qMax(m.right(), LeastMarginMm));
    m.setBottom(qMax(m.bottom(), LeastMarginMm));
    printer.setPageMargins(m, QPageLayout::Millimeter);
}

}  // namespace

bool RenderPrintout(QPrinter& printer, const QList<PrintLine>& lines)
{
    KeepOffTheEdges(printer);
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
