#pragma once

#include "MotorRecord.h"
#include "Settings.h"

#include <QString>
#include <cstdint>

// Everything a configuration file holds: the version of the program that
// wrote it, the drive model row (0..5), the settings, the serial-port row
// (0..7 for COM1..COM8) and the database motor in use when it was saved.
// The settings' DriveWord78..DriveWord86 pass through upload and download
// only; a file leaves them as they were.
struct ConfigFileContent {
    QString version;
    std::int16_t modelRow = 1;
    Settings settings;
    std::int16_t commRow = 0;
    MotorRecord motor;
};
