#pragma once

#include "DriveTool.h"
#include "StatusReplies.h"
#include "TmxText.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class DriveLink;

// What the status monitor does, without its window: it holds terminal mode
// from its activation to its closing, asks the drive who it is and how its
// outputs are set, then polls inputs, outputs, speed, voltage, enable,
// encoder, status and alarms on a timer, and puts the output functions
// back when it closes. Each query empties the reply buffer, sends, and
// waits up to ReplySeconds for its reply while events go on.
class StatusPoll : public QObject, public DriveTool {
    Q_OBJECT
public:
    static constexpr int PollMs = 160;
    static constexpr double ReplySeconds = 0.5;

    explicit StatusPoll(DriveLink& link, QObject* parent = nullptr);
    ~StatusPoll() override;

    // The set-up: "HR", terminal mode, "IFD", the model number, the output
    // functions, the layout; then the poll timer runs. False when the
    // monitor was closed while it waited.
    bool activate();
    // Poll timer off, output functions put back, "QT", terminal mode left.
    // Stops a poll cycle that is waiting at once. Does nothing unless running.
    void close();
    bool running() const { return m_running; }

    // One poll cycle (the timer's event). A cycle that falls due while the
    // last one still waits is not started.
    void pollCycle();
    bool cycleWaiting() const { return m_cycleWaiting; }
    int cyclesRun() const { return m_cycles; }

    // The buttons: force an output row (0..6) high or low, enable or
    // disable the motor.
    void forceOutput(int row, bool high);
    void enableMotor();
    void disableMotor();

    const StatusDisplay& display() const { return m_display; }
    // Back to the display of a first opening (the window closed for good).
    void resetDisplay();
    int modelNumber() const { return m_model; }
    // The output functions found at activation ("" when not reported).
    QString savedFunction(const char* command) const;

    void ProcessChar(char c) override;

signals:
    void displayChanged();

private:
    bool polling() const;
    QString exchange(const QByteArray& command, const std::function<bool(const QString&)>& done);
    // Waits until done() holds for the reply so far (or the time is up, or
    // the monitor closes); takeReply() then hands it over and empties it.
    void waitReply(const std::function<bool(const QString&)>& done, double seconds);
    QString takeReply();
    QString query(const char* command, const char* key);
    int GetModelNum();
    void RecordOutSettings();
    void RestoreOutSettings();
    void ShowDigits(const DigitQuery& inputs, const DigitQuery& outputs);
    // One query whose value, when the reply carries it, changes the display.
    template <class Parse, class Apply>
    void showReply(const char* command, const char* key, Parse parse, Apply apply);
    void ShowSpeed();
    void ShowVolts();
    void ShowEnable();
    void ShowEncoder();
    void MonitorStatus();
    void MonitorAlarms();
    void show(const StatusDisplay& next);

    DriveLink& m_link;
    QTimer m_timer;
    QString m_reply;
    PowerUpCapture m_capture;
    StatusDisplay m_display;
    int m_model = 0;
    QString m_savedMO, m_savedAO, m_savedBO;
    bool m_running = false;
    bool m_cycleWaiting = false;
    int m_cycles = 0;
};
