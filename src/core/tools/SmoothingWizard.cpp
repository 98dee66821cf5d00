#include "SmoothingWizard.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "Prompt.h"
#include "SerialPort.h"
#include "TmxReplyValue.h"
#include "TmxText.h"
#include "Wait.h"

#include <QtGlobal>
#include <limits>

namespace {

const QString kIntroText = QStringLiteral(
    "This wizard will help you adjust the harmonic gain and phase so that the motor runs smoothly at low "
    "speeds.  Make sure the running current has been specified correctly in the motor dialog.  Be sure "
    "that the motor shaft is free to turn continuously, then press START.");
const QString kSpeedText = QStringLiteral(
    "Move the slider until you find the speed where the motor makes the most noise or vibration.  Usually "
    "this is around 1 rev/sec.  It helps to have to motor resting on a table top as that will amplify the "
    "sound.  Press NEXT when you find the loudest speed.");
const QString kGainText = QStringLiteral("Find the best harmonic gain setting, then press NEXT.");
const QString kPhaseText = QStringLiteral("Find the best phase setting, then press DONE.");
const QString kReminder =
    QStringLiteral("Don't forget to download the new settings to the drive to make them permanent.");
const QString kNoPort =
    QStringLiteral("Cannot run the Waveform Smoothing Wizard: there is no comm port open.");

// The drive's power-up message: this byte and two data bytes.
constexpr quint8 PowerUpHeader = 255;
// The control mode the drive gets while the wizard reads and waits, and the
// one it jogs in.
constexpr int IdleMode = 21;
constexpr int JogMode = 10;

constexpr qint64 Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr qint64 Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr qint64 Int16Min = std::numeric_limits<std::int16_t>::min();
constexpr qint64 Int16Max = std::numeric_limits<std::int16_t>::max();

}  // namespace

const SmoothingWizard::SliderRow& SmoothingWizard::SliderOf(Step step)
{
    static const SliderRow rows[] = {
        {Step::Speed, QStringLiteral("Motor Speed"), 0, 500, 25, 1, 100, true},
        {Step::Gain, QStringLiteral("Harmonic Gain"), 0, 3000, 100, 10, 100, false},
        {Step::Phase, QStringLiteral("Harmonic Phase"), -128, 128, 10, 1, 16, false},
    };
    for (const SliderRow& row : rows)
        if (row.step == step)
            return row;
    return rows[0];
}

QString SmoothingWizard::ParamText(Step step, int value)
{
    const SliderRow& row = SliderOf(step);
    if (row.step == step && row.showsRps)
        return QString::number(value / 100.0, 'f', 2);
    return QString::number(value);
}

QByteArray SmoothingWizard::SliderCommand(Step step, int value)
{
    static const struct {
        Step step;
        const char* name;
    } names[] = {{Step::Speed, "CS"}, {Step::Gain, "HG"}, {Step::Phase, "HP"}};
    for (const auto& row : names)
        if (row.step == step)
            return TmxCommand(row.name + ParamText(step, value).toLatin1());
    return {};
}

SmoothingWizard::SmoothingWizard(DriveLink& link) : m_link(link)
{
    m_view.slider = SliderOf(Step::Speed);
}

SmoothingWizard::~SmoothingWizard()
{
    m_link.leaveTerminalMode(*this);
}

void SmoothingWizard::send(const QByteArray& command)
{
    m_link.WriteText(command);
}

std::optional<qint64> SmoothingWizard::readValue(const QByteArray& command, qint64 min, qint64 max)
{
    send(TmxCommand(command));
    HoldSeconds(ReadSeconds);
    return TmxReplyValue(m_link.port().Input(), min, max);
}

void SmoothingWizard::ReadHGHP(quint64 run)
{
    SerialPort& port = m_link.port();
    const int threshold = port.RThreshold();
    port.setRThreshold(0);  // the replies stay in the port for the reads
    // What the user did during a read is handled as it ends; a Cancel or
    // Done then has said the last word to the drive, so the values read
    // after it are no longer asked for.
    if (const auto gain = readValue("HG", Int32Min, Int32Max); gain && stillRunning(run)) {
        m_gain = static_cast<int>(*gain);
        m_gainKnown = true;
    }
    if (stillRunning(run)) {
        if (const auto phase = readValue("HP", Int32Min, Int32Max); phase && stillRunning(run)) {
            m_phase = static_cast<int>(*phase);
            m_phaseKnown = true;
        }
    }
    port.setRThreshold(threshold);
}

void SmoothingWizard::SaveCM(quint64 run)
{
    SerialPort& port = m_link.port();
    const int threshold = port.RThreshold();
    port.setRThreshold(0);
    const auto mode = readValue("CM", Int16Min, Int16Max);
    if (stillRunning(run)) {
        m_savedControlMode = static_cast<std::int16_t>(mode ? *mode : IdleMode);
        send(TmxCommand("CM" + QByteArray::number(IdleMode)));
        m_modeSaved = true;
    }
    port.setRThreshold(threshold);
}

void SmoothingWizard::RestoreCM()
{
    // Only a mode this run saved is put back: a run ended before it read the
    // mode left the drive's mode alone.
    if (m_modeSaved)
        send(TmxCommand("CM" + QByteArray::number(m_savedControlMode)));
}

void SmoothingWizard::Delay(double seconds)
{
    WaitSeconds(seconds);
}

bool SmoothingWizard::PortReady()
{
    if (m_link.port().isOpen())
        return true;
    m_link.configurator().prompt().tell(Configurator::ProgramTitle(), kNoPort, Prompt::Icon::Information);
    return false;
}

