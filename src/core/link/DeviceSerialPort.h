#pragma once

#include "SerialPort.h"

class QSerialPort;

// The port on a real device or a pseudo-terminal.
class DeviceSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit DeviceSerialPort(QObject* parent = nullptr);
    ~DeviceSerialPort() override;

protected:
    bool openDevice(const QString& path, OpenError* error) override;
    void closeDevice() override;
    bool portOpen() const override;
    bool writeDevice(const QByteArray& bytes) override;
    QByteArray readAllDevice() override;
    QByteArray readDevice(int maxBytes) override;
    int bytesWaiting() const override;

private:
    void onReadyRead();
    void onAboutToBlock();
    void onError(int error);
    bool hungUp() const;

    QSerialPort* m_port;
    bool m_delivering = false;    // the receive event runs from onReadyRead
    bool m_nestedQueued = false;  // a delivery to a wait inside it is posted
    bool m_lossQueued = false;
};
