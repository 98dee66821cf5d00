#include "StatusPoll.h"

#include "DriveLink.h"
#include "SerialPort.h"
#include "Wait.h"

namespace {

constexpr double ModelQueryPause = 0.1;
// How long a one-character model answer may wait for its carriage return:
// at 9600 bit/s it follows within a few milliseconds, through a USB adapter
// a little later.
constexpr double ModelCrSeconds = 0.05;

// The output rows' buttons. The Y outputs are first given function 3 (the
// output is ours to set); the functions found at activation go back at
// closing.
struct OutputRow {
    const char* function;
    const char* high;
    const char* low;
};
const OutputRow kOutputRows[] = {
    {nullptr, "IH1", "IL1"},   {nullptr, "IH2", "IL2"},   {nullptr, "IH3", "IL3"},
    {nullptr, "IH4", "IL4"},   {"BO3", "IHY1", "ILY1"},   {"MO3", "IHY2", "ILY2"},
    {"AO3", "IHY3", "ILY3"},
};

bool HasCr(const QString& reply)
{
    return reply.contains(QLatin1Char('\r'));
}

}  // namespace

StatusPoll::StatusPoll(DriveLink& link, QObject* parent) : QObject(parent), m_link(link)
{
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &StatusPoll::pollCycle);
}

StatusPoll::~StatusPoll()
{
    m_link.leaveTerminalMode(*this);
}

bool StatusPoll::polling() const
{
    return m_running && m_link.terminalTool() == this;
}

QString StatusPoll::savedFunction(const char* command) const
{
    const QByteArray c(command);
    return c == "MO" ? m_savedMO : c == "AO" ? m_savedAO : c == "BO" ? m_savedBO : QString();
}

void StatusPoll::waitReply(const std::function<bool(const QString&)>& done, double seconds)
{
    // A closed port carries nothing: no reply can come.
    if (m_link.port().isOpen())
        WaitUntil([&] { return !m_running || done(m_reply); }, seconds);
}

QString StatusPoll::takeReply()
{
    const QString reply = m_reply;
    m_reply.clear();
    return reply;
}

QString StatusPoll::exchange(const QByteArray& command, const std::function<bool(const QString&)>& done)
{
    m_reply.clear();
    m_link.WriteText(TmxCommand(command));
    waitReply(done, ReplySeconds);
    return takeReply();
}

QString StatusPoll::query(const char* command, const char* key)
{
    const QString k = QLatin1String(key);
    return exchange(command, [&k](const QString& reply) { return StatusReplies::Answered(reply, k); });
}

bool StatusPoll::activate()
{
    if (m_running)
        return true;
    m_running = true;
    m_capture.reset();
    m_savedMO.clear();
    m_savedAO.clear();
    m_savedBO.clear();
    m_link.WriteText(TmxCommand("HR"));
    m_link.enterTerminalMode(*this);
    m_link.WriteText(TmxCommand("IFD"));
    m_model = GetModelNum();
    if (!m_running)
        return false;
    RecordOutSettings();
    if (!m_running)
        return false;
    StatusDisplay next = m_display;
    if (const std::optional<StatusLayout> layout = StatusReplies::LayoutForModel(m_model))
        next.layout = *layout;
    next.enabled = true;
    show(next);
    m_timer.start();
    return true;
}

int StatusPoll::GetModelNum()
{
    WaitSeconds(ModelQueryPause);
    if (!m_running)
        return 0;
    const QString key = QStringLiteral("MN=");
    // The answer may be a single character or the "MN=" form of the other
    // queries; only a beginning of the latter is worth waiting on.
    const auto single = [&key](const QString& r) { return !r.isEmpty() && !key.startsWith(r.left(key.size())); };
    m_reply.clear();
    m_link.WriteText(TmxCommand("MN"));
    waitReply([&](const QString& r) { return StatusReplies::Answered(r, key) || single(r); }, ReplySeconds);
    // A drive that ends its character with a carriage return sends it a
    // moment later; it belongs to this answer, not to the next exchange.
    if (single(m_reply) && !HasCr(m_reply))
        waitReply(HasCr, ModelCrSeconds);
    return StatusReplies::ModelNumber(takeReply());
}

void StatusPoll::RecordOutSettings()
{
    const struct {
        const char* command;
        const char* key;
        QString* saved;
    } functions[] = {{"MO", "MO=", &m_savedMO}, {"AO", "AO=", &m_savedAO}, {"BO", "BO=", &m_savedBO}};
    for (const auto& f : functions) {
        if (!m_running)
            return;
        // Its own reply ends each exchange: a stray carriage return left by
        // the one before must not end it early.
        const QString key = QLatin1String(f.key);
        *f.saved = StatusReplies::Character(
            exchange(f.command, [&key](const QString& r) { return StatusReplies::Answered(r, key); }), key);
    }
}

