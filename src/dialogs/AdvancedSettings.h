#pragma once

#include "AutoOffset.h"
#include "SettingsDialog.h"

class VelocityDialog;

// The analog input's deadband, offset and filter, opened from the velocity
// dialog. It writes no setting: its OK hands the values to the velocity
// dialog, whose OK stores them. Auto Offset measures the offset on the drive.
class AdvancedSettings : public SettingsDialog {
    Q_OBJECT
public:
    AdvancedSettings(Configurator& configurator, MainWindowServices& main, DriveLink& link, VelocityDialog& velocity);

    // Measures the offset on the drive and shows it in the offset box.
    void AutoOffset_Click();

    NumberBox* txtAnalogDeadband = nullptr;
    NumberBox* txtCmdOffset = nullptr;
    NumberBox* txtAnalogFilter = nullptr;
    QPushButton* AutoOffsetButton = nullptr;

protected:
    // From the velocity dialog's variables.
    void fill() override;
    // Into the velocity dialog's variables.
    void writeSettings() override;
    void summarize() override;
    bool okMarksChanged() const override { return false; }

private:
    VelocityDialog& m_velocity;
    AutoOffset m_autoOffset;
};
