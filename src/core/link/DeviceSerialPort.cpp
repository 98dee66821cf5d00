#include "DeviceSerialPort.h"

#include <QFileInfo>
#include <QSerialPort>

DeviceSerialPort::DeviceSerialPort(QObject* parent)
    : SerialPort(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &DeviceSerialPort::onReadyRead);
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

int DeviceSerialPort::bytesWaiting() const
{
    return static_cast<int>(m_port->bytesAvailable());
}

void DeviceSerialPort::onReadyRead()
{
    // The receive event may yield to the event loop (pauses, message boxes);
    // raising it from here would stop the device from announcing further
    // arrivals until it returned, so it runs as a posted call instead.
    if (m_arrivalQueued)
        return;
    m_arrivalQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_arrivalQueued = false;
            notifyArrival();
        },
        Qt::QueuedConnection);
}

void DeviceSerialPort::onError(int error)
{
    if (error != QSerialPort::ResourceError || !m_port->isOpen())
        return;
    const QString reason = m_port->errorString();
    m_port->close();
    m_port->clearError();
    notifyLost(reason);
}
