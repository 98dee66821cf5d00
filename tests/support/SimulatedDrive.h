#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class MemorySerialPort;
class QSocketNotifier;
class QTimer;

// A drive at the far end of the link, for tests and the benchmark. It runs in
// the test's own event loop, either behind an in-memory port or behind a real
// pseudo-terminal that the program opens with the device backend.
//
// It answers the configuration link: "C" (firmware and model code), the two
// "y" queries (minor revision, servo status), "S" and "0" (no reply), "u"
// (its stored image), "d" followed by 161 bytes (ACK 6 when the sum is
// good, NAK 21 when not) and the analog offset measurement "O" or "O4719"
// (the two bytes of offsetReply). It can stay silent, answer late, send a
// short or long image, and disappear in the middle of a transfer.
//
// Faults: "a" sends the alarm history, "o" clears it, "z" clears a present
// fault (unless the fault sticks), "n" re-enables, and "i4719" restores the
// factory image. A fault message (header 252) goes out on demand.
class SimulatedDrive : public QObject {
    Q_OBJECT
public:
    // Behind an in-memory port (the port must outlive the drive).
    explicit SimulatedDrive(MemorySerialPort& port, QObject* parent = nullptr);
    // Behind a new pseudo-terminal; the program opens slavePath().
    explicit SimulatedDrive(QObject* parent = nullptr);
    ~SimulatedDrive() override;

    bool isPresent() const;
    QString slavePath() const { return m_slavePath; }

    // Who the drive is.
    int firmwareCode = 4;
    int modelCode = 42;
    char minorRev = 'k';
    int servoStatus = 0;
    // What "u" sends; a download with a good sum replaces it.
    QByteArray image;
    // A ready-made image with a good sum (bytes 0..158 counting up).
    static QByteArray sampleImage();

    // How it behaves.
    bool silent = false;               // answers nothing (still records)
    bool answersRevision = true;       // false: the minor-revision query goes unanswered
    int replyDelayMs = 0;              // every answer goes out this much later
    int uploadLength = -1;             // send only the first n image bytes
    QByteArray uploadExtra;            // bytes sent behind the image
    int uploadChunk = 0;               // in memory: answers in arrivals of this size (0: one)
    int vanishAfterUploadBytes = -1;   // disappear after sending n image bytes
    int vanishAfterDownloadBytes = -1; // disappear after receiving n image bytes
    int ackByte = -1;                  // answer this to a download instead of ACK/NAK
    // Sent with a download's answer, in the same write: what the drive
    // happened to say just before and just after it (a fault, a greeting).
    QByteArray beforeAck;
    QByteArray afterAck;
    int uploadDelayMs = 0;             // the image goes out this much later than other answers
    // Sent ahead of the next answer, in the same write, once.
    QByteArray aheadOfNextAnswer;
    // A real 9600-baud line: when above 0, everything the drive sends goes
    // out one byte at a time at this many bytes per second (960 for 9600
    // baud), so replies arrive split across reads as from a real drive.
    int lineBytesPerSecond = 0;
    // How many bytes the paced line hands over in one write (an adapter
    // that collects what came in its buffer); 1: a byte at a time.
    int lineChunk = 1;
    // Bytes still waiting to go out on the paced line.
    qsizetype lineBacklog() const { return m_line.size(); }
    bool acknowledges = true;          // false: a download gets no answer at all
    // What "O" (with or without its access code) answers: the analog offset
    // in half-millivolts, high byte first, signed (0, 40: 20 mV).
    QByteArray offsetReply = QByteArray("\x00\x28", 2);
    int offsetRequests = 0;

    // Faults. The alarm history "a" sends (eight words, high byte first;
    // tests may make it shorter or longer); "o" empties it to 16 zeros.
    QByteArray alarmHistory = QByteArray(16, '\0');
    bool answersAlarmHistory = true;  // false: "a" goes unanswered
    // A present fault shows as bit 9 (512) of the servo status; "z" clears
    // that bit unless the fault sticks.
    bool faultSticks = false;
    // What "i4719" restores.
    QByteArray factoryImage = sampleImage();
    int historyClears = 0;   // "o" taken
    int faultClears = 0;     // "z" taken
    int reenables = 0;       // "n" taken
    int factoryRestores = 0; // "i4719" taken

    // Every byte received, in order.
    QByteArray received;
    int downloadsTaken = 0;

    // On demand: any bytes, a power-up greeting, a 3-byte drive message.
    void send(const QByteArray& bytes);
    void sendGreeting(int firmware, int model);
    void sendMessage(int header, int d1, int d2);
    // Sends the bytes over time, a chunk every intervalMs, as a drive that
    // keeps talking; emits pacedSendDone after the last chunk.
    void sendPaced(const QByteArray& bytes, int chunk, int intervalMs);
    // Bytes of sendPaced still to go.
    qsizetype pacedBacklog() const { return m_paced.size(); }
    // The fault message for an alarm word (its low 14 bits: two 7-bit bytes).
    void sendFault(int alarmWord);
    // Pulls the plug: the pseudo-terminal closes, the in-memory port vanishes.
    void vanish();

    // TMX text commands: when set, received bytes are collected into
    // CR-terminated commands (without the CR), each handed to the handler;
    // whatever it returns is sent back. The configuration link is then off.
    std::function<QByteArray(const QByteArray& command)> textCommandHandler;

signals:
    void pacedSendDone();

private:
    enum class Expect { Command, QueryCode, DownloadBytes, AccessCode, OffsetCode };

    void take(const QByteArray& bytes);
    void takeByte(quint8 b);
    void answer(const QByteArray& bytes);
    void answerUpload();
    void transmit(const QByteArray& bytes);
    void writeNow(const QByteArray& bytes);
    void drainLine();
    void readMaster();

    MemorySerialPort* m_memory = nullptr;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QSocketNotifier* m_notifier = nullptr;
    bool m_gone = false;

    Expect m_expect = Expect::Command;
    QByteArray m_download;
    QByteArray m_textLine;
    QByteArray m_paced;
    int m_pacedChunk = 0;
    QTimer* m_pacer = nullptr;
    QByteArray m_line;               // waiting for the paced line
    QTimer* m_lineTimer = nullptr;
    QElapsedTimer m_lineClock;       // since the line last started sending
    qint64 m_lineSent = 0;           // bytes sent since then
    QByteArray m_accessCode;
    int m_accessDigits = 0;  // of the offset measurement's access code
};
