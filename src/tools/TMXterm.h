#pragma once

#include "HistoryBox.h"
#include "TerminalSession.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class DriveLink;
class QPlainTextEdit;

// The TMX terminal ("Host Terminal"): the user types TMX commands and reads
// what the drive sends back. It holds terminal mode while it is this
// program's active window: it gives it up ("QT") when another window of the
// program becomes active, and keeps it when the user switches to another
// application, so that coming back sends nothing. Shown modeless; "Close"
// hides it with its log, the close box empties the log.
//
// A drive at 9600 baud sends a byte a millisecond, often each on its own.
// The log box is brought up to date at most every ShowIntervalMs while text
// keeps coming (at once when it has been quiet), not once per byte: laying
// out a long line and repainting for every byte would cost more than a
// processor core can give. What the box shows is always the log as it was.
class TMXterm : public QWidget {
    Q_OBJECT
public:
    // showHelp opens the TMX command reference card.
    TMXterm(DriveLink& link, std::function<void()> showHelp, QWidget* parent = nullptr);
    ~TMXterm() override;

    // Shows the terminal and makes it the active window.
    void open();

    static constexpr int ShowIntervalMs = 40;

    TerminalSession& session() { return m_session; }
    HistoryBox* history() const { return m_history; }
    QPlainTextEdit* commandText() const { return m_command; }

    void Help_Click();
    void Quit_Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void followActivation();
    void logAppended(const QString& text);
    void logReplaced();
    void showSoon();
    void showPending();

    TerminalSession m_session;
    std::function<void()> m_showHelp;
    HistoryBox* m_history = nullptr;
    QPlainTextEdit* m_command = nullptr;
    // What the log gained since the box last showed it; or, when the log
    // was cut or emptied meanwhile, the whole log is shown anew.
    QString m_unshown;
    bool m_showWholeLog = false;
    QTimer m_showTimer;
    QElapsedTimer m_sinceShown;
};
