#pragma once

#include <QString>
#include <QtGlobal>

// The help pages the build puts beside the program.
inline QString HelpFolder()
{
    return qEnvironmentVariable("KORV4_BIN") + QStringLiteral("/KORV4 help/");
}
