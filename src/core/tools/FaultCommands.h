#pragma once

#include <QByteArray>
#include <QObject>
#include <functional>

class DriveLink;
class DriveQueries;

// What the program says to the drive about its faults, on the configuration
// link (single letters, binary replies): read and clear the alarm history,
// clear a fault (from the Drive menu and from the fault window), restore
// the factory defaults. Messages go through the prompt; none is retried.
// A command asked for by an event handled inside another exchange's wait is
// ignored, as if the drive had not answered, without a message.
class FaultCommands : public QObject {
    Q_OBJECT
public:
    FaultCommands(DriveLink& link, DriveQueries& queries, QObject* parent = nullptr);

    bool portOpen() const;

    // "a": waits up to 0.5 s for the 16 bytes of the alarm history. True:
    // reply holds every byte that had come. False: the user was told the
    // drive is not responding, and reply is left as it was.
    bool GetAlarmHistory(QByteArray& reply);
    // "o" and at once the history again, as the drive now reports it.
    bool ClearHistory(QByteArray& reply);

    // The Drive menu's Clear Alarm: "z", the servo status, a message, and
    // "n" unless the fault is still present. Fault messages that come in
    // meanwhile raise no fault window. Nothing at all when the port is closed.
    void ClearAlarm();

    enum class ClearResult { NotDone, NoAnswer, StillPresent, Cleared };
    // The fault window's Clear Fault: "zzn", the servo status and a message.
    // When the fault is gone, putOutLamps runs before "cleared" is told.
    // With the port closed nothing is sent, nothing said, and NotDone comes
    // back.
    ClearResult ClearFault(const std::function<void()>& putOutLamps = {});

    // Asks the user; on OK sends the factory-restore code, waits 0.5 s and
    // identifies the drive again. True when the restore went out. Nothing
    // when the port is closed.
    bool RestoreFactoryDefaults();

    // The messages, as the user reads them.
    static QString NotRespondingText();
    static QString NoStatusText();
    static QString WillNotClearText();
    static QString ClearedText();

signals:
    // An alarm history exchange starts: the main window's progress bar goes
    // to 0 and green.
    void progressReset();

private:
    // The servo status after a clear, told to the user.
    ClearResult judgeClear();

    DriveLink& m_link;
    DriveQueries& m_queries;
};
