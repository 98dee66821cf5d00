#pragma once

#include "SettingsDialog.h"

class QGroupBox;
class QRadioButton;
struct StepInputValues;

// Step input of stand-alone positioning: signal type, quadrature direction,
// steps per revolution, step smoothing and input noise filters. OK makes
// stand-alone step positioning the mode in force.
class PulseDirDialog : public SettingsDialog {
    Q_OBJECT
public:
    PulseDirDialog(Configurator& configurator, MainWindowServices& main);

    // The direction frame shows only for quadrature.
    void ShowHideOptions();

    QRadioButton* optPulseDir = nullptr;
    QRadioButton* optPulsePulse = nullptr;
    QRadioButton* optQuad = nullptr;
    QRadioButton* optDir1 = nullptr;
    QRadioButton* optDir0 = nullptr;
    QGroupBox* FrameDir = nullptr;
    NumberBox* SPR = nullptr;
    NumberBox* txtStepFilterFreq = nullptr;
    NumberBox* txtNoiseFilter = nullptr;

protected:
    // LoadPulseDirDialog.
    void fill() override;
    void writeSettings() override;
    void activated() override { ShowHideOptions(); }

private:
    StepInputValues values() const;
};
