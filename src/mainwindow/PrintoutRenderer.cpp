#include "PrintoutRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

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

// The text in parts that each fit in `width`, broken after a blank where
// there is one: a line wider than the paper goes on below instead of being
// cut off at the edge.
QStringList FitToWidth(const QString& text, const QFontMetricsF& metrics, qreal width)
{
    QStringList parts;
    QString rest = text;
    while (rest.size() > 1 && metrics.horizontalAdvance(rest) > width) {
        qsizetype cut = rest.size() - 1;
        while (cut > 1 && metrics.horizontalAdvance(rest.left(cut)) > width)
            --cut;
        const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), cut - 1);
        if (blank > 0)
            cut = blank + 1;
        parts << rest.left(cut);
        rest = rest.mid(cut);
    }
    parts << rest;
    return parts;
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
    // Plain letters, one glyph each: a ligature ("fi" as one glyph) reads
    // back from a PDF as a character of its own, so searching or copying
    // "file" or "Configurator" out of the printout would fail.
    font.setStyleStrategy(QFont::PreferNoShaping);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, &printer);
    const QFontMetricsF boldMetrics(bold, &printer);
    const qreal column = metrics.averageCharWidth();
    const qreal lineHeight = metrics.lineSpacing();
    const qreal pageWidth = printer.width();
    const qreal pageHeight = printer.height();

    qreal baseline = metrics.ascent();
    for (const PrintLine& line : lines) {
        const qreal x = (line.column - 1) * column;
        painter.setFont(line.bold ? bold : font);
        for (const QString& part : FitToWidth(line.text, line.bold ? boldMetrics : metrics, pageWidth - x)) {
            if (baseline + metrics.descent() > pageHeight) {
                if (!printer.newPage())
                    return false;
                baseline = metrics.ascent();
            }
            painter.drawText(QPointF(x, baseline), part);
            baseline += lineHeight;
        }
    }
    return painter.end();
}
