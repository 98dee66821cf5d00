#include "RandomSettings.h"

#include "SettingsFields.h"

namespace {

double uniform(QRandomGenerator& rng, double lo, double hi)
{
    return lo + rng.generateDouble() * (hi - lo);
}

int uniformInt(QRandomGenerator& rng, int lo, int hi)
{
    return lo + static_cast<int>(rng.bounded(static_cast<quint32>(hi - lo + 1)));
}

template <typename T, std::size_t N>
T pick(QRandomGenerator& rng, const T (&items)[N])
{
    return items[rng.bounded(static_cast<quint32>(N))];
}

}  // namespace

QString RandomText(QRandomGenerator& rng, int minLength, int maxLength)
{
    const int length = uniformInt(rng, minLength, maxLength);
    QString t;
    for (int i = 0; i < length; ++i)
        t.append(QChar(uniformInt(rng, 32, 126)));
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    if (t.isEmpty() && minLength > 0)
        t = QStringLiteral("x");
    return t;
}

Settings RandomSettings(QRandomGenerator& rng)
{
    Settings s;
    for (const SettingsField& f : SettingsFields()) {
        if (f.isText())
            SetFieldText(s, f, RandomText(rng, static_cast<int>(f.lo), static_cast<int>(f.hi)));
        else if (f.isInteger())
            SetFieldNumber(s, f, uniformInt(rng, static_cast<int>(f.lo), static_cast<int>(f.hi)));
        else
            SetFieldNumber(s, f, uniform(rng, f.lo, f.hi));
    }
    // The RS-485 address is one visible character.
    s.Rs485Address = QString(QChar(uniformInt(rng, 33, 126)));
    // Motion mode: what the motion menu and the TMX dialog can produce.
    const int modes[] = {1, 2, 3, 4, 7};
    const int powerUpCodes[] = {7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 21, 22};
    s.OperatingMode = pick(rng, modes);
    s.PowerUpMode = pick(rng, powerUpCodes);
    switch (s.OperatingMode) {
    case 1: s.ControlMode = 21; break;
    case 2:
    case 7: s.ControlMode = s.PowerUpMode; break;
    case 3: s.ControlMode = rng.bounded(2) ? 11 : 7; break;
    default: s.ControlMode = 7; break;
    }
    return s;
}

MotorRecord RandomMotor(QRandomGenerator& rng)
{
    MotorRecord m;
    m.partNumber = RandomText(rng, 1, 13);
    m.current = uniform(rng, 0.1, 10);
    m.Torque = uniform(rng, 0.01, 5000);
    m.inertia = uniform(rng, 0.01, 5000);
    m.PWMmaxPct = uniform(rng, 10, 100);
    m.harmonicGain = uniformInt(rng, 0, 3000);
    m.harmonicPhase = uniformInt(rng, -128, 128);
    m.TorqueUnit = static_cast<std::int16_t>(uniformInt(rng, 0, 4));
    m.InertiaUnit = static_cast<std::int16_t>(uniformInt(rng, 0, 3));
    m.leadangleDeg = uniformInt(rng, 45, 360);
    m.leadangleRps = uniformInt(rng, 5, 100);
    return m;
}
