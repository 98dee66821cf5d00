#include "EncoderForm.h"

#include "NumberText.h"
#include "Rounding.h"

void EncoderForm::tickStallPrevent(bool on)
{
    stallPrevent = on;
    if (on)
        stallDetect = false;
}

void EncoderForm::tickStallDetect(bool on)
{
    stallDetect = on;
    if (on)
        stallPrevent = false;
}

EncoderForm EncoderForm::FromSettings(const Settings& s)
{
    EncoderForm f;
    f.counts = s.EncoderCounts;
    f.maxTorquePct = s.MaxTorquePct;
    f.cw = s.EncoderDirCW;
    f.singleEnded = s.EncoderSingleEnded;
    f.tickStallPrevent(s.StallPrevent);
    f.tickStallDetect(s.StallDetect);
    f.hardStopMs = s.HardStopTimeMs;
    f.hardStopFault = s.HardStopFault && s.StallPrevent;
    return f;
}

void EncoderForm::writeTo(Settings& s) const
{
    s.EncoderCounts = RoundToInt(counts);
    s.MaxTorquePct = RoundToInt(maxTorquePct);
    s.EncoderDirCW = cw;
    s.EncoderSingleEnded = singleEnded;
    s.StallPrevent = stallPrevent;
    s.StallDetect = stallDetect;
    s.HardStopTimeMs = RoundToInt(hardStopMs);
    s.HardStopFault = hardStopFault;
}

QString EncoderLinesCaption(double counts)
{
    return QStringLiteral("counts/turn (%1 lines)").arg(GeneralNumber(counts / 4));
}
