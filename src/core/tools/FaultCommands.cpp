#include "FaultCommands.h"

#include "AlarmWord.h"
#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "PolledRead.h"
#include "Prompt.h"
#include "SerialPort.h"
#include "Wait.h"

#include <QScopedValueRollback>

namespace {

constexpr double HistoryTimeout = 0.5;
constexpr double ClearSettle = 0.1;
constexpr double RestoreSettle = 0.5;
// Bit 9 of the servo status: a fault is still present.
constexpr int FaultPresent = 512;

}  // namespace

FaultCommands::FaultCommands(DriveLink& link, DriveQueries& queries, QObject* parent)
    : QObject(parent), m_link(link), m_queries(queries)
{
}

QString FaultCommands::NotRespondingText()
{
    return QStringLiteral(
        "The drive is not responding to the \"a\" command.  Is it connected to the right port and turned on?");
}

QString FaultCommands::NoStatusText()
{
    return QStringLiteral("Drive is not reporting whether or not the fault has been cleared.");
}

QString FaultCommands::WillNotClearText()
{
    return QStringLiteral("The fault will not clear.  Perhaps cycling the power will help.");
}

QString FaultCommands::ClearedText()
{
    return QStringLiteral("The fault has been cleared.");
}

bool FaultCommands::portOpen() const
{
    return m_link.port().isOpen();
}

bool FaultCommands::GetAlarmHistory(QByteArray& reply)
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    // The reply is binary: it must not reach the receive path, which would
    // take bytes of 128 and more for drive messages.
    PolledRead read(m_link.port());
    emit progressReset();
    m_link.WriteText("a");
    if (!read.waitFor(AlarmWord::kHistoryBytes, HistoryTimeout)) {
        m_link.configurator().prompt().ask(QStringLiteral("Alarm History Upload "), NotRespondingText(),
                                           Prompt::Icon::Question, Prompt::Buttons::Ok);
        // A late reply is still ours: throw it away, also what is still on
        // its way, before drive messages are read again.
        read.discardLate();
        return false;
    }
    reply = read.take();
    return true;
}

bool FaultCommands::ClearHistory(QByteArray& reply)
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    m_link.WriteText("o");
    return GetAlarmHistory(reply);
}

FaultCommands::ClearResult FaultCommands::judgeClear()
{
    Prompt& prompt = m_link.configurator().prompt();
    const QString title = Configurator::ProgramTitle();
    const int status = m_queries.GetServoStatus();
    if (status == -1) {
        prompt.tell(title, NoStatusText());
        return ClearResult::NoAnswer;
    }
    if ((status & FaultPresent) != 0) {
        prompt.tell(title, WillNotClearText());
        return ClearResult::StillPresent;
    }
    return ClearResult::Cleared;
}

void FaultCommands::ClearAlarm()
{
    if (!portOpen())
        return;
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return;
    const QScopedValueRollback clearing(m_link.configurator().state().ClearingFault, true);
    m_link.WriteText("z");
    WaitSeconds(ClearSettle);
    const ClearResult result = judgeClear();
    if (result == ClearResult::StillPresent)
        return;
    if (result == ClearResult::Cleared)
        m_link.configurator().prompt().tell(Configurator::ProgramTitle(), ClearedText());
    m_link.WriteText("n");
}

FaultCommands::ClearResult FaultCommands::ClearFault(const std::function<void()>& putOutLamps)
{
    // A closed port answers every status query with 0, which would read as
    // "cleared" for a fault nobody told the drive to clear.
    if (!portOpen())
        return ClearResult::NotDone;
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return ClearResult::NotDone;
    m_link.WriteText("zzn");
    WaitSeconds(ClearSettle);
    const ClearResult result = judgeClear();
    if (result == ClearResult::Cleared) {
        if (putOutLamps)
            putOutLamps();
        m_link.configurator().prompt().tell(Configurator::ProgramTitle(), ClearedText());
    }
    return result;
}

bool FaultCommands::RestoreFactoryDefaults()
{
    if (!portOpen())
        return false;
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    const Prompt::Answer answer = m_link.configurator().prompt().ask(
        QStringLiteral("Reset Drive Data"),
        QStringLiteral("Do you want to erase all the information in your drive and restore factory default values?"),
        Prompt::Icon::None, Prompt::Buttons::OkCancel);
    if (answer != Prompt::Answer::Ok)
        return false;
    m_link.WriteText("i4719");
    WaitSeconds(RestoreSettle);
    m_queries.CheckDrive();
    return true;
}
