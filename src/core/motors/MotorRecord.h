#pragma once

#include <QString>
#include <cstdint>

// One motor as the motor database, a configuration file and the drive image
// carry it. Field names follow the database's column names.
struct MotorRecord {
    double current = 0.0;     // A, rated
    double Torque = 0.0;      // in TorqueUnit
    double inertia = 0.0;     // in InertiaUnit
    double PWMmaxPct = 0.0;   // %
    double R = 0.0;           // ohm (kept in files only)
    double L = 0.0;           // mH (kept in files only)
    QString partNumber;       // "part number" (and its key "PartNoX")
    int harmonicGain = 0;
    int harmonicPhase = 0;
    std::int16_t TorqueUnit = 0;
    std::int16_t InertiaUnit = 0;
    int leadangleDeg = 0;
    int leadangleRps = 0;
};
