#include "DriveLink.h"

#include "Configurator.h"
#include "DriveTool.h"
#include "Prompt.h"
#include "SerialPort.h"
#include "Wait.h"

#include <QElapsedTimer>

#include <utility>

namespace {

constexpr int FirstComm = 1;
constexpr int LastComm = 8;

// Where the 0.1 s pause goes around the model change when a drive greets us.
enum class GreetingPause { AfterSelect, BeforeSelect, None };

struct GreetingRow {
    int modelCode;
    int modelRow;
    GreetingPause pause;
};

const GreetingRow kGreetingRows[] = {
    {41, 0, GreetingPause::AfterSelect},
    {42, 1, GreetingPause::BeforeSelect},
    {43, 2, GreetingPause::None},
    {44, 3, GreetingPause::AfterSelect},
    {45, 4, GreetingPause::BeforeSelect},
    {46, 5, GreetingPause::None},
};

// The reply text keeps at most this many of the newest characters: a query
// needs a few, and a drive that chats while nobody asks must not fill the
// memory. Trimmed back to half of it, so trimming is rare.
constexpr qsizetype RxTextLimit = 64 * 1024;
constexpr qsizetype RxTextKept = RxTextLimit / 2;

// The drive's power-up greeting: this header, the firmware and the model code.
constexpr quint8 GreetingHeader = 255;

// The data bytes of a drive message follow its header at once: about 1 ms
// apart at 9600 bit/s, up to 16 ms later through a USB adapter's buffer.
constexpr double MessageRestSeconds = 0.05;

const QString kNoOpenPort = QStringLiteral(
    "Could not find an open comm port.  You can still edit and save programs, but drive "
    "communication is not possible at this time.");

}  // namespace

float DriveLink::FirmwareFromCode(int code)
{
    return static_cast<float>(1.0 + code / 100.0);
}

QString DriveLink::VersionText(float firmware)
{
    return QString::number(static_cast<double>(firmware), 'f', 2);
}

DriveLink::DriveLink(Configurator& cfg, SerialPort& port, QObject* parent)
    : QObject(parent), m_cfg(cfg), m_port(port)
{
    connect(&m_port, &SerialPort::OnComm, this, &DriveLink::Comm1_OnComm);
    connect(&m_cfg, &Configurator::commRowSelected, this, &DriveLink::CommList_Click);
}

DriveLink::~DriveLink() = default;

bool DriveLink::openPort(int portNumber, QString* reason)
{
    SerialPort::OpenError error;
    if (m_port.open(portNumber, &error))
        return true;
    if (reason)
        *reason = QStringLiteral("%1 (%2)").arg(error.number).arg(error.reason);
    return false;
}

int DriveLink::StartComm()
{
    for (int n = FirstComm; n <= LastComm; ++n) {
        QString reason;
        if (openPort(n, &reason)) {
            m_port.setRThreshold(1);
            m_cfg.selectCommRow(n - 1);
            return n;
        }
        if (n < LastComm) {
            m_cfg.prompt().tell(QStringLiteral("Communication Error"),
                                QStringLiteral("Error on Comm%1:  %2.  Will try Comm%3.")
                                    .arg(n)
                                    .arg(reason)
                                    .arg(n + 1),
                                Prompt::Icon::Exclamation);
        }
    }
    m_cfg.prompt().tell(QStringLiteral("No open port"), kNoOpenPort);
    // Only the list shows COM1; the port stays closed, and choosing COM1
    // again later tries it once more.
    m_cfg.setCommRow(0);
    return 0;
}

void DriveLink::CommList_Click(int row)
{
    ProgramState& st = m_cfg.state();
    Exchange exchange(*this);
    if (!exchange || row < FirstComm - 1 || row > LastComm - 1) {
        // Moving the port under a running exchange would cut it off.
        m_cfg.setCommRow(st.CommPortNumber - 1);
        return;
    }
    if (row == st.CommPortNumber - 1 && m_port.isOpen()) {
        m_cfg.setCommRow(row);
        return;
    }
    const int old = st.CommPortNumber;
    st.CommPortNumber = static_cast<std::int16_t>(row + 1);
    m_port.close();
    const bool moved = openPort(st.CommPortNumber, nullptr) && m_port.Output("0");
    if (moved) {
        m_cfg.setCommRow(row);
        return;
    }
    m_cfg.prompt().tell(QStringLiteral("COM Error"),
                        QStringLiteral("COM port %1 is not available.").arg(st.CommPortNumber),
                        Prompt::Icon::Exclamation);
    st.CommPortNumber = static_cast<std::int16_t>(old);
    openPort(old, nullptr);
    m_cfg.setCommRow(old - 1);
}

