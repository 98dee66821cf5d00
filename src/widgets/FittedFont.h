#pragma once

#include <QFont>
#include <QStringList>

// The given font, made smaller where needed, so that each text fits in the
// given width on one line. Windows laid out to fixed sizes use it for their
// captions: on a system whose font is wider than the design's, a caption
// becomes a little smaller instead of being cut off. Captions use "&&" for
// one "&". It never goes below 6 points.
QFont FittedFont(const QFont& font, const QStringList& texts, int width);
