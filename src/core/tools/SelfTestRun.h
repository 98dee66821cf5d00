#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class DriveLink;

// The self test without its window: a known motion set-up, then half a
// revolution one way and half back, again and again, until stopped. It
// reads nothing from the drive and leaves terminal mode alone.
class SelfTestRun : public QObject {
    Q_OBJECT
public:
    // The first move follows the set-up after FirstStepMs, every further
    // one the move before after StepMs.
    static constexpr int FirstStepMs = 10;
    static constexpr int StepMs = 2250;

    explicit SelfTestRun(DriveLink& link, QObject* parent = nullptr);

    // Sends the set-up; only then is the step timer started. A run already
    // going is left as it is.
    void start();
    // Timer off, "SK", a 0.1 s pause (events go on), "QT". Does nothing
    // unless running.
    void stop();
    bool running() const { return m_running; }

    // One move (the timer's event).
    void step();

    // The time from one step to the next now in force: FirstStepMs until
    // the first move, StepMs after it.
    int interval() const { return m_period; }

    // A move this much later than its time still keeps the beat (the
    // timer's own jitter); a later one starts the beat afresh from itself.
    static constexpr int LateMs = 10;

private:
    void scheduleNext();

    DriveLink& m_link;
    QTimer m_timer;
    QElapsedTimer m_clock;  // since the set-up went out
    qint64 m_due = 0;       // when the next move is due, on m_clock
    int m_period = FirstStepMs;
    bool m_forward = true;
    bool m_running = false;
};