void DriveLink::WriteByte(quint8 b)
{
    if (m_port.isOpen())
        m_port.Output(QByteArray(1, static_cast<char>(b)));
}

void DriveLink::Write2Bytes(quint8 b1, quint8 b2)
{
    if (!m_port.isOpen())
        return;
    QByteArray bytes;
    bytes.append(static_cast<char>(b1));
    bytes.append(static_cast<char>(b2));
    m_port.Output(bytes);
}

void DriveLink::WriteText(const QByteArray& text)
{
    if (m_port.isOpen())
        m_port.Output(text);
}

void DriveLink::selectModelRow(int row)
{
    if (m_cfg.modelIndex() != row)
        m_cfg.selectModel(row);
}

void DriveLink::ClearReceived()
{
    m_rx.clear();
    m_rxText.clear();
}

void DriveLink::enterTerminalMode(DriveTool& tool)
{
    m_tool = &tool;
    m_cfg.state().TerminalMode = true;
}

void DriveLink::leaveTerminalMode(DriveTool& tool)
{
    if (m_tool != &tool)
        return;
    m_tool = nullptr;
    m_cfg.state().TerminalMode = false;
}

bool DriveLink::hasHeaderByte() const
{
    for (char c : m_rx)
        if (static_cast<quint8>(c) >= 128)
            return true;
    return false;
}

// A tool that falls behind, or terminal mode with no tool taking the bytes,
// must not let the unread bytes grow without end: the newest are kept.
qsizetype DriveLink::takeInput()
{
    const QByteArray arrived = m_port.Input();
    m_rx += arrived;
    if (m_rx.size() > UnreadLimit)
        m_rx.remove(0, m_rx.size() - UnreadLimit);
    return arrived.size();
}

qsizetype DriveLink::missingMessageBytes() const
{
    const qsizetype n = m_rx.size();
    for (qsizetype back = 1; back <= 2 && back <= n; ++back)
        if (static_cast<quint8>(m_rx.at(n - back)) >= 128)
            return 3 - back;
    return 0;
}

void DriveLink::discardWaiting()
{
    // Throwing away the first bytes of a drive message and keeping the rest
    // would turn its data bytes into reply text, taken for the answer of the
    // exchange that starts now. A message is sent in one go, so the rest of
    // one begun is on the line: it is waited for (briefly) and goes with it.
    takeInput();
    if (missingMessageBytes() > 0) {
        const int threshold = m_port.RThreshold();
        m_port.setRThreshold(0);
        QElapsedTimer clock;
        clock.start();
        const auto left = [&] { return MessageRestSeconds - clock.nsecsElapsed() / 1e9; };
        qsizetype missing = missingMessageBytes();
        while (missing > 0 && left() > 0
               && WaitUntil([&] { return m_port.InBufferCount() >= missing; }, left())) {
            takeInput();
            missing = missingMessageBytes();
        }
        m_port.setRThreshold(threshold);
    }
    m_port.Input();
    m_rx.clear();
}

