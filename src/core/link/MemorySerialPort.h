#pragma once

#include "SerialPort.h"

#include <QSet>
#include <functional>

// A port with no device behind it, for tests: what the program sends goes to
// the far end's handler, what the far end feeds arrives in the input buffer
// through the event loop, as a device's bytes would.
class MemorySerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit MemorySerialPort(QObject* parent = nullptr);

    // COM numbers whose open fails (the "no such device" case).
    QSet<int> missingPorts;

    // The far end: called with every byte block the program sends.
    std::function<void(const QByteArray&)> onSent;
    // Everything the program sent since the last clearSent().
    QByteArray sent;
    void clearSent() { sent.clear(); }

    // Far end: the bytes arrive on the next pass of the event loop, in one
    // arrival (one receive event), or in chunks of the given size.
    void feed(const QByteArray& bytes, int chunkSize = 0);
    // Far end: the device disappears (the open port closes).
    void vanish();

protected:
    bool openDevice(const QString& path, OpenError* error) override;
    void closeDevice() override;
    bool portOpen() const override { return m_open; }
    bool writeDevice(const QByteArray& bytes) override;
    QByteArray readAllDevice() override;
    QByteArray readDevice(int maxBytes) override;
    int bytesWaiting() const override { return static_cast<int>(m_input.size()); }

private:
    bool m_open = false;
    QByteArray m_input;
};
