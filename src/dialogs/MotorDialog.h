#pragma once

#include "MotorDialogRules.h"
#include "SettingsDialog.h"

#include <functional>

class NumberBox;
class NumberSlider;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// "Motor": the motor the drive runs (a standard motor from the motor
// database or the one custom motor), its running and idle currents, the
// load inertia and the smoothing and damping switches. Its motor list is
// the motor database in key order; the list's selection is the program's
// database motor. Loaded at start-up, shown by the Motor button.
class MotorDialog : public SettingsDialog {
    Q_OBJECT
public:
    MotorDialog(Configurator& configurator, MainWindowServices& main);

    // Set by any edit of the load inertia or ratio; cleared by every
    // filling. OK turns it into InertiaSet.
    bool InertiaChanged = false;

    // "Define Custom Motor...": opens the custom-motor editor.
    std::function<void()> defineCustomMotor;

    // The motor list from the database, entry 0 selected.
    void LoadMotorList();
    // Selects the entry with exactly this part number (entry 0 when none).
    void SetMotorList(const QString& partNumber);
    // The custom-motor labels from the settings.
    void ShowCustomSpecs();
    void ShowIdleAmps();

    // What the custom-motor editor's OK writes here: the custom-motor
    // labels (as typed there) and the running current.
    void setCustomSpecs(const MotorSpecTexts& texts);
    NumberSlider& runCurrentSlider() const { return *SliderMaxCurrent; }
    // The running current as the box shows it (the smoothing wizard runs
    // the motor with it).
    QString runCurrentText() const;

    // The motor the dialog has chosen: its running current may be at most
    // MaxRunCurrent of that motor.
    bool customChosen() const;
    float maxRunCurrent();

protected:
    void load() override;
    void fill() override;
    void writeSettings() override;
    void cancelled() override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct SpecLabels {
        QLabel* current;
        QLabel* torque;
        QLabel* torqueUnit;
        QLabel* inertia;
        QLabel* inertiaUnit;
        QLabel* gain;
        QLabel* phase;
        QLabel* deg;
        QLabel* rps;
        QWidget* more;
    };
    QGroupBox* specFrame(const QString& name, const QStringList& labelNames, SpecLabels& labels);
    static void showSpecs(SpecLabels& labels, const MotorSpecTexts& texts);

    void MotorList_Click();
    void motorKindChosen(bool byUser);
    void inertiaKindChosen();
    void MoreOrLess_Click();

    QRadioButton* optStandard;
    QRadioButton* optCustom;
    QComboBox* MotorList;
    QPushButton* DefineNewMotor;
    QGroupBox* FrameMotorSpecs;
    QGroupBox* FrameOtherMotor;
    SpecLabels m_specs{};
    SpecLabels m_other{};
    QPushButton* MoreOrLess;
    NumberBox* txtDriveCurrent;
    NumberBox* txtIdlePercent;
    NumberBox* IdleDelayTime;
    NumberBox* txtLoadInertia;
    NumberBox* txtInertiaRatio;
    NumberSlider* SliderMaxCurrent;
    NumberSlider* SliderIdleCurrent;
    QLabel* IdleLabel;
    NumberSlider* SliderIdleDelay;
    QRadioButton* optValue;
    QRadioButton* optRatio;
    QComboBox* JUnits;
    NumberSlider* SliderInertiaRatio;
    QCheckBox* chkSmoothingOff;
    QCheckBox* chkDampingOff;
    bool m_filling = false;
    // The database motor when the dialog was last filled (its stored spelling).
    QString m_motorInForce;
};
