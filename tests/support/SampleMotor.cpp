#include "SampleMotor.h"

MotorRecord SampleMotor(const QString& partNumber, double current)
{
    MotorRecord m;
    m.partNumber = partNumber;
    m.current = current;
    m.Torque = 118;
    m.inertia = 300;
    m.InertiaUnit = 1;
    m.PWMmaxPct = 94.1;
    m.harmonicGain = 200;
    m.harmonicPhase = -6;
    m.leadangleDeg = 120;
    m.leadangleRps = 25;
    m.R = 1.5;
    m.L = 2.5;
    return m;
}
