#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class Configurator;
class DriveTool;
class SerialPort;

// The link to the drive: finding and moving the port, sending, and the one
// receive path that splits what the drive sends into reply text (RxText) and
// the 3-byte messages the drive sends by itself (power-up greeting, servo
// fault, firmware notices). The queries and the transfers build on it.
class DriveLink : public QObject {
    Q_OBJECT
public:
    DriveLink(Configurator& cfg, SerialPort& port, QObject* parent = nullptr);
    ~DriveLink() override;

    // The firmware version a drive reports as a code (1 + code / 100), and
    // how the version label shows it ("1.04").
    static float FirmwareFromCode(int code);
    static QString VersionText(float firmware);

    Configurator& configurator() { return m_cfg; }
    SerialPort& port() { return m_port; }

    // Opens the first of COM1..COM8 that opens, telling the user about each
    // that does not. Returns the COM number opened, 0 when none.
    int StartComm();
    // The port list's row was selected (connected to Configurator::commRowSelected).
    void CommList_Click(int row);

    // Send when the port is open; else nothing.
    void WriteByte(quint8 b);
    void Write2Bytes(quint8 b1, quint8 b2);
    void WriteText(const QByteArray& text);

    // The receive event (connected to the port's OnComm).
    void Comm1_OnComm();
    // The steps of the receive path over the unread bytes.
    void ScanForHeader();
    void ScanForPacket();
    void HandleMsg(quint8 header, quint8 d1, quint8 d2);

    // Selects a row of the model list as a click on it would: choosing the
    // row already selected changes nothing.
    void selectModelRow(int row);

    // The reply text the exchanges poll and cut from the front. Only the
    // newest part is kept (at most 64 K characters) when nobody takes it.
    QString& RxText() { return m_rxText; }
    // The received bytes not yet scanned or handed to a tool, in arrival
    // order. At most UnreadLimit of them are kept: when more wait, the
    // oldest go.
    static constexpr qsizetype UnreadLimit = 4096;
    const QByteArray& unreadBytes() const { return m_rx; }
    // Empties the unread bytes and the reply text (start-up).
    void ClearReceived();

    // Terminal mode: the tool that sets it gets every received byte through
    // its ProcessChar until it leaves; TerminalMode in the program state
    // follows. Leaving by a tool that does not hold it changes nothing.
    void enterTerminalMode(DriveTool& tool);
    void leaveTerminalMode(DriveTool& tool);
    DriveTool* terminalTool() const { return m_tool; }

    // One drive exchange at a time. A scope that is not granted means an
    // exchange is already waiting and this request came from an event
    // handled inside its wait: the request is to be ignored. Calls made
    // directly by the running exchange are granted. An exchange that starts
    // throws away the bytes that were waiting unread (in the port and not
    // yet scanned), so what a tool left behind is not taken for its reply;
    // a drive message begun among them goes whole, its rest waited for.
    class Exchange {
    public:
        explicit Exchange(DriveLink& link);
        ~Exchange();
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;
        explicit operator bool() const { return m_granted; }

    private:
        DriveLink& m_link;
        bool m_granted = false;
        bool m_outermost = false;
    };
    bool exchangeRunning() const { return m_exchangeDepth >= 0; }

signals:
    // Header 252: the drive reports a servo fault with its status word
    // (not raised while ClearingFault is set).
    void servoFaultReported(int statusWord);
    // The reply text grew.
    void rxTextChanged();

private:
    using MessageAction = void (DriveLink::*)(quint8, quint8);
    struct WaitingMessage {
        quint8 header;
        MessageAction action;
        quint8 d1;
        quint8 d2;
    };

    bool hasHeaderByte() const;
    // Drops every complete greeting among the unread bytes but the last.
    void keepNewestGreeting();
    void runMessage(const WaitingMessage& message);
    bool openPort(int portNumber, QString* reason);
    // Takes what the port holds into the unread bytes; the count taken.
    qsizetype takeInput();
    // How many data bytes the last drive message among the unread bytes
    // still lacks (0 when none is begun).
    qsizetype missingMessageBytes() const;
    // Throws away what waits unread, never part of a drive message.
    void discardWaiting();

    // What the drive's own messages do, one per kind of header.
    void onServoFault(quint8 d1, quint8 d2);
    void onIgnored(quint8 d1, quint8 d2);
    void onFirmwareRevision(quint8 d1, quint8 d2);
    void onReflashNeeded(quint8 d1, quint8 d2);
    void onFirmwareMismatch(quint8 d1, quint8 d2);
    void onGreeting(quint8 d1, quint8 d2);
    void showReflashBox(bool kyChip);

    Configurator& m_cfg;
    SerialPort& m_port;
    QByteArray m_rx;
    QString m_rxText;
    DriveTool* m_tool = nullptr;
    int m_exchangeDepth = -1;  // WaitDepth() when the running exchange began
    bool m_handlingMessage = false;
    // Terminal mode: a loop that hands the waiting bytes to the tool.
    struct Feeder {
        int yieldDepth;              // WaitDepth() inside its yield after a byte
        bool inTool = false;         // the tool is handling a byte
        bool arrivedInTool = false;  // and bytes arrived meanwhile
    };
    Feeder* m_feeder = nullptr;      // the innermost one running
    // Drive messages that arrived while another was being handled, in
    // arrival order, the newest of each kind only.
    QList<WaitingMessage> m_waitingMessages;
};
