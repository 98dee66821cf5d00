#include "HelpPages.h"

namespace {

struct HelpPageRow {
    HelpOpener opener;
    const char* page;
};

const HelpPageRow helpPages[] = {
    {HelpOpener::HSACPower,            "ConnectingACPower.html"},
    {HelpOpener::HSencoder,            "ConnectingEncoder.html"},
    {HelpOpener::HSinout1,             "Connecting_IO_to_InOut1.html"},
    {HelpOpener::HSinout2,             "Connecting_IO_to_InOut2.html"},
    {HelpOpener::HSled,                "ErrorCodes.html"},
    {HelpOpener::HSrs485,              "Hardware_RS485.html"},
    {HelpOpener::MenuContents,         "index.html"},
    {HelpOpener::MenuContactUs,        "contact us.html"},
    {HelpOpener::MotorDialogHelp,      "ConfigSoftware_Motor.html"},
    {HelpOpener::MotorDialogWiring,    "Connecting_the_Motor.html"},
    {HelpOpener::EditMotorHelp,        "ConfigSoftware_Motor.html#DefineMotor"},
    {HelpOpener::PulseDirDialogHelp,   "DigitalPosn.html"},
    {HelpOpener::VelocityDialogHelp,   "velocity.html"},
    {HelpOpener::AdvancedSettingsHelp, "velocity.html#AdvancedAnalog"},
    {HelpOpener::TMXdialogHelp,        "TMXdialog.html"},
    {HelpOpener::EncoderDialogHelp,    "ConnectingEncoder.html"},
    {HelpOpener::IOdialogHelp,         "ConfigSoftware_InputsOutputs.html"},
    {HelpOpener::IOdialogWiring,       "Connecting_IO_to_InOut1.html"},
    {HelpOpener::RegenDialogHelp,      "regen.html"},
    {HelpOpener::HelpScreenIndex,      "index.html"},
};

// Rows 0 to 5 of the model list: the three models, then their 220 V versions.
const char* const overviewPages[] = {
    "Overview_E.html", "Overview_J.html", "Overview_Ky.html",
    "Overview_E.html", "Overview_J.html", "Overview_Ky.html",
};

}  // namespace

QString HelpPage(HelpOpener opener)
{
    for (const HelpPageRow& row : helpPages) {
        if (row.opener == opener)
            return QString::fromLatin1(row.page);
    }
    return QStringLiteral("index.html");
}

QString OverviewPage(int modelIndex)
{
    if (modelIndex < 0 || modelIndex >= int(std::size(overviewPages)))
        return {};
    return QString::fromLatin1(overviewPages[modelIndex]);
}
