#pragma once

#include <QString>

// Every help page of the program and who opens it. A page reference is a
// file name in the help folder, optionally followed by "#" and an anchor.
enum class HelpOpener {
    HSACPower,             // main window, drive picture: AC power connector
    HSencoder,             // encoder connector
    HSinout1,              // IN/OUT 1 connector
    HSinout2,              // IN/OUT 2 connector
    HSled,                 // status LED
    HSrs485,               // RS-485 connector
    MenuContents,          // Help, Contents
    MenuContactUs,         // Help, Contact Us
    MotorDialogHelp,
    MotorDialogWiring,
    EditMotorHelp,
    PulseDirDialogHelp,
    VelocityDialogHelp,
    AdvancedSettingsHelp,
    TMXdialogHelp,
    EncoderDialogHelp,
    IOdialogHelp,
    IOdialogWiring,
    RegenDialogHelp,
    HelpScreenIndex,       // the help viewer's own "Index" button
};

// The page reference an opener shows.
QString HelpPage(HelpOpener opener);

// The model label's page by model list row (0 to 5); empty for any other
// row, in which case the viewer is only shown.
QString OverviewPage(int modelIndex);

// The maker's web site, shown in the system's web browser.
inline const char* const MakerWebsite = "https://www.example.com/korv4";
