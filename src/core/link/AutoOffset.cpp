#include "AutoOffset.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "PolledRead.h"
#include "Prompt.h"
#include "SerialPort.h"
#include "VelocityRules.h"

#include <QScopedValueRollback>
#include <algorithm>

namespace {

constexpr double ReplyTimeout = 0.5;

}  // namespace

AutoOffset::AutoOffset(DriveLink& link) : m_link(link) {}

QByteArray AutoOffset::Command(float firmwareVersion, const QString& minorRev)
{
    // Early firmware measures without the access code and does not know it:
    // 1.00 before revision "k" and 1.01 revision "A". A revision that is not
    // one letter gives no ground for the code either.
    if (minorRev.size() != 1)
        return QByteArrayLiteral("O");
    const bool beforeK = minorRev.at(0).unicode() < u'k' && firmwareVersion == 1.00f;
    const bool oneOhOneA = minorRev == QLatin1String("A") && firmwareVersion == 1.01f;
    if (beforeK || oneOhOneA)
        return QByteArrayLiteral("O");
    return QByteArrayLiteral("O4719");
}

std::optional<double> AutoOffset::OffsetFromReply(const QByteArray& reply)
{
    if (reply.size() < 2)
        return std::nullopt;
    int value = (static_cast<quint8>(reply.at(0)) << 8) | static_cast<quint8>(reply.at(1));
    if (value >= 32768)
        value -= 65536;
    return std::clamp(value / 2.0, MinAnalogOffset, MaxAnalogOffset);
}

std::optional<double> AutoOffset::measure()
{
    if (m_running)
        return std::nullopt;
    // Cleared again on every way out.
    const QScopedValueRollback running(m_running, true);
    Configurator& cfg = m_link.configurator();
    SerialPort& port = m_link.port();
    if (!port.isOpen()) {
        cfg.prompt().tell(Configurator::ProgramTitle(),
                          QStringLiteral("Cannot measure the analog offset: there is no comm port open."),
                          Prompt::Icon::Information);
        return std::nullopt;
    }
    if (cfg.prompt().ask(Configurator::ProgramTitle(),
                         QStringLiteral("Make sure analog input to drive is set for zero."), Prompt::Icon::None,
                         Prompt::Buttons::OkCancel)
        != Prompt::Answer::Ok)
        return std::nullopt;
    // Another exchange with the drive is waiting (this click came from
    // inside its wait): the drive is busy with that one.
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return std::nullopt;

    std::optional<double> offset;
    {
        PolledRead read(port);
        const ProgramState& st = cfg.state();
        port.Output(Command(st.FirmwareVersion, st.MinorRev));
        const bool answered = read.waitFor(2, ReplyTimeout);
        // Whatever came is taken off the port: a late or short reply must
        // not be read as the answer to the next exchange.
        const QByteArray reply = read.take();
        if (answered)
            offset = OffsetFromReply(reply);
    }
    if (!offset) {
        cfg.prompt().ask(Configurator::ProgramTitle(),
                         QStringLiteral("The drive is not responding.  Is it connected to the right port and "
                                        "turned on?"),
                         Prompt::Icon::Question, Prompt::Buttons::Ok);
        return std::nullopt;
    }
    cfg.state().SettingsChanged = true;
    return offset;
}
