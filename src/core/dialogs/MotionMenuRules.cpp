#include "MotionMenuRules.h"

#include "Configurator.h"

namespace {

bool isJModel(int modelIndex) { return modelIndex == 1 || modelIndex == 4; }
bool isKyModel(int modelIndex) { return modelIndex == 2 || modelIndex == 5; }
bool isEModel(int modelIndex) { return modelIndex == 0 || modelIndex == 3; }

// The button of the mode in force, before the model's offer is looked at.
MotionMenuButton focusByMode(const Settings& s, int modelIndex)
{
    switch (s.OperatingMode) {
    case 1: return isKyModel(modelIndex) ? MotionMenuButton::KyProgram : MotionMenuButton::TMXmode;
    case 2:
    case 5: return MotionMenuButton::TMXmode;
    case 3: return s.ControlMode == 11 ? MotionMenuButton::VelocityMode : MotionMenuButton::PulseDirMode;
    case 4: return MotionMenuButton::HubProg;
    case 7: return isEModel(modelIndex) ? MotionMenuButton::TMXmode : MotionMenuButton::JProgram;
    default: return MotionMenuButton::None;
    }
}

}  // namespace

bool MotionMenuButtonShown(MotionMenuButton button, int modelIndex)
{
    switch (button) {
    case MotionMenuButton::None: return false;
    case MotionMenuButton::JProgram: return isJModel(modelIndex) || isKyModel(modelIndex);
    case MotionMenuButton::KyProgram: return isKyModel(modelIndex);
    default: return true;
    }
}

MotionMenuButton MotionMenuFocus(const Settings& s, int modelIndex)
{
    const MotionMenuButton button = focusByMode(s, modelIndex);
    return MotionMenuButtonShown(button, modelIndex) ? button : MotionMenuButton::None;
}

void ChooseOrvaneHub(Configurator& cfg)
{
    cfg.settings().OperatingMode = 4;
    cfg.ShowMotionDesc();
    cfg.state().SettingsChanged = true;
}

void ChooseKyProgram(Configurator& cfg)
{
    Settings& s = cfg.settings();
    s.OperatingMode = 1;
    s.ControlMode = 21;
    s.StepsPerRev = 20000;
    cfg.ShowMotionDesc();
    cfg.state().SettingsChanged = true;
}
