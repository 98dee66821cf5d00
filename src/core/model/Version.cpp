#include "Version.h"

QString VersionText(int major, int minor, int revision)
{
    if (revision == 0)
        return QStringLiteral("%1.%2").arg(major).arg(minor);
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString ProgramVersion()
{
    return VersionText(KORV4_VERSION_MAJOR, KORV4_VERSION_MINOR, KORV4_VERSION_PATCH);
}
