#include "SerialModeRules.h"

#include "Rounding.h"
#include "Settings.h"

const std::vector<PowerUpModeEntry>& PowerUpModeEntries()
{
    static const std::vector<PowerUpModeEntry> entries{
        {7, QStringLiteral("7: Step & Direction")},
        {10, QStringLiteral("10: Commanded Vel")},
        {11, QStringLiteral("11: Analog Velocity")},
        {12, QStringLiteral("12: Analog Vel, X1=run")},
        {13, QStringLiteral("13: Analog Vel, X5=change speed")},
        {14, QStringLiteral("14: Analog Vel, X1=run, X5=change speed")},
        {15, QStringLiteral("15: Fixed Velocity")},
        {16, QStringLiteral("16: Fixed Vel, X1=run")},
        {17, QStringLiteral("17: Fixed Vel, X5=change speed")},
        {18, QStringLiteral("18: Fixed Vel, X1=run, X5=change speed")},
        {21, QStringLiteral("21: Point to Point Positioning")},
        {22, QStringLiteral("22: Analog Positioning")},
    };
    return entries;
}

int PowerUpModeIndex(int powerUpMode)
{
    int index = 0;
    const auto& entries = PowerUpModeEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].code == powerUpMode)
            index = static_cast<int>(i);
    return index;
}

bool PowerUpModeUsesStepInput(int code)
{
    return code == 7;
}

const std::vector<ProtocolOption>& ProtocolOptions()
{
    static const std::vector<ProtocolOption> options{
        {2, QStringLiteral("chkAddress"), QStringLiteral("Prefix all responses with address character")},
        {4, QStringLiteral("chkAckNak"), QStringLiteral("Respond to all commands with ack or nak")},
        {16, QStringLiteral("chkConverter"), QStringLiteral("Use this drive as RS-232 to RS-485 converter")},
        {32, QStringLiteral("chkRedLion"), QStringLiteral("Use 3 digit (HMI compatible) register addressing")},
    };
    return options;
}

int ProtocolFlagsFrom(const std::vector<bool>& checked)
{
    int flags = ProtocolAlwaysSet;
    const auto& options = ProtocolOptions();
    for (size_t i = 0; i < options.size() && i < checked.size(); ++i)
        if (checked[i])
            flags |= options[i].bit;
    return flags;
}

QStringList BitRateNames()
{
    return {QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"), QStringLiteral("57600"),
            QStringLiteral("115200")};
}

QString AddressButtonText(int index)
{
    return QString(QChar(33 + index));
}

QString NormalisedRs485Address(const QString& address)
{
    if (address.size() != 1)
        return Rs485AddressFromCode(0);
    return Rs485AddressFromCode(address.at(0).unicode());
}

BoxRule TxDelayRule()
{
    return BoxRule{0, 32000, {}, {}};
}

SerialModeValues SerialModeFromSettings(const Settings& s)
{
    SerialModeValues v;
    v.address = s.Rs485Address;
    v.txDelay = s.TxDelay;
    v.powerUpMode = s.PowerUpMode;
    v.step = StepInputFromSettings(s);
    v.protocolFlags = s.ProtocolFlags;
    const int index = s.BitRateCode - 1;
    if (s.BitRateCode == 0)
        v.bitRateIndex = -1;
    else if (index >= 0 && index < BitRateNames().size())
        v.bitRateIndex = index;
    else
        v.bitRateIndex = LeaveBitRate;
    return v;
}

void StoreSerialMode(const SerialModeValues& v, int modeToSet, Settings& s)
{
    s.Rs485Address = NormalisedRs485Address(v.address);
    s.TxDelay = RoundToInt(v.txDelay);
    s.PowerUpMode = v.powerUpMode;
    s.OperatingMode = modeToSet;
    if (PowerUpModeUsesStepInput(v.powerUpMode)) {
        StoreStepInput(v.step, s);
        s.ControlMode = 7;
    } else {
        s.StepsPerRev = 20000;
        s.ControlMode = v.powerUpMode;
    }
    s.ProtocolFlags = v.protocolFlags;
    if (v.bitRateIndex >= 0 && v.bitRateIndex < BitRateNames().size())
        s.BitRateCode = v.bitRateIndex + 1;
}