void DriveLink::Comm1_OnComm()
{
    if (m_cfg.state().TerminalMode) {
        const bool arrived = takeInput() > 0;
        // Handing bytes over runs this again for every arrival inside the
        // tool's handling and inside the yield after each byte. Those bytes
        // wait here for the loop below, which goes on with them in order
        // once the tool has returned: handing them over inside a greeting's
        // wait would nest one greeting in the other until the stack runs
        // out. Only a wait begun inside the yield (a poll that waits for
        // its reply) is handed bytes itself, as nothing would hand them
        // over before that wait ends.
        if (m_feeder && (m_feeder->inTool || WaitDepth() <= m_feeder->yieldDepth)) {
            m_feeder->arrivedInTool = m_feeder->arrivedInTool || (m_feeder->inTool && arrived);
            return;
        }
        Feeder self{WaitDepth() + 1};
        Feeder* const outer = std::exchange(m_feeder, &self);
        while (m_tool && m_cfg.state().TerminalMode && !m_rx.isEmpty()) {
            const char c = m_rx.at(0);
            m_rx.remove(0, 1);
            self.inTool = true;
            self.arrivedInTool = false;
            m_tool->ProcessChar(c);
            self.inTool = false;
            // Of the greetings that came while the tool was busy only the
            // newest counts: it names the drive that is there now.
            if (self.arrivedInTool)
                keepNewestGreeting();
            YieldToEvents();
        }
        m_feeder = outer;
        return;
    }
    // The threshold is read on every round: a message handler may change it,
    // and once an upload has set 0 the image bytes are not ours.
    while (m_port.RThreshold() > 0 && m_port.InBufferCount() > 0
           && m_port.InBufferCount() >= m_port.RThreshold()) {
        takeInput();
        while (!m_rx.isEmpty() && !(hasHeaderByte() && m_rx.size() < 3)) {
            ScanForHeader();
            ScanForPacket();
        }
    }
}

void DriveLink::keepNewestGreeting()
{
    QList<qsizetype> greetings;
    for (qsizetype i = 0; i + 2 < m_rx.size(); ++i) {
        if (static_cast<quint8>(m_rx.at(i)) == GreetingHeader && static_cast<quint8>(m_rx.at(i + 1)) < 128
            && static_cast<quint8>(m_rx.at(i + 2)) < 128) {
            greetings.append(i);
            i += 2;
        }
    }
    // From the back, so that the places found stay right.
    for (qsizetype k = greetings.size() - 2; k >= 0; --k)
        m_rx.remove(greetings.at(k), 3);
}

void DriveLink::ScanForHeader()
{
    qsizetype n = 0;
    while (n < m_rx.size() && static_cast<quint8>(m_rx.at(n)) < 128)
        ++n;
    if (n == 0)
        return;
    m_rxText += QString::fromLatin1(m_rx.left(n));
    m_rx.remove(0, n);
    if (m_rxText.size() > RxTextLimit)
        m_rxText.remove(0, m_rxText.size() - RxTextKept);
    emit rxTextChanged();
}

void DriveLink::ScanForPacket()
{
    if (m_rx.size() < 3)
        return;
    const quint8 b1 = static_cast<quint8>(m_rx.at(0));
    const quint8 b2 = static_cast<quint8>(m_rx.at(1));
    const quint8 b3 = static_cast<quint8>(m_rx.at(2));
    // A header followed too soon by another header byte is dropped, so the
    // scan picks up again at the later one.
    if (b3 >= 128) {
        m_rx.remove(0, 2);
    } else if (b2 >= 128) {
        m_rx.remove(0, 1);
    } else if (b1 >= 128) {
        m_rx.remove(0, 3);
        HandleMsg(b1, b2, b3);
    }
}

void DriveLink::HandleMsg(quint8 header, quint8 d1, quint8 d2)
{
    struct MessageRow {
        quint8 header;
        MessageAction action;
    };
    // The drive's own messages by header; any header not listed empties the
    // unread bytes.
    static const MessageRow kMessageRows[] = {
        {252, &DriveLink::onServoFault},
        {247, &DriveLink::onIgnored},
        {248, &DriveLink::onIgnored},
        {249, &DriveLink::onIgnored},
        {243, &DriveLink::onIgnored},
        {244, &DriveLink::onIgnored},
        {241, &DriveLink::onFirmwareRevision},
        {240, &DriveLink::onReflashNeeded},
        {239, &DriveLink::onFirmwareMismatch},
        {255, &DriveLink::onGreeting},
    };
    for (const MessageRow& row : kMessageRows) {
        if (row.header == header) {
            runMessage({header, row.action, d1, d2});
            return;
        }
    }
    m_rx.clear();
}

