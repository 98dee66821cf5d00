#pragma once

#include "DriveTool.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

class DriveLink;

// The waveform-smoothing wizard's talk with the drive and what its window
// shows. The drive jogs the motor while the user moves one slider: first
// the jog speed (to find where the motor is loudest), then the harmonic
// gain, then the harmonic phase (to make it quietest); every slider move
// goes to the drive at once. Done hands the tuned gain and phase on; Done
// and Cancel stop the jog and put the drive's control mode back.
//
// The window renders view() whenever changed() is emitted and passes the
// user's actions in. It sets its slider with signals blocked: a value the
// program puts on the slider is sent here, once, by the wizard itself.
class SmoothingWizard : public QObject, public DriveTool {
    Q_OBJECT
public:
    enum class Step { None, Speed, Gain, Phase };

    // The jog starts at 1.00 rev/s; the slider holds that as designed.
    static constexpr int StartSpeed = 100;

    // The slider of each step.
    struct SliderRow {
        Step step;
        QString caption;  // the frame's caption
        int minimum;
        int maximum;
        int largeChange;
        int smallChange;
        int tickSpacing;
        bool showsRps;    // the value is a speed shown in rev/s
    };
    static const SliderRow& SliderOf(Step step);
    // How the value shows beside the slider ("0.75" for a speed of 75).
    static QString ParamText(Step step, int value);
    // The command a slider value sends, with its carriage return
    // ("CS0.75", "HG1200", "HP-12"); empty for no step.
    static QByteArray SliderCommand(Step step, int value);

    // Everything the window shows.
    struct View {
        QString instructions;
        QString frameCaption = QStringLiteral("Motor Speed");
        bool frameEnabled = false;
        QString param;
        bool paramEnabled = false;
        bool rpsShown = false;
        SliderRow slider;
        int sliderValue = StartSpeed;
        bool sliderEnabled = false;
        bool startEnabled = false;
        bool nextEnabled = false;
        QString nextCaption = QStringLiteral("Next");
    };

    // The gain and phase Done hands on; a value the drive never gave and the
    // user never set is absent (its holder keeps its own).
    struct Tuned {
        std::optional<int> gain;
        std::optional<int> phase;
    };

    explicit SmoothingWizard(DriveLink& link);
    ~SmoothingWizard() override;

    const View& view() const { return m_view; }
    Step step() const { return m_step; }
    int gain() const { return m_gain; }
    int phase() const { return m_phase; }
    std::int16_t savedControlMode() const { return m_savedControlMode; }
    // From a successful activation until Done or Cancel.
    bool running() const { return m_running; }

    // Asked before the window is shown: with no open port the user is told
    // so and false is returned; the window is not to be shown then.
    bool PortReady();
    // The window has been shown: reads the drive's gain, phase and control
    // mode and switches it to control mode 21. Sends nothing without a port.
    void Activate();
    // Begins the speed step with the running current as the user typed it.
    void Start(const QString& runningCurrentText);
    // Next, or Done in the phase step; true when the wizard ended (Done).
    bool NextDone();
    // Cancel, in any state (also the window's close box while it runs).
    void Cancel();
    // The slider's value changed (change: a gain or phase so set counts as
    // tuned) or is being dragged (scroll).
    void SliderChange(int value);
    void SliderScroll(int value);

    void ProcessChar(char c) override;

    // The drive's answers are read after this fixed time.
    static constexpr double ReadSeconds = 0.25;

signals:
    void changed();
    // Done: the gain and phase go to their holder (before the reminder).
    void tunedReady(const SmoothingWizard::Tuned& tuned);
    // Done or Cancel: the window is to be hidden.
    void ended();

private:
    void send(const QByteArray& command);
    std::optional<qint64> readValue(const QByteArray& command, qint64 min, qint64 max);
    // Each activation is a run of its own. A step that waits keeps the run
    // it belongs to and goes on only while that run is still the one going:
    // a Cancel and a new opening inside its wait end its part.
    bool stillRunning(quint64 run) const { return m_running && m_run == run; }
    void ReadHGHP(quint64 run);
    void SaveCM(quint64 run);
    void RestoreCM();
    void Delay(double seconds);
    // Puts the step's slider up with the value and sends the value once,
    // when the slider held another.
    void enterStep(Step step, int value, const QString& instructions);
    void showValue(int value);
    // Done and Cancel: the jog stops, the control mode goes back, "QT", and
    // terminal mode is left.
    void leave();

    DriveLink& m_link;
    View m_view;
    Step m_step = Step::None;
    QByteArray m_received;
    int m_gain = 0;
    int m_phase = 0;
    bool m_gainKnown = false;
    bool m_phaseKnown = false;
    std::int16_t m_savedControlMode = 21;
    bool m_running = false;
    quint64 m_run = 0;         // counts the activations
    bool m_modeSaved = false;  // this run switched the drive to mode 21
};
