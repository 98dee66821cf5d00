#include "MemorySerialPort.h"

MemorySerialPort::MemorySerialPort(QObject* parent) : SerialPort(parent) {}

bool MemorySerialPort::openDevice(const QString& path, OpenError* error)
{
    if (missingPorts.contains(portNumber())) {
        error->number = 1;
        error->reason = QStringLiteral("no such device %1").arg(path);
        return false;
    }
    m_open = true;
    return true;
}

void MemorySerialPort::closeDevice()
{
    m_open = false;
    m_input.clear();
}

bool MemorySerialPort::writeDevice(const QByteArray& bytes)
{
    sent += bytes;
    if (onSent)
        onSent(bytes);
    return true;
}

QByteArray MemorySerialPort::readAllDevice()
{
    QByteArray all;
    all.swap(m_input);
    return all;
}

QByteArray MemorySerialPort::readDevice(int maxBytes)
{
    const QByteArray first = m_input.left(maxBytes);
    m_input.remove(0, first.size());
    return first;
}

void MemorySerialPort::feed(const QByteArray& bytes, int chunkSize)
{
    const int step = chunkSize > 0 ? chunkSize : qMax<int>(1, static_cast<int>(bytes.size()));
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        const QByteArray chunk = bytes.mid(at, step);
        QMetaObject::invokeMethod(
            this,
            [this, chunk] {
                if (!m_open)
                    return;
                m_input += chunk;
                notifyArrival();
            },
            Qt::QueuedConnection);
    }
}

void MemorySerialPort::vanish()
{
    if (!m_open)
        return;
    closeDevice();
    notifyLost(QStringLiteral("the device went away"));
}