void DriveLink::runMessage(const WaitingMessage& message)
{
    // A handler may wait (the greeting's pause, a message box), and the
    // receive event runs during that wait. A message arriving then is kept
    // for later rather than handled inside the first: otherwise a burst of
    // greetings nests one wait inside the other until the stack runs out.
    // Of the messages of one kind waiting only the newest counts: the last
    // greeting names the drive that is there now, one reflash box is enough.
    if (m_handlingMessage) {
        m_waitingMessages.removeIf([&](const WaitingMessage& m) { return m.header == message.header; });
        m_waitingMessages.append(message);
        return;
    }
    m_handlingMessage = true;
    (this->*message.action)(message.d1, message.d2);
    while (!m_waitingMessages.isEmpty()) {
        const WaitingMessage next = m_waitingMessages.takeFirst();
        (this->*next.action)(next.d1, next.d2);
    }
    m_handlingMessage = false;
}

void DriveLink::onServoFault(quint8 d1, quint8 d2)
{
    if (!m_cfg.state().ClearingFault)
        emit servoFaultReported(d1 * 128 + d2);
}

void DriveLink::onIgnored(quint8, quint8) {}

void DriveLink::onFirmwareRevision(quint8 d1, quint8 d2)
{
    ProgramState& st = m_cfg.state();
    st.FirmwareVersion = FirmwareFromCode(d1);
    st.MinorRev = QString(QChar(d2));
    m_cfg.setDriveVersion(VersionText(st.FirmwareVersion) + QLatin1Char(' ') + st.MinorRev);
}

void DriveLink::showReflashBox(bool kyChip)
{
    const QString chip = kyChip ? QStringLiteral("the Ky chip") : QStringLiteral("the DSP");
    const QString loader = kyChip ? QStringLiteral("Ky") : QStringLiteral("DSP");
    m_cfg.prompt().tell(
        QStringLiteral("Firmware reflash"),
        QStringLiteral("If you just applied power to your drive and got this message, your drive is "
                       "waiting for a firmware reflash of %1.  You need to close this application, "
                       "turn off the drive, then power it back up after starting the %2 Firmware "
                       "Downloader.  If you need help with this, please telephone the factory.  "
                       "If your drive has been operating normally and you got this message, ignore it.")
            .arg(chip, loader),
        Prompt::Icon::Stop);
}

void DriveLink::onReflashNeeded(quint8, quint8)
{
    showReflashBox(false);
}

void DriveLink::onFirmwareMismatch(quint8 d1, quint8)
{
    if (d1 != 1) {
        showReflashBox(true);
        return;
    }
    m_cfg.prompt().tell(QStringLiteral("Firmware mismatch"),
                        QStringLiteral("This version of the Ky firmware requires DSP firmware 1.52 or "
                                       "later.  You must upgrade your DSP firmware before running an "
                                       "Ky Program."),
                        Prompt::Icon::Stop);
}

void DriveLink::onGreeting(quint8 firmwareCode, quint8 modelCode)
{
    ProgramState& st = m_cfg.state();
    m_port.setRThreshold(1);
    st.FirmwareVersion = FirmwareFromCode(firmwareCode);
    st.DriveModelCode = modelCode;
    const GreetingRow* found = nullptr;
    for (const GreetingRow& row : kGreetingRows)
        if (row.modelCode == modelCode)
            found = &row;
    if (!found) {
        m_cfg.setDriveVersion(QString());
        return;
    }
    WriteText("QT");
    m_cfg.prompt().beep();
    if (found->pause == GreetingPause::BeforeSelect)
        WaitSeconds(0.1);
    selectModelRow(found->modelRow);
    if (found->pause == GreetingPause::AfterSelect)
        WaitSeconds(0.1);
    m_cfg.setDriveVersion(VersionText(st.FirmwareVersion));
}

DriveLink::Exchange::Exchange(DriveLink& link) : m_link(link)
{
    if (m_link.m_exchangeDepth < 0) {
        m_link.m_exchangeDepth = WaitDepth();
        m_granted = m_outermost = true;
        m_link.discardWaiting();
    } else {
        m_granted = WaitDepth() == m_link.m_exchangeDepth;
    }
}

DriveLink::Exchange::~Exchange()
{
    if (m_outermost)
        m_link.m_exchangeDepth = -1;
}
