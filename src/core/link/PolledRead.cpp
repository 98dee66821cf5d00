#include "PolledRead.h"

#include "SerialPort.h"
#include "Wait.h"

#include <QElapsedTimer>

#include <algorithm>

PolledRead::PolledRead(SerialPort& port) : m_port(port)
{
    m_port.setRThreshold(0);
    m_port.Input();
}

PolledRead::~PolledRead()
{
    release();
}

bool PolledRead::waitFor(int bytes, double seconds, const std::function<void(int)>& seen)
{
    m_mostSeen = 0;
    return WaitUntil(
        [&] {
            m_mostSeen = std::max(m_mostSeen, m_port.InBufferCount());
            if (seen)
                seen(m_mostSeen);
            return m_mostSeen >= bytes;
        },
        seconds);
}

QByteArray PolledRead::take()
{
    return m_port.Input();
}

void PolledRead::discard()
{
    m_port.Input();
}

void PolledRead::discardLate()
{
    discard();
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return LateReplyMost - clock.nsecsElapsed() / 1e9; };
    while (left() > 0
           && WaitUntil([this] { return m_port.InBufferCount() > 0; }, std::min(LateReplyQuiet, left())))
        discard();
    discard();
}

void PolledRead::release()
{
    if (m_released)
        return;
    m_released = true;
    m_port.setRThreshold(1);
}
