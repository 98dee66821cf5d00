#include "CustomMotorRules.h"

#include "Characters.h"
#include "Rounding.h"
#include "Units.h"

#include <algorithm>
#include <array>

namespace {

// The drive image holds the rated current in hundredths of an amp in 16
// bits, torque and inertia as its floating-point numbers (largest 16777215).
// A motor without current, torque or inertia is no motor: the smallest
// torque and inertia are the smallest the dialogs show (8 decimals).
constexpr double LargestCurrent = 655.35;
constexpr double LargestFloat = 16777215;
constexpr double SmallestShown = 0.00000001;

const std::array<BoxScale, static_cast<int>(CustomMotorBox::Count)> Scales{{
    // name              min           max             text             step slider      large small ticks
    {"txtRatedCurrent",  0.01,         LargestCurrent, BoxScale::Plain},
    {"txtRatedTorque",   SmallestShown, LargestFloat,  BoxScale::Plain},
    {"txtRotorInertia",  SmallestShown, LargestFloat,  BoxScale::Plain},
    {"txtR",             0.1,          320,            BoxScale::Plain},
    {"txtL",             0.1,          320,            BoxScale::Plain},
    {"txtMaxVolts",      10,           100,            BoxScale::Plain, 1, 10, 100,    10,  1,  10},
    {"txtDeg",           45,           360,            BoxScale::Plain},
    {"txtRPS",           5,            100,            BoxScale::Plain},
    {"Gain",             0,            3000,           BoxScale::Plain, 1, 0, 3000,    100, 10, 500},
    {"Phase",            -128,         128,            BoxScale::Plain, 1, -128, 128,  10,  1,  32},
}};

}  // namespace

const BoxScale& CustomMotorBoxScale(CustomMotorBox box)
{
    return Scales.at(static_cast<std::size_t>(box));
}

void WriteCustomMotor(const CustomMotorEntries& e, Settings& s)
{
    s.CustomMotorTorque = LeadingNumber(e.torque);
    s.CustomTorqueUnit = static_cast<std::int16_t>(e.torqueUnit);
    s.CustomMotorInertia = LeadingNumber(e.inertia);
    s.CustomInertiaUnit = static_cast<std::int16_t>(e.inertiaUnit);
    s.CustomHarmonicGain = RoundToInt(LeadingNumber(e.gain));
    s.CustomHarmonicPhase = RoundToInt(LeadingNumber(e.phase));
    s.CustomMotorCurrent = LeadingNumber(e.current);
    s.CustomMotorR = LeadingNumber(e.r);
    s.CustomMotorL = LeadingNumber(e.l);
    s.CustomMotorMaxVolts = LeadingNumber(e.maxVolts);
    s.CustomMotorName = e.name;
    s.CustomLeadAngleDeg = RoundToInt(LeadingNumber(e.deg));
    s.CustomLeadAngleRps = RoundToInt(LeadingNumber(e.rps));
}

std::optional<QString> TypedText(const QString& before, const QString& after, int limit, int* cursor)
{
    // What was typed: the part of the new text between what it shares with
    // the old one at the front and at the back (never half a code point).
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    if (head > 0 && after.at(head - 1).isHighSurrogate())
        --head;
    if (tail > 0 && after.at(after.size() - tail).isLowSurrogate())
        --tail;
    const qsizetype typedLength = after.size() - head - tail;
    if (typedLength <= 0 || CharacterCount(after) <= limit)
        return after;
    // Counted once: a paste of thousands of characters keeps what fits in
    // one step. Only the few candidates that can fit are counted whole, as
    // characters at the joins may merge (an accent typed after a letter).
    const QString front = after.left(head);
    const QString back = after.right(tail);
    const QStringList typed = Characters(after.mid(head, typedLength));
    for (qsizetype keep = std::min<qsizetype>(typed.size() - 1, limit); keep > 0; --keep) {
        const QString kept = typed.mid(0, keep).join(QString());
        const QString candidate = front + kept + back;
        if (CharacterCount(candidate) <= limit) {
            if (cursor)
                *cursor = static_cast<int>(head + kept.size());
            return candidate;
        }
    }
    return std::nullopt;
}

MotorSpecTexts CustomSpecsAsTyped(const CustomMotorEntries& e)
{
    return {e.current, e.torque, TorqueUnitName(e.torqueUnit), e.inertia, InertiaUnitName(e.inertiaUnit),
            e.gain,    e.phase,  e.deg,                        e.rps};
}

bool SmoothingWizardAllowed(float firmwareVersion, const QString& minorRev)
{
    const QChar letter = minorRev.size() == 1 ? minorRev.at(0) : QLatin1Char('a');
    return letter.unicode() >= u'k' || firmwareVersion != 1.0f;
}

QString SmoothingWizardRefusal()
{
    return QStringLiteral("You must have firmware version 1.00k or later to use the Waveform Smoothing Wizard.");
}