void StatusPoll::RestoreOutSettings()
{
    const struct {
        const char* command;
        const QString* saved;
    } functions[] = {{"MO", &m_savedMO}, {"BO", &m_savedBO}, {"AO", &m_savedAO}};
    for (const auto& f : functions)
        if (!f.saved->isEmpty())
            m_link.WriteText(TmxCommand(QByteArray(f.command) + f.saved->toLatin1()));
}

void StatusPoll::close()
{
    if (!m_running)
        return;
    m_running = false;
    m_timer.stop();
    RestoreOutSettings();
    m_link.WriteText(TmxCommand("QT"));
    m_link.leaveTerminalMode(*this);
    m_reply.clear();
}

void StatusPoll::resetDisplay()
{
    show(StatusDisplay{});
}

void StatusPoll::show(const StatusDisplay& next)
{
    if (next == m_display)
        return;
    m_display = next;
    emit displayChanged();
}

void StatusPoll::pollCycle()
{
    if (m_cycleWaiting || !polling())
        return;
    m_cycleWaiting = true;
    ++m_cycles;
    if (StatusReplies::HasMainIO(m_model))
        ShowDigits(kInputQuery, kOutputQuery);
    ShowDigits(kExtInputQuery, kExtOutputQuery);
    ShowSpeed();
    ShowVolts();
    ShowEnable();
    ShowEncoder();
    MonitorStatus();
    MonitorAlarms();
    m_reply.clear();
    m_cycleWaiting = false;
}

void StatusPoll::ShowDigits(const DigitQuery& inputs, const DigitQuery& outputs)
{
    for (const DigitQuery* q : {&inputs, &outputs}) {
        if (!polling())
            return;
        StatusDisplay next = m_display;
        const bool answered = StatusReplies::ApplyDigits(*q, query(q->command, q->key), next);
        show(next);
        if (!answered && q->outputs)
            return;
    }
}

template <class Parse, class Apply>
void StatusPoll::showReply(const char* command, const char* key, Parse parse, Apply apply)
{
    if (!polling())
        return;
    if (const auto value = parse(query(command, key), QLatin1String(key))) {
        StatusDisplay next = m_display;
        apply(next, *value);
        show(next);
    }
}

void StatusPoll::ShowSpeed()
{
    showReply("IV1", "IV=", StatusReplies::Number,
              [](StatusDisplay& d, double rpm) { d.speed = StatusReplies::SpeedText(rpm); });
}

void StatusPoll::ShowVolts()
{
    showReply("IA", "IA=", StatusReplies::NumberUpToCr,
              [](StatusDisplay& d, double volts) { d.volts = StatusReplies::VoltsText(volts); });
}

void StatusPoll::ShowEnable()
{
    showReply("SC", "SC=", StatusReplies::HexUpToCr,
              [](StatusDisplay& d, unsigned word) { d.enabled = (word & 1) != 0; });
}

void StatusPoll::ShowEncoder()
{
    showReply("IE", "IE=", StatusReplies::Number,
              [](StatusDisplay& d, double count) { d.encoder = StatusReplies::EncoderText(count); });
}

void StatusPoll::MonitorStatus()
{
    showReply("SC", "SC=", StatusReplies::HexWord, [](StatusDisplay& d, unsigned word) { d.statusWord = word; });
}

void StatusPoll::MonitorAlarms()
{
    showReply("AL", "AL=", StatusReplies::HexWord, [](StatusDisplay& d, unsigned word) { d.alarmWord = word; });
}

void StatusPoll::forceOutput(int row, bool high)
{
    if (row < 0 || row >= int(std::size(kOutputRows)))
        return;
    const OutputRow& r = kOutputRows[row];
    QByteArray bytes;
    if (r.function)
        bytes += TmxCommand(r.function);
    bytes += TmxCommand(high ? r.high : r.low);
    m_link.WriteText(bytes);
}

void StatusPoll::enableMotor()
{
    m_link.WriteText(TmxCommand("ME"));
}

void StatusPoll::disableMotor()
{
    m_link.WriteText(TmxCommand("MD"));
}

void StatusPoll::ProcessChar(char c)
{
    switch (m_capture.feed(c)) {
    case PowerUpCapture::Result::Held:
        return;
    case PowerUpCapture::Result::Complete:
        AnswerPowerUp(m_link, m_capture.packet());
        return;
    case PowerUpCapture::Result::NotMine: {
        const quint8 b = static_cast<quint8>(c);
        if ((b >= 32 && b <= 126) || c == '\r' || c == '\n')
            m_reply += QLatin1Char(c);
        return;
    }
    }
}
