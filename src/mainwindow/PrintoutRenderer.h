#pragma once

#include "Printout.h"

#include <QList>

class QPrinter;

// Draws a printout on a printer (or a PDF file) in Arial 9 pt, or the font
// system's nearest sans-serif face: each line at its column, counted in the
// font's average character width from the left edge of the printable area
// (with margins of at least 15 mm), a line too wide for the paper going on
// below at its column, and a new page whenever the next line would not fit.
// False when the printer cannot be started or a page cannot be begun.
bool RenderPrintout(QPrinter& printer, const QList<PrintLine>& lines);
