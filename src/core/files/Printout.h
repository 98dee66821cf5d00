#pragma once

#include "MotorRecord.h"
#include "Settings.h"

#include <QList>
#include <QString>
#include <optional>

// The printed configuration summary as text: a list of lines, each placed at
// a column counted in character widths (column 1 is the left margin). The
// renderer in the windows draws it on a printer; tests read it as text.
struct PrintLine {
    int column = 2;
    QString text;
    bool bold = false;

    bool operator==(const PrintLine& o) const
    {
        return column == o.column && text == o.text && bold == o.bold;
    }
};

// What the printout shows besides the settings.
struct PrintoutInput {
    Settings settings;
    QString modelName;        // the model list's text, e.g. "KORV4-J"
    QString driveVersion;     // the firmware version label's text
    QString programVersion;
    std::optional<MotorRecord> databaseMotor;  // none: the database has no current record
    int commRow = -1;         // port list row, -1 when none is selected
};

QList<PrintLine> ComposePrintout(const PrintoutInput& in);

// The lines as plain text, each indented to its column with blanks; for
// logs and tests.
QString PrintoutText(const QList<PrintLine>& lines);
