#include "ReferenceCards.h"

const std::vector<CodeListPage>& CodeListPages()
{
    static const std::vector<CodeListPage> pages{
        {CodeList::MRcodes, "MRcodes", "Microstep Resolution Codes", "code, steps/rev",
         {"0 = 200 (Ky-500 only)", "1 = 400 (Ky-500 only)", "3 = 2000", "4 = 5000", "5 = 10000",
          "6 = 12800", "7 = 18000", "8 = 20000", "9 = 21600", "10 = 25000", "11 = 25400",
          "12 = 25600", "13 = 36000", "14 = 50000", "15 = 50800",
          "16 = Ky-500 only: s/r loaded from last DI command"},
         {}, "Command3", {60, 600}, false},
        {CodeList::RScodes, "RScodes", "Status Conditions", {},
         {"M = motion in progress", "W= waiting for input", "T = waiting time", "E = servo error",
          "R = ready (none of above)"},
         {}, "RScodesOK", {300, 1200}, false},
        {CodeList::DefCodes, "DefCodes", "I/O Def. Codes", {},
         {"1 = active closed", "2 = active open", "3 = not used"},
         {}, "limOK", {300, 3000}, false},
        {CodeList::BRcodes, "BRcodes", "Serial Port Bit Rate Codes", {},
         {"1 = 9600 (power up value)", "2 = 19200", "3 = 38400", "4 = 57600", "5 = 115200"},
         "Not all bit rates are supported by all drives and older firmware has no BR command.",
         "Command3", {150, 75}, true},
        {CodeList::LimCodes, "LimCodes", "Limit Codes", {},
         {"1 = normally open", "2 = normally closed", "3 = not used"},
         {}, "limOK", {300, 420}, false},
        {CodeList::IOcodes, "IOcodes", "I/O Conditions", {},
         {"H = high (open)", "L = low (closed)", "R = rising edge", "F = falling edge"},
         {}, "IOcodesOK", {300, 3300}, false},
        {CodeList::ControlModes, "ControlModes", "Control Modes", {},
         {"2 = analog torque", "7 = pulse & direction", "11 = analog velocity", "21 = point to point moves"},
         {}, "RScodesOK", {3000, 600}, false},
        {CodeList::EFcodes, "EFcodes", "Encoder Functions", {},
         {"0 = none", "1 = static position maint", "2 = end of move correction", "3 = both"},
         {}, "Command1", {300, 3600}, false},
    };
    return pages;
}

const CodeListPage& CodeListPageOf(CodeList list)
{
    for (const CodeListPage& page : CodeListPages())
        if (page.list == list)
            return page;
    return CodeListPages().front();
}

namespace {
constexpr CodeList None = CodeList::None;
}

