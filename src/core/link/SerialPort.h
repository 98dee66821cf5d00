#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The one serial port through which the program talks to the drive. It offers
// what every exchange needs: open and close by COM number (always 9600 bit/s,
// 8 data bits, no parity, 1 stop bit, no handshaking), send text or bytes,
// read everything waiting, count what waits, and a receive notification with
// a threshold.
//
// Received bytes are delivered through the event loop, never from inside a
// call of the program's own: an exchange sees new bytes only after it yields.
class SerialPort : public QObject {
    Q_OBJECT
public:
    explicit SerialPort(QObject* parent = nullptr);
    ~SerialPort() override;

    // Why an open failed: a small error number and a readable reason.
    struct OpenError {
        int number = 0;
        QString reason;
    };

    // Opens COMn (1..8). The threshold is kept across close and open. On
    // failure the port stays closed and *error says why.
    bool open(int portNumber, OpenError* error = nullptr);
    void close();
    bool isOpen() const { return portOpen(); }
    int portNumber() const { return m_portNumber; }

    // Sends the bytes as they are; text goes one byte per character
    // (Latin-1), nothing appended. False when the port is closed or the
    // device refused the bytes.
    bool Output(const QByteArray& bytes);
    bool Output(const char* text) { return Output(QByteArray(text)); }

    // All bytes waiting, in arrival order; the input buffer is then empty.
    QByteArray Input();
    // The first (at most) maxBytes of them; the rest keeps waiting.
    QByteArray Input(int maxBytes);
    int InBufferCount() const;

    // 0: no receive notification at all; n: OnComm is raised after an
    // arrival when at least n bytes wait.
    int RThreshold() const { return m_threshold; }
    void setRThreshold(int threshold);

    // The device a COM number stands for: the path in the environment
    // variable KORV4_COMn when it is set, else /dev/ttyS(n-1).
    static QString devicePath(int portNumber);

signals:
    // The receive event: bytes arrived and at least RThreshold bytes wait.
    void OnComm();
    // Any arrival, whatever the threshold (waits wake on it).
    void bytesArrived();
    // The device went away while open (unplugged adapter, closed
    // pseudo-terminal); the port is closed by then.
    void deviceLost(const QString& reason);

protected:
    // What a backend provides.
    virtual bool openDevice(const QString& path, OpenError* error) = 0;
    virtual void closeDevice() = 0;
    virtual bool portOpen() const = 0;
    virtual bool writeDevice(const QByteArray& bytes) = 0;
    virtual QByteArray readAllDevice() = 0;
    virtual QByteArray readDevice(int maxBytes) = 0;
    virtual int bytesWaiting() const = 0;

    // A backend calls this from the event loop after bytes arrived.
    void notifyArrival();
    // A backend calls this when its device vanished.
    void notifyLost(const QString& reason);

private:
    int m_portNumber = 0;
    int m_threshold = 1;
};
