#include "SimulatedDrive.h"

#include "DriveImage.h"
#include "MemorySerialPort.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr char Ack = 6;
constexpr char Nak = 21;

QByteArray hexText(int value, int digits)
{
    return QByteArray::number(value & 0xFFFF, 16).toUpper().rightJustified(digits, '0').right(digits);
}

}  // namespace

QByteArray SimulatedDrive::sampleImage()
{
    QByteArray im(DriveImageSize, 0);
    for (int i = 0; i < DriveImageSize - 2; ++i)
        im[i] = static_cast<char>(i);
    AddChecksum(im);
    return im;
}

SimulatedDrive::SimulatedDrive(MemorySerialPort& port, QObject* parent)
    : QObject(parent), image(sampleImage()), m_memory(&port)
{
    port.onSent = [this](const QByteArray& bytes) { take(bytes); };
}

SimulatedDrive::SimulatedDrive(QObject* parent) : QObject(parent), image(sampleImage())
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_gone = true;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    // Raw line on both ends from the start: no echo, no line editing, no
    // translation of CR; the drive's bytes are binary.
    termios t {};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(m_slave, TCSANOW, &t);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // Our own hold on the slave keeps the master readable while the program
    // closes and reopens its side.
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimulatedDrive::readMaster);
}

SimulatedDrive::~SimulatedDrive()
{
    if (m_memory)
        m_memory->onSent = nullptr;
    delete m_notifier;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool SimulatedDrive::isPresent() const
{
    return !m_gone;
}

void SimulatedDrive::readMaster()
{
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            take(QByteArray(buf, static_cast<int>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
}

void SimulatedDrive::send(const QByteArray& bytes)
{
    transmit(bytes);
}

void SimulatedDrive::sendGreeting(int firmware, int model)
{
    sendMessage(255, firmware, model);
}

void SimulatedDrive::sendMessage(int header, int d1, int d2)
{
    QByteArray m;
    m.append(static_cast<char>(header));
    m.append(static_cast<char>(d1));
    m.append(static_cast<char>(d2));
    transmit(m);
}

void SimulatedDrive::sendPaced(const QByteArray& bytes, int chunk, int intervalMs)
{
    if (!m_pacer) {
        m_pacer = new QTimer(this);
        connect(m_pacer, &QTimer::timeout, this, [this] {
            transmit(m_paced.left(m_pacedChunk));
            m_paced.remove(0, m_pacedChunk);
            if (m_paced.isEmpty()) {
                m_pacer->stop();
                emit pacedSendDone();
            }
        });
    }
    m_paced += bytes;
    m_pacedChunk = qMax(1, chunk);
    m_pacer->start(intervalMs);
}

void SimulatedDrive::sendFault(int alarmWord)
{
    sendMessage(252, (alarmWord >> 7) & 0x7F, alarmWord & 0x7F);
}

void SimulatedDrive::vanish()
{
    if (m_gone)
        return;
    m_gone = true;
    if (m_memory) {
        // After whatever is already on its way.
        QMetaObject::invokeMethod(m_memory, [port = m_memory] { port->vanish(); }, Qt::QueuedConnection);
        return;
    }
    // Often called from inside the notifier's own signal (a download cut
    // off mid-image): it may not be deleted there.
    m_notifier->setEnabled(false);
    m_notifier->deleteLater();
    m_notifier = nullptr;
    ::close(m_master);
    ::close(m_slave);
    m_master = m_slave = -1;
}

void SimulatedDrive::take(const QByteArray& bytes)
{
    received += bytes;
    for (char c : bytes) {
        if (m_gone)
            return;
        takeByte(static_cast<quint8>(c));
    }
}

void SimulatedDrive::takeByte(quint8 b)
{
    // "O" may be followed by its 4-digit access code; anything else is the
    // next command.
    if (m_expect == Expect::OffsetCode) {
        if (b >= '0' && b <= '9' && m_accessDigits < 4) {
            if (++m_accessDigits == 4)
                m_expect = Expect::Command;
            return;
        }
        m_expect = Expect::Command;
    }
    if (textCommandHandler && m_expect == Expect::Command) {
        if (b != '\r') {
            m_textLine.append(static_cast<char>(b));
            return;
        }
        const QByteArray command = m_textLine;
        m_textLine.clear();
        answer(textCommandHandler(command));
        return;
    }
    switch (m_expect) {
    case Expect::Command:
        switch (b) {
        case 'C': {
            QByteArray id;
            id.append(static_cast<char>(firmwareCode));
            id.append(static_cast<char>(modelCode));
            answer(id);
            break;
        }
        case 'y': m_expect = Expect::QueryCode; break;
        case 'u': answerUpload(); break;
        case 'O':
            ++offsetRequests;
            answer(offsetReply);
            m_accessDigits = 0;
            m_expect = Expect::OffsetCode;
            break;
        case 'd':
            m_download.clear();
            m_expect = Expect::DownloadBytes;
            break;
        case 'a':
            if (answersAlarmHistory)
                answer(alarmHistory);
            break;
        case 'o':
            ++historyClears;
            alarmHistory = QByteArray(16, '\0');
            break;
        case 'z':
            ++faultClears;
            if (!faultSticks)
                servoStatus &= ~0x200;
            break;
        case 'n': ++reenables; break;
        case 'i':
            m_accessCode.clear();
            m_expect = Expect::AccessCode;
            break;
        default: break;  // "S", "0", the "QT" after a greeting: no reply
        }
        break;
    case Expect::QueryCode:
        m_expect = Expect::Command;
        if (b == 142 && answersRevision)
            answer("00" + hexText(static_cast<quint8>(minorRev), 2));
        else if (b == 128)
            answer(hexText(servoStatus, 4));
        break;
    case Expect::OffsetCode:
        break;
    case Expect::AccessCode:
        m_accessCode.append(static_cast<char>(b));
        if (m_accessCode.size() < 4)
            return;
        m_expect = Expect::Command;
        if (m_accessCode == "4719") {
            ++factoryRestores;
            image = factoryImage;
        }
        break;
    case Expect::DownloadBytes:
        m_download.append(static_cast<char>(b));
        if (m_download.size() == vanishAfterDownloadBytes) {
            vanish();
            return;
        }
        if (m_download.size() < DriveImageSize)
            return;
        m_expect = Expect::Command;
        ++downloadsTaken;
        if (!acknowledges) {
            return;
        } else if (ackByte >= 0) {
            answer(beforeAck + QByteArray(1, static_cast<char>(ackByte)) + afterAck);
        } else if (ChecksumGood(m_download)) {
            image = m_download;
            answer(beforeAck + QByteArray(1, Ack) + afterAck);
        } else {
            answer(beforeAck + QByteArray(1, Nak) + afterAck);
        }
        break;
    }
}

void SimulatedDrive::answerUpload()
{
    QByteArray out = image;
    if (uploadLength >= 0)
        out = out.left(uploadLength);
    out += uploadExtra;
    if (vanishAfterUploadBytes >= 0) {
        out = out.left(vanishAfterUploadBytes);
        answer(out);
        // Long enough for the program to read what did go out.
        QTimer::singleShot(replyDelayMs + 50, this, &SimulatedDrive::vanish);
        return;
    }
    if (uploadDelayMs > 0) {
        QTimer::singleShot(uploadDelayMs, this, [this, out] { answer(out); });
        return;
    }
    answer(out);
}

void SimulatedDrive::answer(const QByteArray& reply)
{
    if (silent || reply.isEmpty())
        return;
    const QByteArray bytes = aheadOfNextAnswer + reply;
    aheadOfNextAnswer.clear();
    if (replyDelayMs > 0)
        QTimer::singleShot(replyDelayMs, this, [this, bytes] { transmit(bytes); });
    else
        transmit(bytes);
}

void SimulatedDrive::transmit(const QByteArray& bytes)
{
    if (m_gone || bytes.isEmpty())
        return;
    if (lineBytesPerSecond <= 0) {
        writeNow(bytes);
        return;
    }
    if (!m_lineTimer) {
        m_lineTimer = new QTimer(this);
        m_lineTimer->setTimerType(Qt::PreciseTimer);
        m_lineTimer->setInterval(1);
        connect(m_lineTimer, &QTimer::timeout, this, &SimulatedDrive::drainLine);
    }
    if (m_line.isEmpty()) {
        m_lineClock.start();
        m_lineSent = 0;
    }
    m_line += bytes;
    if (!m_lineTimer->isActive())
        m_lineTimer->start();
}

// Sends the bytes that are due by now at the line rate, one write per byte
// (or per lineChunk bytes), so that the reader sees them as separate arrivals.
void SimulatedDrive::drainLine()
{
    qint64 due = m_lineClock.nsecsElapsed() * lineBytesPerSecond / 1000000000 + 1 - m_lineSent;
    const qint64 chunk = qMax(1, lineChunk);
    while (!m_line.isEmpty() && !m_gone) {
        const qint64 n = qMin<qint64>(chunk, m_line.size());
        if (due < n)
            break;
        writeNow(m_line.left(n));
        m_line.remove(0, n);
        m_lineSent += n;
        due -= n;
    }
    if (m_line.isEmpty() || m_gone) {
        m_line.clear();
        m_lineTimer->stop();
    }
}

void SimulatedDrive::writeNow(const QByteArray& bytes)
{
    if (m_gone)
        return;
    if (m_memory) {
        m_memory->feed(bytes, uploadChunk);
        return;
    }
    qsizetype at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + at, static_cast<size_t>(bytes.size() - at));
        if (n > 0)
            at += n;
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            return;
    }
}
