#pragma once

#include "DriveImage.h"
#include "MotorRecord.h"
#include "Settings.h"

#include <QByteArray>

// A checksummed image of the default configuration with its own steps/rev,
// so that two images told apart by a test differ where it looks.
inline QByteArray ImageWithSteps(int steps)
{
    Settings s;
    s.StepsPerRev = steps;
    QByteArray im = DownloadString(s, MotorRecord());
    AddChecksum(im);
    return im;
}
