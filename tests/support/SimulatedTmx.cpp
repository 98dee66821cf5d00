#include "SimulatedTmx.h"

#include "SimulatedDrive.h"

#include <QThread>

#include <cmath>

namespace {

QByteArray Hex4(unsigned value)
{
    return QByteArray::number(value & 0xFFFF, 16).toUpper().rightJustified(4, '0');
}

void SetDigit(QByteArray& digits, int number, bool high)
{
    const int at = digits.size() - number;
    if (number >= 1 && at >= 0)
        digits[at] = high ? '1' : '0';
}

}  // namespace

SimulatedTmx::SimulatedTmx(SimulatedDrive& drive, QObject* parent) : QObject(parent), m_drive(drive)
{
    m_drive.textCommandHandler = [this](const QByteArray& line) { return handle(line); };
}

SimulatedTmx::~SimulatedTmx()
{
    m_drive.textCommandHandler = nullptr;
}

void SimulatedTmx::powerUp(int firmwareCode, int modelCode)
{
    m_drive.sendGreeting(firmwareCode, modelCode);
}

bool SimulatedTmx::moving() const
{
    return m_moveClock.isValid() && m_moveClock.nsecsElapsed() / 1e9 < m_moveSeconds;
}

double SimulatedTmx::positionSteps() const
{
    if (!m_moveClock.isValid())
        return m_startPosition;
    const double t = std::min(m_moveClock.nsecsElapsed() / 1e9, m_moveSeconds);
    const double done = m_moveSeconds > 0 ? t / m_moveSeconds : 1.0;
    return m_startPosition + m_moveDistance * done;
}

double SimulatedTmx::speedRpm() const
{
    if (!moving())
        return 0;
    return (m_moveDistance < 0 ? -1 : 1) * m_velocity * 60;
}

unsigned SimulatedTmx::statusWord() const
{
    unsigned word = 0;
    if (enabled)
        word |= 1u << 0;
    if (alarmWord & 0xC2B9)
        word |= 1u << 2;
    if (moving())
        word |= (1u << 3) | (1u << 4);
    if (alarmWord)
        word |= 1u << 9;
    return word;
}

void SimulatedTmx::startMove()
{
    stopMove();
    if (!enabled) {
        alarmWord |= 1u << 12;  // move attempted while disabled
        return;
    }
    m_moveDistance = m_distance;
    m_moveSeconds = m_velocity > 0 ? std::abs(m_distance) / (m_velocity * StepsPerRev) : 0;
    m_moveClock.start();
}

void SimulatedTmx::stopMove()
{
    m_startPosition = positionSteps();
    m_moveDistance = 0;
    m_moveSeconds = 0;
    m_moveClock.invalidate();
}

QByteArray SimulatedTmx::handle(const QByteArray& line)
{
    if (commandMs > 0)
        QThread::msleep(static_cast<unsigned long>(commandMs));
    QByteArray command = line.trimmed();
    // What goes without a carriage return arrives in front of the next line.
    for (;;) {
        if (command.startsWith("00") && command.size() > 2 && !std::isdigit(static_cast<unsigned char>(command.at(2)))) {
            ++greetingAnswers;
            command.remove(0, 2);
        } else if (command.startsWith("HR") && command.size() > 2) {
            commands << "HR";
            command.remove(0, 2);
        } else {
            break;
        }
    }
    commands << command;
    if (unanswered.contains(command))
        return {};
    if (replies.contains(command))
        return replies.value(command);
    return answer(command);
}

QByteArray SimulatedTmx::answer(const QByteArray& command)
{
    const QByteArray name = command.left(2);
    const QByteArray param = command.mid(2);
    const auto reply = [&name](const QByteArray& value) { return name + '=' + value + '\r'; };

    if (command == "IS")
        return reply(inputs);
    if (command == "ISX")
        return reply(extInputs);
    if (command == "IO")
        return reply(outputs);
    if (command == "IOY")
        return reply(extOutputs);
    if (command == "IV1" || command == "IV")
        return reply(QByteArray::number(std::lround(speedRpm())));
    if (command == "IA")
        return reply(QByteArray::number(analogVolts, 'f', 3));
    if (command == "IE")
        return reply(QByteArray::number(std::lround(positionSteps() * CountsPerRev / StepsPerRev)));
    if (command == "SC")
        return reply(Hex4(statusWord()));
    if (command == "AL")
        return reply(Hex4(alarmWord));
    if (command == "MN")
        return reply(QByteArray::number(modelNumber));
    if (name == "MO" || name == "AO" || name == "BO") {
        if (param.isEmpty())
            return reply(outputFunctions.value(name));
        outputFunctions[name] = param;
        return {};
    }
    if (kept.contains(name)) {
        if (param.isEmpty())
            return reply(kept.value(name));
        kept[name] = param;
        return {};
    }
    if (name == "IH" || name == "IL") {
        const bool high = name == "IH";
        if (param.startsWith('Y'))
            SetDigit(extOutputs, param.mid(1).toInt(), high);
        else
            SetDigit(outputs, param.toInt(), high);
        return {};
    }
    if (name == "VE") {
        if (param.isEmpty())
            return reply(QByteArray::number(m_velocity));
        m_velocity = param.toDouble();
        return {};
    }
    if (name == "DI") {
        if (param.isEmpty())
            return reply(QByteArray::number(m_distance));
        m_distance = param.toDouble();
        return {};
    }
    if (command == "FL")
        startMove();
    else if (command == "SK")
        stopMove();
    else if (command == "ME")
        enabled = true;
    else if (command == "MD") {
        stopMove();
        enabled = false;
    }
    // "HR", "QT", "HM", "IFD", "CM21", "MR16" and the rest: taken, no reply.
    return {};
}
