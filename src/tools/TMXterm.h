#pragma once

#include "TerminalSession.h"

#include <QWidget>

class DriveLink;
class QPlainTextEdit;

// The TMX terminal ("Host Terminal"): the user types TMX commands and reads
// what the drive sends back. It holds terminal mode while it is this
// program's active window: it gives it up ("QT") when another window of the
// program becomes active, and keeps it when the user switches to another
// application, so that coming back sends nothing. Shown modeless; "Close"
// hides it with its log, the close box empties the log.
class TMXterm : public QWidget {
    Q_OBJECT
public:
    // showHelp opens the TMX command reference card.
    TMXterm(DriveLink& link, std::function<void()> showHelp, QWidget* parent = nullptr);
    ~TMXterm() override;

    // Shows the terminal and makes it the active window.
    void open();

    TerminalSession& session() { return m_session; }
    QPlainTextEdit* history() const { return m_history; }
    QPlainTextEdit* commandText() const { return m_command; }

    void Help_Click();
    void Quit_Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void followActivation();
    void showAppended(const QString& text);
    void showLog();

    TerminalSession m_session;
    std::function<void()> m_showHelp;
    QPlainTextEdit* m_history = nullptr;
    QPlainTextEdit* m_command = nullptr;
};
