#include "MotorFields.h"

#include <cmath>
#include <limits>
#include <variant>

namespace {

struct MotorField {
    const char* name;
    std::variant<double MotorRecord::*, int MotorRecord::*, std::int16_t MotorRecord::*> member;
};

#define FIELD(name) {#name, &MotorRecord::name}
const MotorField Fields[] = {
    FIELD(current),      FIELD(Torque),        FIELD(inertia),    FIELD(PWMmaxPct),
    FIELD(R),            FIELD(L),             FIELD(harmonicGain), FIELD(harmonicPhase),
    FIELD(TorqueUnit),   FIELD(InertiaUnit),   FIELD(leadangleDeg), FIELD(leadangleRps),
};
#undef FIELD

double number(const MotorRecord& m, const MotorField& f)
{
    return std::visit([&](auto member) { return static_cast<double>(m.*member); }, f.member);
}

}  // namespace

double MotorFieldNumber(const MotorRecord& m, const QString& name)
{
    for (const MotorField& f : Fields) {
        if (name == QLatin1String(f.name))
            return number(m, f);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

QStringList DifferingMotorFields(const MotorRecord& a, const MotorRecord& b, double relative)
{
    QStringList out;
    for (const MotorField& f : Fields) {
        const double x = number(a, f);
        const double y = number(b, f);
        if (!(std::fabs(x - y) <= std::fabs(x) * relative))
            out << QStringLiteral("%1: %2 != %3").arg(QLatin1String(f.name)).arg(x, 0, 'g', 17).arg(y, 0, 'g', 17);
    }
    if (a.partNumber != b.partNumber)
        out << QStringLiteral("partNumber: %1 != %2").arg(a.partNumber, b.partNumber);
    return out;
}
