#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class DriveLink;

// Measures the analog input's offset on a connected drive: the drive is
// told to measure ("O", or "O4719" with the access code on the firmware
// that wants it) and answers two bytes, the offset in half-millivolts, high
// byte first, signed. The receive event is kept off the reply (threshold 0)
// and the reply is read from the port directly; the threshold is 1 again
// afterwards whatever happened.
class AutoOffset {
public:
    explicit AutoOffset(DriveLink& link);

    // The command for the drive's firmware version and minor revision.
    static QByteArray Command(float firmwareVersion, const QString& minorRev);
    // The offset in mV a reply stands for (its first two bytes; further
    // bytes are dropped), clamped into the offset's range of -10000 to
    // 10000 mV. A reply of fewer than two bytes has no value.
    static std::optional<double> OffsetFromReply(const QByteArray& reply);

    // The whole exchange as the Auto Offset button runs it: no port, a
    // message and nothing sent; the user confirms that the input is at
    // zero; the drive is asked and given 0.5 s. Returns the measured offset
    // in mV (the configuration is then marked changed), nothing when there
    // was none: no port, the user cancelled, no answer in time (the user is
    // told), or a measurement is already running (the second click is
    // ignored).
    std::optional<double> measure();

private:
    DriveLink& m_link;
    bool m_running = false;
};
