#include "Settings.h"

void InitVars(Settings& s)
{
    // The record's member initialisers are the defaults; the quadrature
    // direction is the one setting the drive keeps across a reset of the others.
    const bool quadDir = s.QuadDirBLeadsA;
    s = Settings();
    s.QuadDirBLeadsA = quadDir;
}

bool IsPowerUpCode(int code)
{
    return code == 7 || (code >= 10 && code <= 18) || code == 21 || code == 22;
}

QString Rs485AddressFromCode(int code)
{
    if (code >= 33 && code <= 126)
        return QString(QChar(code));
    return QStringLiteral("!");
}