void SmoothingWizard::Activate()
{
    if (!m_link.port().isOpen())
        return;
    m_view.instructions = kIntroText;
    m_view.nextEnabled = false;
    m_view.nextCaption = QStringLiteral("Next");
    m_view.param.clear();
    m_view.paramEnabled = false;
    m_view.rpsShown = false;
    m_view.frameEnabled = false;
    m_view.frameCaption = SliderOf(Step::Speed).caption;
    m_view.sliderEnabled = false;
    m_view.startEnabled = false;
    m_step = Step::None;
    m_gainKnown = m_phaseKnown = false;
    m_modeSaved = false;
    m_running = true;
    const quint64 run = ++m_run;
    emit changed();

    send(TmxCommand("HR"));
    m_link.enterTerminalMode(*this);
    Delay(0.05);
    if (!stillRunning(run))
        return;  // cancelled meanwhile, perhaps opened anew
    send(TmxCommand("PR1"));
    ReadHGHP(run);
    if (!stillRunning(run))
        return;
    SaveCM(run);
    if (!stillRunning(run))
        return;
    m_view.startEnabled = true;
    emit changed();
}

void SmoothingWizard::Start(const QString& runningCurrentText)
{
    if (!m_running || m_step != Step::None)
        return;
    m_view.startEnabled = false;
    m_step = Step::Speed;
    m_view.rpsShown = true;
    m_view.frameEnabled = true;
    m_view.paramEnabled = true;
    m_view.slider = SliderOf(Step::Speed);
    // Putting the start speed on a slider that held another value (the last
    // run's phase) is a change of the jog speed like any other.
    const bool moved = m_view.sliderValue != StartSpeed;
    m_view.sliderValue = StartSpeed;
    m_view.sliderEnabled = true;
    m_view.param = ParamText(Step::Speed, StartSpeed);
    emit changed();
    if (moved)
        send(SliderCommand(Step::Speed, StartSpeed));

    send(TmxCommand("CC" + runningCurrentText.toLatin1()));
    send(TmxCommand("CM" + QByteArray::number(JogMode)));
    send(TmxCommand("JS" + m_view.param.toLatin1()));
    send(TmxCommand("CJ"));
    m_view.instructions = kSpeedText;
    m_view.nextEnabled = true;
    emit changed();
}

void SmoothingWizard::showValue(int value)
{
    m_view.sliderValue = value;
    m_view.param = ParamText(m_step, value);
}

void SmoothingWizard::SliderChange(int value)
{
    if (m_step == Step::None)
        return;
    value = qBound(m_view.slider.minimum, value, m_view.slider.maximum);
    if (m_step == Step::Gain) {
        m_gain = value;
        m_gainKnown = true;
    } else if (m_step == Step::Phase) {
        m_phase = value;
        m_phaseKnown = true;
    }
    SliderScroll(value);
}

void SmoothingWizard::SliderScroll(int value)
{
    if (m_step == Step::None)
        return;
    value = qBound(m_view.slider.minimum, value, m_view.slider.maximum);
    showValue(value);
    send(SliderCommand(m_step, value));
    emit changed();
}

void SmoothingWizard::enterStep(Step step, int value, const QString& instructions)
{
    m_step = step;
    const SliderRow& row = SliderOf(step);
    m_view.frameCaption = row.caption;
    m_view.slider = row;
    // A value the slider cannot hold becomes its nearest end, and that is
    // what the drive is then told.
    value = qBound(row.minimum, value, row.maximum);
    if (step == Step::Gain)
        m_gain = value;
    else if (step == Step::Phase)
        m_phase = value;
    // Only a value the slider did not hold already is a change to send.
    const bool moved = value != m_view.sliderValue;
    showValue(value);
    m_view.rpsShown = false;
    m_view.instructions = instructions;
    emit changed();
    if (moved)
        send(SliderCommand(step, value));
}

bool SmoothingWizard::NextDone()
{
    switch (m_step) {
    case Step::Speed:
        enterStep(Step::Gain, m_gain, kGainText);
        return false;
    case Step::Gain:
        m_view.nextCaption = QStringLiteral("Done");
        enterStep(Step::Phase, m_phase, kPhaseText);
        return false;
    case Step::Phase:
        break;
    case Step::None:
        return false;
    }
    leave();
    Tuned tuned;
    if (m_gainKnown)
        tuned.gain = m_gain;
    if (m_phaseKnown)
        tuned.phase = m_phase;
    emit tunedReady(tuned);
    m_link.configurator().prompt().tell(Configurator::ProgramTitle(), kReminder);
    emit ended();
    return true;
}

void SmoothingWizard::Cancel()
{
    if (m_running)
        leave();
    emit ended();
}

void SmoothingWizard::leave()
{
    m_step = Step::None;
    send(TmxCommand("SJ"));
    RestoreCM();
    send(TmxCommand("QT"));
    m_running = false;
    m_view.startEnabled = false;
    m_view.nextEnabled = false;
    m_view.sliderEnabled = false;
    m_link.leaveTerminalMode(*this);
}

void SmoothingWizard::ProcessChar(char c)
{
    m_received.append(c);
    while (m_received.size() >= 3) {
        if (static_cast<quint8>(m_received.at(0)) != PowerUpHeader)
            m_received.remove(0, 1);
        if (m_received.size() >= 3 && static_cast<quint8>(m_received.at(0)) == PowerUpHeader) {
            // The drive was switched off and on: answer it and read its
            // gain and phase again; the jog is not started again.
            const quint64 run = m_run;
            send("00");
            m_received.remove(0, 3);
            send(TmxCommand("PR1"));
            Delay(0.1);
            // Ended meanwhile: what waits in the port is no longer this
            // run's to discard.
            if (!stillRunning(run))
                return;
            m_link.port().Input();
            ReadHGHP(run);
            if (!stillRunning(run))
                return;
        }
    }
}
