#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

class SimulatedDrive;

// The TMX text side of a simulated drive: it installs itself as the drive's
// text-command handler and answers the queries the drive tools send
// ("AL", "SC", "IS", "ISX", "IO", "IOY", "IV1", "IA", "IE", "MN", "MO", "AO",
// "BO", "VE", "HG", "HP", "CM"), with a motor that moves for "FL" and stops for "SK". The
// "HR" and "00" that go without a carriage return are split off the command
// they precede. It can send its power-up greeting, leave chosen commands
// unanswered, answer chosen ones with bytes of the test's own and take its
// time over every command.
class SimulatedTmx : public QObject {
    Q_OBJECT
public:
    static constexpr int StepsPerRev = 25000;
    static constexpr int CountsPerRev = 4000;

    explicit SimulatedTmx(SimulatedDrive& drive, QObject* parent = nullptr);
    ~SimulatedTmx() override;

    // Who the drive is and what it reads.
    int modelNumber = 41;
    QByteArray inputs = "11111111";      // "IS": IN8 .. IN1, "1" high
    QByteArray extInputs = "11111111";   // "ISX": X0, X7 .. X1
    QByteArray outputs = "11111111";     // "IO": OUT8 .. OUT1
    QByteArray extOutputs = "11111111";  // "IOY": Y8 .. Y1
    unsigned alarmWord = 0;
    double analogVolts = 2.5;
    bool enabled = true;
    QHash<QByteArray, QByteArray> outputFunctions{{"MO", "2"}, {"AO", "1"}, {"BO", "3"}};
    // Kept as they were last set ("HG1200"), answered by name ("HG"): the
    // harmonic gain and phase and the control mode.
    QHash<QByteArray, QByteArray> kept{{"HG", "0"}, {"HP", "0"}, {"CM", "21"}};

    // The time the drive takes over each command before it answers. In
    // memory the sender waits it out (the write returns only then), as a
    // program does whose port write blocks; 0: no time at all.
    int commandMs = 0;

    // Left unanswered, and answered with these bytes instead.
    QSet<QByteArray> unanswered;
    QHash<QByteArray, QByteArray> replies;

    // Every command taken, in order, without its carriage return.
    QList<QByteArray> commands;
    int greetingAnswers = 0;  // "00" seen in front of a command

    // The power-up greeting: 255, the firmware code, the model code.
    void powerUp(int firmwareCode, int modelCode);

    // The motor now.
    double speedRpm() const;
    double positionSteps() const;
    bool moving() const;
    unsigned statusWord() const;

private:
    QByteArray handle(const QByteArray& line);
    QByteArray answer(const QByteArray& command);
    void startMove();
    void stopMove();

    SimulatedDrive& m_drive;
    double m_velocity = 1.0;  // rev/s
    double m_distance = 0;    // steps
    double m_startPosition = 0;
    double m_moveDistance = 0;
    double m_moveSeconds = 0;
    QElapsedTimer m_moveClock;
};
