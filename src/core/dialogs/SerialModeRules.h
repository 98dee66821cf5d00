#pragma once

#include "BoxRule.h"
#include "StepInput.h"

#include <QString>
#include <QStringList>
#include <vector>

struct Settings;

// TMX mode and J program share one dialog: the drive's serial line (RS-485
// address, transmit delay, bit rate, protocol options) and the control mode
// it powers up in, with the step input that mode 7 needs.

// The power-up control modes, in list order, each with its code.
struct PowerUpModeEntry {
    int code;
    QString text;
};
const std::vector<PowerUpModeEntry>& PowerUpModeEntries();
// The entry the loader leaves selected: entry 0 first, then every entry
// whose code is the mode (the last one wins); entry 0 when none is.
int PowerUpModeIndex(int powerUpMode);
// Only step & direction (code 7) reads the step-input controls.
bool PowerUpModeUsesStepInput(int code);

// The protocol options: each check box and the bit it sets. Bit 1 is always
// set; no other bit exists.
struct ProtocolOption {
    int bit;
    QString name;     // control name
    QString caption;
};
const std::vector<ProtocolOption>& ProtocolOptions();
constexpr int ProtocolAlwaysSet = 1;
// The flags for the options checked, in the order of ProtocolOptions().
int ProtocolFlagsFrom(const std::vector<bool>& checked);

// Bit rates for BitRateCode 1 to 5.
QStringList BitRateNames();

// The address buttons: 32 characters from "!" (code 33) to "@" (code 64).
constexpr int AddressButtonCount = 32;
QString AddressButtonText(int index);
// The address as the drive and the files hold it: one printable character;
// anything else (empty, longer, unprintable) is "!".
QString NormalisedRs485Address(const QString& address);

BoxRule TxDelayRule();  // ms, 0 to 32000

// What the dialog shows and what its OK takes.
struct SerialModeValues {
    QString address;
    double txDelay = 0;
    int powerUpMode = 7;
    StepInputValues step;
    int protocolFlags = ProtocolAlwaysSet;
    // The bit-rate entry: -1 none selected, LeaveBitRate for a code no
    // entry stands for (the list keeps its selection).
    int bitRateIndex = 0;
};
constexpr int LeaveBitRate = -2;

SerialModeValues SerialModeFromSettings(const Settings& s);
// The OK for the operating mode the opener asked for (2 TMX, 7 J program).
// Modes other than 7 keep the step input and run at 20000 steps/rev; with
// no bit rate selected the setting stays.
void StoreSerialMode(const SerialModeValues& v, int modeToSet, Settings& s);
