#include "TerminalSession.h"

#include "DriveLink.h"

namespace {

constexpr char Cr = '\r';
constexpr char Lf = '\n';
const QString kLineEnd = QStringLiteral("\r\n");

bool Shown(quint8 byte)
{
    return (byte >= 32 && byte <= 126) || byte == Cr || byte == Lf;
}

QString ThreeDigits(int code)
{
    return QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
}

}  // namespace

TerminalSession::TerminalSession(DriveLink& link, QObject* parent) : QObject(parent), m_link(link) {}

TerminalSession::~TerminalSession()
{
    m_link.leaveTerminalMode(*this);
}

bool TerminalSession::holdsTerminalMode() const
{
    return m_link.terminalTool() == this;
}

void TerminalSession::activate()
{
    if (holdsTerminalMode())
        return;
    // No CR: the drive reads it together with whatever comes next.
    m_link.WriteText("HR");
    m_link.enterTerminalMode(*this);
}

void TerminalSession::leave(const QByteArray& command)
{
    m_link.WriteText(TmxCommand(command));
    m_link.leaveTerminalMode(*this);
}

void TerminalSession::deactivate()
{
    if (holdsTerminalMode())
        leave("QT");
}

void TerminalSession::quit()
{
    deactivate();
}

void TerminalSession::closeBox()
{
    leave("HM");
    m_log.clear();
    m_pendingLine.clear();
    m_capture.reset();
    emit replaced();
}

void TerminalSession::enter(const QString& boxText)
{
    // The box holds its lines as the keyboard's Enter would have ended them.
    QString text = boxText;
    text.replace(QLatin1Char(Lf), kLineEnd);
    text += kLineEnd;
    m_pendingLine += text;
    m_link.WriteText(text.toLatin1());
    CheckIdle();
}

void TerminalSession::CheckIdle()
{
    append(QLatin1Char('$') + m_pendingLine.chopped(2) + QLatin1Char('$') + kLineEnd);
    m_pendingLine.clear();
}

QString TerminalSession::DisplayText(quint8 byte)
{
    if (byte == Cr)
        return kLineEnd;
    if (Shown(byte))
        return QString(QLatin1Char(static_cast<char>(byte)));
    return QLatin1Char('[') + ThreeDigits(byte) + QLatin1Char(']');
}

QString TerminalSession::PowerUpLine(const QByteArray& packet)
{
    QStringList codes;
    for (char c : packet)
        codes << ThreeDigits(static_cast<quint8>(c));
    return QLatin1Char('{') + codes.join(QLatin1Char('-')) + QLatin1Char('}') + kLineEnd;
}

bool TerminalSession::TrimLog(QString& log)
{
    bool cut = false;
    while (log.size() > LogCap) {
        log.remove(0, LogKeepFrom - 1);
        cut = true;
    }
    return cut;
}

void TerminalSession::append(const QString& text)
{
    m_log += text;
    if (TrimLog(m_log))
        emit replaced();
    else
        emit appended(text);
}

void TerminalSession::ProcessChar(char c)
{
    switch (m_capture.feed(c)) {
    case PowerUpCapture::Result::Held:
        return;
    case PowerUpCapture::Result::Complete:
        DoPowerUp(m_capture.packet());
        return;
    case PowerUpCapture::Result::NotMine:
        append(DisplayText(static_cast<quint8>(c)));
        return;
    }
}

void TerminalSession::DoPowerUp(const QByteArray& packet)
{
    append(PowerUpLine(packet));
    AnswerPowerUp(m_link, packet);
}