const ReferenceCard& TmxCommandCard()
{
    static const ReferenceCard card{
        "Summary", "TMX Commands", "Additional commands for encoder feedback or RS485 multi-drop",
        {
            {0, 0, "AC", "accel rate (1-3000 rev/s/s)", None, {}},
            {0, 0, "AM", "accel max (for ST, SK, limit)", None, {}},
            {0, 0, "BR", "bit rate", CodeList::BRcodes, "cmdBRcodes"},
            {0, 0, "BS", "buffer status", None, {}},
            {0, 0, "CC", "change current", None, {}},
            {0, 0, "CJ", "commence jogging", None, {}},
            {0, 0, "CT", "continue", None, {}},
            {0, 0, "DE", "decel rate (1-3000 rev/s/s)", None, {}},
            {0, 0, "DI", "distance (+/-16,000,000 steps)", None, {}},
            {0, 0, "DL", "define limits", CodeList::LimCodes, "cmdLimitCodes"},
            {0, 0, "FL", "feed to length", None, {}},
            {0, 0, "FP", "feed to position", None, {}},
            {0, 0, "FS", "feed to sensor", CodeList::IOcodes, "cmdIOcodes(2)"},
            {0, 0, "ID", "immediate distance request", None, {}},
            {0, 0, "IP", "immediate position request", None, {}},
            {0, 0, "IS", "input status", None, {}},
            {0, 0, "JA", "jog accel rate (1-3000 rev/s/s)", None, {}},
            {0, 0, "JD", "jog disable", None, {}},
            {0, 0, "JE", "jog enable", None, {}},
            {0, 1, "JS", "jog speed (.025-50 rev/sec)", None, {}},
            {0, 1, "MD", "motor disable", None, {}},
            {0, 1, "ME", "motor enable", None, {}},
            {0, 1, "MR", "microstep resolution", CodeList::MRcodes, "cmdMRcodes"},
            {0, 1, "PC", "power up current", None, {}},
            {0, 1, "PM", "power up mode", None, {}},
            {0, 1, "PS", "pause", None, {}},
            {0, 1, "RS", "request status", CodeList::RScodes, "cmdRScodes"},
            {0, 1, "RV", "revision level", None, {}},
            {0, 1, "SH", "seek home", CodeList::IOcodes, "cmdIOcodes(0)"},
            {0, 1, "SJ", "stop jogging", None, {}},
            {0, 1, "SK", "stop & kill buffer", None, {}},
            {0, 1, "SO", "set output", CodeList::IOcodes, "cmdIOcodes(3)"},
            {0, 1, "SP", "set position", None, {}},
            {0, 1, "SS", "send string", None, {}},
            {0, 1, "ST", "stop", None, {}},
            {0, 1, "VE", "velocity (.025-50 rev/sec)", None, {}},
            {0, 1, "WI", "wait input", CodeList::IOcodes, "cmdIOcodes(1)"},
            {0, 1, "WT", "wait time (.01 - 300 sec)", None, {}},
            {1, 0, "DA", "Define Address (RS485)", None, {}},
            {1, 0, "ED", "Encoder deadband", None, {}},
            {1, 0, "EF", "Encoder function", CodeList::EFcodes, "btnEF"},
            {1, 1, "ER", "Encoder resolution", None, {}},
            {1, 1, "EP", "Encoder position", None, {}},
            {1, 1, "IE", "immediate encoder request", None, {}},
        }};
    return card;
}

const ReferenceCard& ZepServoCard()
{
    static const ReferenceCard card{
        "ZEPhelp", "Additional ZEP Servo Commands", {},
        {
            {0, 0, "AI", "alarm input setting", CodeList::DefCodes, "cmdLimitCodes(0)"},
            {0, 0, "AL", "alarm code read", None, {}},
            {0, 0, "AM", "acceleration, maximum", None, {}},
            {0, 0, "AO", "alarm output def.", CodeList::DefCodes, "cmdLimitCodes(1)"},
            {0, 0, "AR", "alarm reset (clear fault)", None, {}},
            {0, 0, "BD", "brake delay (0-32000 msec)", None, {}},
            {0, 0, "BO", "brake output def.", CodeList::DefCodes, "cmdLimitCodes(2)"},
            {0, 0, "CM", "control mode", CodeList::ControlModes, "cmdControlModes"},
            {0, 0, "CP", "current, peak", None, {}},
            {0, 0, "DM", "deceleration, maximum", None, {}},
            {0, 0, "IC", "immediate current read", None, {}},
            {0, 0, "IF", "immediate data format (D or H)", None, {}},
            {0, 0, "IO", "immediate output status read", None, {}},
            {0, 0, "ISX", "input status, extended I/O", None, {}},
            {0, 0, "IT", "immediate temperature read", None, {}},
            {0, 0, "IU", "immediate supply voltage read", None, {}},
            {0, 0, "IV", "immediate velocity read", None, {}},
            {0, 0, "IX", "immediate position error read", None, {}},
            {0, 1, "KD", "derivative gain", None, {}},
            {0, 1, "KF", "velocity feed forward gain", None, {}},
            {0, 1, "KI", "integral gain", None, {}},
            {0, 1, "KK", "acceleration feed forward gain", None, {}},
            {0, 1, "KP", "proportional gain", None, {}},
            {0, 1, "KV", "velocity feedback gain", None, {}},
            {0, 1, "MO", "motion output def.", CodeList::DefCodes, "cmdLimitCodes(3)"},
            {0, 1, "PF", "position fault tolerance (1-32000)", None, {}},
            {0, 1, "PL", "positioning limit", None, {}},
            {0, 1, "PT", "positioning time", None, {}},
            {0, 1, "PP", "power up peak current", None, {}},
            {0, 1, "RE", "reset", None, {}},
            {0, 1, "SA", "save all parameters to flash", None, {}},
            {0, 1, "SI", "servo on input def.", CodeList::DefCodes, "cmdLimitCodes(4)"},
            {0, 1, "VM", "velocity, maximum", None, {}},
        }};
    return card;
}
