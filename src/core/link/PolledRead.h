#pragma once

#include <QByteArray>

#include <functional>

class SerialPort;

// A binary reply read by polling the port rather than through the receive
// path: while one is alive the receive threshold is 0, so no receive event
// takes the reply's bytes (of 128 and more) for drive messages. It begins by
// throwing away whatever input was waiting, so only the reply is read, and
// puts the threshold back to 1 when released or when it goes out of scope.
class PolledRead {
public:
    explicit PolledRead(SerialPort& port);
    ~PolledRead();
    PolledRead(const PolledRead&) = delete;
    PolledRead& operator=(const PolledRead&) = delete;

    // Waits (events handled meanwhile) until `bytes` bytes have come or the
    // time is up; true when they came. `seen`, when given, is told the
    // count after every look. The count taken is the highest seen: it only
    // drops when the device went away and took its buffer along.
    bool waitFor(int bytes, double seconds, const std::function<void(int)>& seen = {});
    // The most bytes the last wait saw waiting.
    int mostSeen() const { return m_mostSeen; }

    // Takes everything waiting off the port.
    QByteArray take();
    // Throws away what is waiting now.
    void discard();
    // Throws away what is waiting and what is still on its way, after a
    // reply that came too late or wrong: the rest of it is over once the
    // line has been quiet for LateReplyQuiet seconds. A drive that never falls
    // quiet is given up on after LateReplyMost seconds, so the receive path
    // is not kept from the port for ever.
    void discardLate();
    // At 9600 bit/s the bytes of a reply follow about 1 ms apart (a few ms
    // more through a USB adapter), so 0.1 s without one means it is over; the
    // longest reply, the 161-byte image, takes 168 ms in all.
    static constexpr double LateReplyQuiet = 0.1;
    static constexpr double LateReplyMost = 0.5;

    // The receive path reads the port again (threshold 1).
    void release();

private:
    SerialPort& m_port;
    int m_mostSeen = 0;
    bool m_released = false;
};
