#include "DeviceSerialPort.h"

#include <QAbstractEventDispatcher>
#include <QFileInfo>
#include <QSerialPort>

#include <poll.h>

DeviceSerialPort::DeviceSerialPort(QObject* parent)
    : SerialPort(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &DeviceSerialPort::onReadyRead);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &DeviceSerialPort::onAboutToBlock);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onError(static_cast<int>(e)); });
}

DeviceSerialPort::~DeviceSerialPort() = default;

bool DeviceSerialPort::openDevice(const QString& path, OpenError* error)
{
    m_port->setPortName(path);
    m_port->setBaudRate(QSerialPort::Baud9600);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        const QFileInfo device(path);
        error->number = static_cast<int>(m_port->error());
        if (!device.exists())
            error->reason = QStringLiteral("no such device %1").arg(path);
        else if (!device.isReadable() || !device.isWritable())
            error->reason = QStringLiteral("permission denied on %1: add the user to the dialout group").arg(path);
        else if (m_port->error() == QSerialPort::PermissionError)
            error->reason = QStringLiteral("port busy: %1 is in use").arg(path);
        else
            error->reason = QStringLiteral("%1: %2").arg(path, m_port->errorString());
        m_port->clearError();
        return false;
    }
    // The drive does not need the modem lines; a pseudo-terminal refuses
    // them, which is no reason to give up the port.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(false);
    m_port->clearError();
    return true;
}

void DeviceSerialPort::closeDevice()
{
    m_port->close();
    m_port->clearError();
}

bool DeviceSerialPort::portOpen() const
{
    return m_port->isOpen();
}

bool DeviceSerialPort::writeDevice(const QByteArray& bytes)
{
    if (m_port->write(bytes) != bytes.size())
        return false;
    // Hand the bytes to the device now rather than on the next pass of the
    // event loop; this does not block.
    m_port->flush();
    return true;
}

QByteArray DeviceSerialPort::readAllDevice()
{
    return m_port->readAll();
}

QByteArray DeviceSerialPort::readDevice(int maxBytes)
{
    return m_port->read(maxBytes);
}

int DeviceSerialPort::bytesWaiting() const
{
    return static_cast<int>(m_port->bytesAvailable());
}

void DeviceSerialPort::onReadyRead()
{
    // The receive event runs inside the device's own announcement, and the
    // device announces nothing more until it returns, though it goes on
    // reading into its buffer whenever the event yields (a tool's yield after
    // each byte, a greeting's pause, a message box). What came meanwhile is
    // delivered here once the event has returned, as many rounds as it
    // takes; a device that announces inside its own announcement only adds
    // to what this loop delivers.
    if (m_delivering)
        return;
    m_delivering = true;
    do
        notifyArrival();
    while (portOpen() && RThreshold() > 0 && bytesWaiting() >= RThreshold());
    m_delivering = false;
}

void DeviceSerialPort::onAboutToBlock()
{
    // A wait inside the receive event is about to sleep (a tool's query
    // waiting for its reply inside the event's yield, say): what the device
    // read meanwhile cannot be announced, and the wait would sleep to its
    // time-out with its reply in the buffer. It goes out in a posted call,
    // which also wakes the wait.
    if (!m_delivering || m_nestedQueued || !portOpen() || RThreshold() <= 0 || bytesWaiting() < RThreshold())
        return;
    m_nestedQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_nestedQueued = false;
            if (portOpen())
                notifyArrival();
        },
        Qt::QueuedConnection);
}

bool DeviceSerialPort::hungUp() const
{
    const int fd = static_cast<int>(m_port->handle());
    if (fd < 0)
        return false;
    pollfd p {};
    p.fd = fd;
    p.events = POLLIN;
    if (::poll(&p, 1, 0) <= 0)
        return false;
    return (p.revents & (POLLHUP | POLLNVAL)) != 0;
}

void DeviceSerialPort::onError(int error)
{
    if (!m_port->isOpen() || m_lossQueued)
        return;
    // A device that vanished shows either as a resource error or, when its
    // tty was hung up (the far end of a pseudo-terminal closed, a USB
    // adapter unplugged), as a read that returns nothing while the device
    // keeps reporting itself readable: a read error on every pass of the
    // event loop. Either way the port is of no further use.
    if (error != QSerialPort::ResourceError && !hungUp())
        return;
    const QString reason = m_port->errorString();
    // Closed from a posted call: the error is raised from inside the serial
    // port's own read handling, which must finish before the port goes.
    m_lossQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            m_lossQueued = false;
            if (!m_port->isOpen())
                return;
            m_port->close();
            m_port->clearError();
            notifyLost(reason);
        },
        Qt::QueuedConnection);
}
