#include "DriveTransfer.h"

#include "Configurator.h"
#include "DriveImage.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "ExtractUploadData.h"
#include "PolledRead.h"
#include "Prompt.h"
#include "Rounding.h"
#include "SerialPort.h"
#include "Wait.h"

#include <algorithm>

namespace {

constexpr double UploadTimeout = 0.5;
constexpr double AckTimeout = 1.0;
constexpr double AckSettle = 0.1;
constexpr char Ack = 6;
constexpr char Nak = 21;

const QString kNoiseAdvice = QStringLiteral(
    "Make sure the cable connections are secure and that you are not working around electrical "
    "noise, such as a welder, a high powered motor or big relays.");

}  // namespace

DriveTransfer::DriveTransfer(DriveLink& link, DriveQueries& queries, QObject* parent)
    : QObject(parent), m_link(link), m_queries(queries),
      m_okPress(static_cast<size_t>(OkDialog::RegenDialog) + 1)
{
}

void DriveTransfer::setOkPress(OkDialog dialog, std::function<void()> pressIfVisible)
{
    m_okPress.at(static_cast<size_t>(dialog)) = std::move(pressIfVisible);
}

void DriveTransfer::pressVisibleOks()
{
    for (const std::function<void()>& press : m_okPress)
        if (press)
            press();
}

void DriveTransfer::setProgress(int percent)
{
    if (percent == m_progress)
        return;
    m_progress = percent;
    emit progressChanged(percent);
}

bool DriveTransfer::NoCommPort() const
{
    return !m_link.port().isOpen();
}

bool DriveTransfer::Upload_Click()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    Configurator& cfg = m_link.configurator();
    if (cfg.state().SettingsChanged
        && cfg.prompt().ask(QStringLiteral("Open"),
                            QStringLiteral("You have made changes without Saving or Downloading.  Do you "
                                           "really want to upload and replace your program?"),
                            Prompt::Icon::Question, Prompt::Buttons::OkCancel)
               != Prompt::Answer::Ok)
        return false;
    if (NoCommPort()) {
        cfg.prompt().tell(Configurator::ProgramTitle(),
                          QStringLiteral("Cannot upload from drive: there is no comm port open."),
                          Prompt::Icon::Information);
        return false;
    }
    m_link.WriteText("S");
    if (m_queries.SilentCheckDrive().isEmpty())
        return false;
    if (m_queries.CheckDrive().size() < 2)
        return false;
    const bool uploaded = DataUpload();
    m_queries.CheckDrive();
    return uploaded;
}

bool DriveTransfer::DataUpload()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    Configurator& cfg = m_link.configurator();
    SerialPort& port = m_link.port();
    PolledRead read(port);
    setProgress(0);
    m_link.WriteText("u");
    // The progress follows the most bytes seen: nothing reads the input
    // meanwhile, so the count only drops when the device went away.
    const bool complete = read.waitFor(DriveImageSize, UploadTimeout, [this](int waiting) {
        setProgress(RoundToInt(std::clamp(waiting * 100.0 / DriveImageSize, 0.0, 100.0)));
    });
    if (!complete) {
        cfg.prompt().ask(QStringLiteral("Tuner Upload Problem %1 %2").arg(read.mostSeen()).arg(port.RThreshold()),
                         QStringLiteral("We are having trouble uploading tuning data from the drive. Is it "
                                        "connected to the right port and turned on?  If you are using your "
                                        "PC for anything processor intensive, such as opening a large file "
                                        "in another application, this can interfere with drive "
                                        "communication."),
                         Prompt::Icon::Question, Prompt::Buttons::Ok);
        setProgress(0);
        // The rest of a late image, also what is still on the line, must
        // not be read as drive messages or as the next exchange's answer.
        read.discardLate();
        return false;
    }
    const QByteArray image = read.take();
    if (!ChecksumGood(image)) {
        cfg.prompt().tell(QStringLiteral("Checksum Error"),
                          QStringLiteral("Your program did not upload correctly.  ") + kNoiseAdvice);
        setProgress(0);
        read.discardLate();
        return false;
    }
    ExtractUploadData(cfg, image);
    setProgress(0);
    read.release();
    cfg.SummarizeAll();
    cfg.state().SettingsChanged = false;
    return true;
}

