#include "SerialPort.h"

SerialPort::SerialPort(QObject* parent) : QObject(parent) {}

SerialPort::~SerialPort() = default;

QString SerialPort::devicePath(int portNumber)
{
    const QByteArray mapped = qgetenv("KORV4_COM" + QByteArray::number(portNumber));
    if (!mapped.isEmpty())
        return QString::fromLocal8Bit(mapped);
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

bool SerialPort::open(int portNumber, OpenError* error)
{
    if (portOpen())
        closeDevice();
    m_portNumber = portNumber;
    OpenError local;
    if (openDevice(devicePath(portNumber), &local))
        return true;
    if (error)
        *error = local;
    return false;
}

void SerialPort::close()
{
    if (portOpen())
        closeDevice();
}

bool SerialPort::Output(const QByteArray& bytes)
{
    if (!portOpen())
        return false;
    return writeDevice(bytes);
}

QByteArray SerialPort::Input()
{
    if (!portOpen())
        return {};
    return readAllDevice();
}

QByteArray SerialPort::Input(int maxBytes)
{
    if (!portOpen() || maxBytes <= 0)
        return {};
    return readDevice(maxBytes);
}

int SerialPort::InBufferCount() const
{
    return portOpen() ? bytesWaiting() : 0;
}

void SerialPort::setRThreshold(int threshold)
{
    m_threshold = threshold < 0 ? 0 : threshold;
}

void SerialPort::notifyArrival()
{
    emit bytesArrived();
    if (m_threshold > 0 && portOpen() && bytesWaiting() >= m_threshold)
        emit OnComm();
}

void SerialPort::notifyLost(const QString& reason)
{
    emit deviceLost(reason);
}
