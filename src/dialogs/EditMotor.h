#pragma once

#include "SettingsDialog.h"

#include <optional>

class MotorDialog;
class NameBox;
class NumberBox;
class NumberSlider;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Define Custom Motor": the one custom motor's name, ratings, windings,
// maximum voltage and lead angle, and its waveform-smoothing gain and phase.
// Opened from the motor dialog, whose custom-motor labels and running
// current its OK updates.
class EditMotor : public SettingsDialog {
    Q_OBJECT
public:
    EditMotor(Configurator& configurator, MainWindowServices& main, MotorDialog& motorDialog);

    // The smoothing wizard's result: both sliders and their boxes (a value
    // that is absent leaves its slider and box alone). They reach the
    // settings when OK is pressed.
    void setGainAndPhase(std::optional<int> gain, std::optional<int> phase);

    // The Wizard button: the smoothing wizard when the drive's firmware has
    // it, else the user is told which firmware is needed.
    void Wizard_Click();

protected:
    void fill() override;
    void writeSettings() override;

private:
    MotorDialog& m_motorDialog;
    NameBox* txtMotorName;
    NumberBox* txtRatedCurrent;
    NumberBox* txtRatedTorque;
    QComboBox* TorqueUnit;
    NumberBox* txtRotorInertia;
    QComboBox* JUnits;
    NumberBox* txtR;
    NumberBox* txtL;
    NumberBox* txtMaxVolts;
    NumberSlider* SliderMaxVolts;
    NumberBox* txtDeg;
    NumberBox* txtRPS;
    NumberBox* Gain;
    NumberSlider* SliderGain;
    NumberBox* Phase;
    NumberSlider* SliderPhase;
    QPushButton* Wizard;
};
