#pragma once

#include "IOForm.h"
#include "SettingsDialog.h"

#include <QMap>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;

// "I/O Configuration": the enable input, the reaction to a fault, the brake
// output with its delays, the motion output with its tach rates, the limit
// sensors and the deceleration at limits and faults. "Show history..."
// opens the drive's alarm history as the Drive menu does. Nothing in it
// enables or hides anything else.
class IOdialog : public SettingsDialog {
    Q_OBJECT
public:
    IOdialog(Configurator& configurator, MainWindowServices& main);

    // The start-up step: the limit-sensor list gets its rows ("closed",
    // "open", "not used"), the first selected.
    void LoadLimitList();

    IOForm form() const;

    void Wiring_Click();
    void ShowHistory_Click();

protected:
    void load() override;
    void fill() override;
    void writeSettings() override;

private:
    QButtonGroup* m_enable;
    QCheckBox* m_alarmInput;
    QButtonGroup* m_alarmOutput;
    QCheckBox* m_brake;
    QButtonGroup* m_brakeHow;   // id 1 close to release, 2 open to release
    NumberBox* m_brakeRelease;
    NumberBox* m_brakeEngage;
    QButtonGroup* m_motion;
    QComboBox* m_tach;
    QComboBox* m_limits;
    NumberBox* m_maxDecel;
};
