#include "DriveQueries.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "HexDigit.h"
#include "Prompt.h"
#include "SerialPort.h"
#include "Wait.h"

namespace {

constexpr double ShortTimeout = 0.5;
constexpr double LongTimeout = 1.0;

const QString kNotResponding =
    QStringLiteral("The drive is not responding.  Is it connected to the right port and turned on?");

bool isListedModel(int code)
{
    return code >= 41 && code <= 46;
}

// The model codes the start-up presence test answers true for.
bool isStartupModel(int code)
{
    return code == 9 || code == 18 || (code >= 30 && code <= 40) || code == 109 || code == 118;
}

}  // namespace

DriveQueries::DriveQueries(DriveLink& link) : m_link(link) {}

int DriveQueries::HexValue(const QString& text)
{
    quint32 value = 0;
    int digits = 0;
    for (const QChar c : text) {
        const int d = HexDigit(c);
        if (d < 0 || digits == 8)
            break;
        value = value * 16 + static_cast<quint32>(d);
        ++digits;
    }
    if (digits <= 4)
        return static_cast<std::int16_t>(static_cast<quint16>(value));
    return static_cast<std::int32_t>(value);
}

bool DriveQueries::identify(bool clearFirst, double seconds, QString* id)
{
    QString& rx = m_link.RxText();
    if (clearFirst)
        rx.clear();
    m_link.WriteText("C");
    id->clear();
    if (!WaitUntil([&rx] { return rx.size() >= 2; }, seconds))
        return false;
    *id = rx.left(2);
    rx.remove(0, 2);
    StoreIdentity(*id);
    return true;
}

bool DriveQueries::identifyOrTell(const QString& title, QString* id)
{
    if (identify(true, ShortTimeout, id))
        return true;
    m_link.configurator().prompt().ask(title, kNotResponding, Prompt::Icon::Question, Prompt::Buttons::Ok);
    return false;
}

void DriveQueries::StoreIdentity(const QString& id)
{
    ProgramState& st = m_link.configurator().state();
    st.FirmwareVersion = DriveLink::FirmwareFromCode(id.at(0).unicode());
    st.DriveModelCode = static_cast<std::int16_t>(id.at(1).unicode());
}

QString DriveQueries::CheckDrive()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return {};
    QString id;
    if (!identifyOrTell(QStringLiteral("CheckDrive 0"), &id))
        return {};
    Configurator& cfg = m_link.configurator();
    const ProgramState& st = cfg.state();
    cfg.setDriveVersion(DriveLink::VersionText(st.FirmwareVersion) + GetMinorRev());
    if (!isListedModel(st.DriveModelCode))
        return {};
    m_link.selectModelRow(st.DriveModelCode - 41);
    return id;
}

QString DriveQueries::SilentCheckDrive()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return {};
    QString id;
    if (!identifyOrTell(QStringLiteral("Communication Error"), &id))
        return {};
    Configurator& cfg = m_link.configurator();
    if (!isListedModel(cfg.state().DriveModelCode)) {
        cfg.setDriveVersion(QString());
        return {};
    }
    return id;
}

bool DriveQueries::DriveStillThere()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return false;
    QString id;
    if (!identify(false, LongTimeout, &id))
        return false;
    return isStartupModel(m_link.configurator().state().DriveModelCode);
}

QString DriveQueries::GetMinorRev()
{
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return {};
    QString& rx = m_link.RxText();
    m_link.Write2Bytes(121, 142);
    if (!WaitUntil([&rx] { return rx.size() >= 4; }, ShortTimeout)) {
        rx.clear();
        return {};
    }
    const int code = HexValue(rx.mid(2, 2));
    QString& minor = m_link.configurator().state().MinorRev;
    minor = QString(QChar(static_cast<char16_t>(code & 0xFF)));
    rx.remove(0, 4);
    return QLatin1Char(' ') + minor;
}

int DriveQueries::GetServoStatus()
{
    if (!m_link.port().isOpen())
        return 0;
    DriveLink::Exchange exchange(m_link);
    if (!exchange)
        return -1;
    QString& rx = m_link.RxText();
    rx.clear();
    m_link.Write2Bytes(121, 128);
    if (!WaitUntil([&rx] { return rx.size() >= 4; }, LongTimeout))
        return -1;
    const QString status = rx.left(4);
    rx.clear();
    return HexValue(status);
}
