#pragma once

#include <QString>
#include <functional>
#include <optional>

// The windows the main window opens but does not own: each settings dialog
// and drive tool registers here how it is shown. An empty hook does nothing.
struct WindowHooks {
    // Picture buttons and the summary grid's blocks.
    std::function<void()> showMotorDialog;
    std::function<void()> showMotionMenu;
    std::function<void()> showEncoderDialog;
    std::function<void()> showIODialog;
    std::function<void()> showRegenDialog;
    // Shift + Motion, by operating mode. For TMX mode the dialog is given
    // the mode to set (2) and the caption "TMX Configuration", for J program
    // 7 and "J Configuration"; the hook loads the dialog and shows it.
    std::function<void(int modeToSet, const QString& caption)> showTMXDialog;
    std::function<void()> showPulseDirDialog;
    std::function<void()> showVelocityDialog;

    // Drive menu. showTerminal is called only with the port open (also by Ctrl+T).
    std::function<void()> showAlarmHistory;
    std::function<void()> clearAlarm;
    std::function<void()> showStatusMonitor;
    std::function<void()> restoreFactoryDefaults;
    std::function<void()> showTerminal;
    std::function<void()> showSelfTest;
    // The TMX terminal's Help: the TMX command reference card.
    std::function<void()> showTmxCommandCard;

    // The custom-motor editor's Wizard button, once the firmware has the
    // waveform-smoothing wizard: shows it modal. The wizard runs the motor
    // with motorRunCurrentText() and hands the tuned gain and phase to
    // smoothingTuned (the editor's sliders; the settings take them at the
    // editor's OK); a value the wizard did not learn is absent and the
    // editor keeps its own. The settings dialogs register the last two.
    std::function<void()> showSmoothingWizard;
    std::function<QString()> motorRunCurrentText;
    std::function<void(std::optional<int> gain, std::optional<int> phase)> smoothingTuned;

    // Start-up: the I/O dialog (its limit-sensor list) and the motor dialog
    // are loaded hidden, in the start-up order.
    std::function<void()> loadIODialog;
    std::function<void()> loadMotorDialog;

    // Quitting: a configuration file still open is closed first.
    std::function<void()> closeOpenFile;
};

// Runs a hook when one is registered.
template <typename Hook, typename... Args>
void RunHook(const Hook& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}
