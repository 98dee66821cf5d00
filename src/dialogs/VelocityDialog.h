#pragma once

#include "SettingsDialog.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
struct VelocityValues;

// Stand-alone velocity mode: oscillator speeds or speed from the analog
// input, acceleration, run/stop input and the motion output. The analog
// input's deadband, offset and filter are edited in the advanced dialog and
// travel in this dialog's public variables until its OK stores them.
class VelocityDialog : public SettingsDialog {
    Q_OBJECT
public:
    VelocityDialog(Configurator& configurator, MainWindowServices& main);

    // The advanced analog values (mV, mV, Hz) between the loader, the
    // advanced dialog and this OK.
    int CmdOffset = 0;
    int AnalogDeadband = 0;
    int AnalogFilter = 0;

    // What the Advanced Settings... button opens (the registry sets it).
    std::function<void()> showAdvanced;

    // The analog group is usable with "Speed proportional to analog input"
    // checked, the oscillator speed without.
    void ShowHideAnalog();
    // The scale's unit label for the chosen range.
    void DispScaleOffset();

    QGroupBox* frameSpeed = nullptr;
    NumberBox* txtSpeed = nullptr;
    QLabel* lblSpeedUnit = nullptr;
    QCheckBox* chk2Speeds = nullptr;
    NumberBox* txtSpeed2 = nullptr;
    NumberBox* txtAccel = nullptr;
    NumberBox* txtDecel = nullptr;
    QCheckBox* chkRunStop = nullptr;
    QCheckBox* chkAnalog = nullptr;
    QGroupBox* FrameAnalog = nullptr;
    QLabel* lblRange = nullptr;
    QComboBox* ListAnalogRange = nullptr;
    QLabel* lblSpeed = nullptr;
    NumberBox* CmdScale = nullptr;
    QLabel* lblAnalogUnits = nullptr;
    QPushButton* Advanced = nullptr;
    QRadioButton* optMotionOpen = nullptr;
    QRadioButton* optMotionClosed = nullptr;
    QRadioButton* optMotionOff = nullptr;
    QRadioButton* optMotionTach = nullptr;
    QComboBox* TachPPR = nullptr;

protected:
    // LoadVelocityDialog.
    void fill() override;
    void writeSettings() override;
    void activated() override { ShowHideAnalog(); }

private:
    VelocityValues values() const;
};
