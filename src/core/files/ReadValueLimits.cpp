#include "ReadValueLimits.h"

#include "SettingRanges.h"

namespace {

// A name read from a file keeps every character as written, trailing blanks
// and letters beyond ASCII included; only control characters, which no
// name shows, are dropped. The drive image alone cuts names to its plain
// 13 characters, when it is built.
QString WithoutControlChars(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            out.append(c);
    }
    return out;
}

}  // namespace

void LimitReadSettings(Settings& s)
{
    HoldInRanges(s);
    // A zero step filter would stop the drive's step input; 0 has always
    // been read as 1. A noise filter below 100 Hz was never a valid entry
    // and is read as 2000 Hz, the drive's own fallback; its range holds it
    // at 15000 Hz above.
    if (s.StepFilterHz == 0)
        s.StepFilterHz = 1;
    if (s.NoiseFilterHz < 100)
        s.NoiseFilterHz = 2000;
    // The power-up mode is a row of the TMX dialog's list, which the upload
    // too only ever sets to a code of that list.
    if (!IsPowerUpCode(s.PowerUpMode))
        s.PowerUpMode = Settings().PowerUpMode;
    // The drive knows only these protocol bits, as the upload keeps them.
    s.ProtocolFlags &= 55;
    s.CustomMotorName = WithoutControlChars(s.CustomMotorName);
    // The address is one printable character, as the drive takes it.
    s.Rs485Address = Rs485AddressFromCode(s.Rs485Address.isEmpty() ? 0 : s.Rs485Address.at(0).unicode());
}

void LimitReadMotor(MotorRecord& m)
{
    HoldInRanges(m);
    m.partNumber = WithoutControlChars(m.partNumber);
}
