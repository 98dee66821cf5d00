#pragma once

#include "Settings.h"

#include <QList>
#include <QString>

// The texts of the main window's summary grid, worked out from the settings
// alone so they can be checked without a window. Each block is a list of
// rows, the block's title row first.
struct SummaryLine {
    QString col0;
    QString col1;
    bool merged = false;  // one text across both columns

    bool operator==(const SummaryLine& o) const
    {
        return col0 == o.col0 && col1 == o.col1 && merged == o.merged;
    }
};
using SummaryLines = QList<SummaryLine>;

// A title or any other row that spans both columns with one text.
SummaryLine MergedLine(const QString& text);

// A double in its shortest decimal form within 15 significant digits (1.4,
// 40, 0.3125, 100000) and a number with exactly three decimals (10.000);
// "." whatever the user's locale.
QString SummaryNumber(double value);
QString SummaryFixed3(double value);

// Motor: 3 rows. partNoX is the database motor's key, used unless the custom
// motor is in use.
SummaryLines MotorSummary(const Settings& s, const QString& partNoX);
// Motion mode: 3 rows. motionDesc is the main window's description caption,
// in which "&&" stands for one ampersand.
SummaryLines MotionSummary(const Settings& s, const QString& motionDesc);
// Regen resistor: 3 rows.
SummaryLines RegenSummary(const Settings& s);
// Dedicated I/O: 7 rows.
SummaryLines IOSummary(const Settings& s);
// Encoder: 3 rows; the stall line depends on the motion mode.
SummaryLines EncoderSummary(const Settings& s);
