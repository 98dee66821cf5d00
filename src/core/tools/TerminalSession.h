#pragma once

#include "DriveTool.h"
#include "TmxText.h"

#include <QObject>
#include <QString>

class DriveLink;

// What the TMX terminal does, without its window: the commands it sends as
// it gains and loses the user's attention, the command the user enters, and
// the log of everything sent and received. The log is text in which a line
// ends with CR LF; received bytes that are not printable show as "[ddd]", a
// caught power-up greeting as "{255-fff-mmm}", a sent command as "$cmd$".
class TerminalSession : public QObject, public DriveTool {
    Q_OBJECT
public:
    // Past this length the log is cut back to its text from character
    // LogKeepFrom (counted from 1) on, as often as needed.
    static constexpr int LogCap = 4000;
    static constexpr int LogKeepFrom = 2000;

    explicit TerminalSession(DriveLink& link, QObject* parent = nullptr);
    ~TerminalSession() override;

    // The terminal became this program's active window: "HR" (no CR), then
    // every received byte comes here. Does nothing while it holds already.
    void activate();
    // Another window of this program became active: "QT" CR, terminal mode
    // left. Does nothing unless it holds terminal mode.
    void deactivate();
    // "Close": as deactivate, the log is kept for the next opening.
    void quit();
    // The close box: "HM" CR, terminal mode left; the next opening starts
    // with an empty log.
    void closeBox();
    bool holdsTerminalMode() const;

    // Enter in the command box: the box's text with CR LF goes to the drive
    // in one send and the command is logged as "$text$".
    void enter(const QString& boxText);

    void ProcessChar(char c) override;

    const QString& log() const { return m_log; }

    // How one received byte shows in the log (a CR also ends the line).
    static QString DisplayText(quint8 byte);
    // The log line of a caught greeting, "{255-052-042}" CR LF.
    static QString PowerUpLine(const QByteArray& packet);
    // The cut of an over-long log. True when it cut.
    static bool TrimLog(QString& log);

signals:
    // Text was added at the end of the log.
    void appended(const QString& text);
    // The log was cut or emptied: show log() anew.
    void replaced();

private:
    void append(const QString& text);
    void DoPowerUp(const QByteArray& packet);
    void CheckIdle();
    void leave(const QByteArray& command);

    DriveLink& m_link;
    QString m_log;
    QString m_pendingLine;
    PowerUpCapture m_capture;
};