bool DriveTransfer::Download_Click()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    Configurator& cfg = m_link.configurator();
    if (NoCommPort()) {
        cfg.prompt().tell(Configurator::ProgramTitle(),
                          QStringLiteral("Cannot download to drive: there is no comm port open."),
                          Prompt::Icon::Information);
        return false;
    }
    pressVisibleOks();
    if (!cfg.state().InertiaSet) {
        const Prompt::Answer answer = cfg.prompt().ask(
            QStringLiteral("Load Inertia Not Set"),
            QStringLiteral("You have not set the load inertia in the Motor Settings.  The electronic "
                           "damping and anti-resonance will work better if you set the load inertia "
                           "accurately.  Do you want to download your settings anyway?"),
            Prompt::Icon::Question, Prompt::Buttons::YesNo);
        if (answer != Prompt::Answer::Yes)
            return false;
        cfg.state().InertiaSet = true;
    }
    return DoDownload();
}

bool DriveTransfer::DoDownload()
{
    if (NoCommPort())
        return false;
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    Configurator& cfg = m_link.configurator();
    ProgramState& st = cfg.state();
    bool accepted = false;
    m_link.WriteText("S");
    const QString id = m_queries.CheckDrive();
    if (!id.isEmpty()) {
        m_queries.StoreIdentity(id);
        if (cfg.DriveMaxCurrent() < static_cast<float>(cfg.settings().RunCurrent)) {
            cfg.prompt().tell(Configurator::ProgramTitle(),
                              QStringLiteral("The motor current setting exceeds the maximum capacity of "
                                             "this drive.  Please click the Motor button to change the "
                                             "current setting."));
        } else if (st.FirmwareVersion < 1.02f && cfg.settings().MotionOutputMode >= 5) {
            cfg.prompt().tell(Configurator::ProgramTitle(),
                              QStringLiteral("You need DSP firmware 1.02 or later to use a Tach output with "
                                             "greater than 100 pulses/rev.  Please click the I/O button and "
                                             "change the tach setting to 100 pulses/rev or contact the "
                                             "factory for a firmware upgrade."));
        } else {
            accepted = DataDownload();
        }
    }
    m_link.port().setRThreshold(1);
    return accepted;
}

bool DriveTransfer::DataDownload()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    Configurator& cfg = m_link.configurator();
    SerialPort& port = m_link.port();
    // The whole image exists before "d" goes out: a drive told to expect an
    // image must get all of it.
    QByteArray image = DownloadString(cfg.settings(), cfg.databaseMotor());
    if (image.size() != DriveImageSize)
        return false;
    AddChecksum(image);
    // What counts as downloaded is the image, not whatever the settings hold
    // when the answer comes: an edit made while the drive is being written
    // (a dialog's OK during the waits) must still count as unsaved.
    const bool changedBefore = cfg.state().SettingsChanged;
    cfg.state().SettingsChanged = false;

    // The drive's answer is the first reply byte after the image. Alone it
    // stays in the port (the threshold of 3 keeps the receive path away from
    // it), but one that shares a read with a drive message, or comes after
    // a greeting put the threshold back to 1, goes the receive path's way
    // into the reply text: the answer is looked for in both, in that order.
    // Only the answer is taken; what came with it is the receive path's.
    QString& text = m_link.RxText();
    port.setRThreshold(3);
    port.Input();
    text.clear();
    setProgress(0);
    m_link.WriteText("d");
    for (int i = 0; i < DriveImageSize; ++i) {
        m_link.WriteByte(static_cast<quint8>(image.at(i)));
        setProgress(RoundToInt(i * 100.0 / (DriveImageSize - 1)));
        YieldToEvents();
    }
    WaitUntil([&] { return port.InBufferCount() > 0 || !text.isEmpty(); }, AckTimeout);
    WaitSeconds(AckSettle);

    bool accepted = false;
    QByteArray reply;
    if (!text.isEmpty()) {
        reply = text.left(1).toLatin1();
        text.remove(0, 1);
    } else {
        reply = port.Input(1);
    }
    if (reply.isEmpty()) {
        cfg.prompt().ask(Configurator::ProgramTitle(),
                         QStringLiteral("The download did not work.  Is it connected to the right port and "
                                        "turned on?"),
                         Prompt::Icon::Question, Prompt::Buttons::Ok);
    } else if (reply.at(0) == Nak) {
        cfg.prompt().tell(QStringLiteral("Checksum Error"),
                          QStringLiteral("The data did not download correctly.  ") + kNoiseAdvice);
    } else if (reply.at(0) == Ack) {
        accepted = true;
    }
    // Only a drive that took the image holds these settings now.
    if (!accepted && changedBefore)
        cfg.state().SettingsChanged = true;
    port.setRThreshold(1);
    // Bytes that came with the answer (the rest of a greeting, say) wait in
    // the port with no arrival left to announce them.
    if (port.InBufferCount() > 0)
        m_link.Comm1_OnComm();
    setProgress(0);
    return accepted;
}
