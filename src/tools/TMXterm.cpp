#include "TMXterm.h"

#include "DialogControls.h"
#include "FormHelpers.h"
#include "HistoryBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The log keeps the drive's line ends (CR LF); the box shows lines.
QString Lines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

TMXterm::TMXterm(DriveLink& link, std::function<void()> showHelp, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(link), m_showHelp(std::move(showHelp))
{
    setObjectName(QStringLiteral("TMXterm"));
    setWindowTitle(QStringLiteral("Host Terminal"));
    setAccessibleName(windowTitle());

    auto* help = MakeButton(this, QStringLiteral("Help"), QStringLiteral("Help"));
    auto* quit = MakeButton(this, QStringLiteral("Quit"), QStringLiteral("Close"));

    auto* historyFrame = new QGroupBox(QStringLiteral("Previous Commands && Responses"), this);
    historyFrame->setObjectName(QStringLiteral("FrameHistory"));
    m_history = new HistoryBox(historyFrame);
    m_history->setObjectName(QStringLiteral("History"));
    m_history->setAccessibleName(QStringLiteral("Previous Commands & Responses"));
    m_history->setReadOnly(true);
    m_history->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_history->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_history->setFont(QFont(QStringLiteral("Monospace")));
    auto* historyLayout = new QVBoxLayout(historyFrame);
    historyLayout->addWidget(m_history);

    auto* commandFrame = new QGroupBox(QStringLiteral("Command"), this);
    commandFrame->setObjectName(QStringLiteral("FrameCommands"));
    m_command = new QPlainTextEdit(commandFrame);
    m_command->setObjectName(QStringLiteral("CommandText"));
    m_command->setAccessibleName(QStringLiteral("Command"));
    m_command->setFont(m_history->font());
    m_command->setTabChangesFocus(true);
    m_command->setFixedHeight(m_command->fontMetrics().lineSpacing() * 3 + 12);
    m_command->installEventFilter(this);
    auto* commandLayout = new QVBoxLayout(commandFrame);
    commandLayout->addWidget(m_command);

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(help);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(quit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(historyFrame, 1);
    layout->addWidget(commandFrame);
    layout->addLayout(bottom);
    resize(480, 420);

    connect(help, &QPushButton::clicked, this, &TMXterm::Help_Click);
    connect(quit, &QPushButton::clicked, this, &TMXterm::Quit_Click);
    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &TMXterm::showPending);
    connect(&m_session, &TerminalSession::appended, this, &TMXterm::logAppended);
    connect(&m_session, &TerminalSession::replaced, this, &TMXterm::logReplaced);
    // Focus moving into another window of ours means that window is active
    // now, also where the terminal saw no deactivation of its own for it.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        const QWidget* active = QApplication::activeWindow();
        if (active && active != this)
            m_session.deactivate();
    });
}

TMXterm::~TMXterm() = default;

void TMXterm::open()
{
    showPending();
    ShowInFront(*this);
    // Shown again while still the active window (hidden by "Close" with no
    // other window of ours taking over): no activation event will come.
    if (QApplication::activeWindow() == this)
        followActivation();
}

bool TMXterm::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate)
        followActivation();
    return QWidget::event(e);
}

void TMXterm::followActivation()
{
    const QWidget* active = QApplication::activeWindow();
    if (active == this && isVisible()) {
        m_session.activate();
        m_command->setFocus();
    } else if (active) {
        m_session.deactivate();
    }
    // No active window of ours: the user went to another application. The
    // drive stays in terminal mode and nothing is sent, either way.
}

bool TMXterm::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_command && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_session.enter(m_command->toPlainText());
            m_command->clear();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void TMXterm::closeEvent(QCloseEvent* e)
{
    m_session.closeBox();
    m_command->clear();
    showPending();
    e->accept();
}

void TMXterm::Quit_Click()
{
    m_session.quit();
    showPending();
    hide();
}

void TMXterm::Help_Click()
{
    if (m_showHelp)
        m_showHelp();
}

void TMXterm::logAppended(const QString& text)
{
    if (!m_showWholeLog)
        m_unshown += text;
    showSoon();
}

void TMXterm::logReplaced()
{
    m_unshown.clear();
    m_showWholeLog = true;
    showSoon();
}

void TMXterm::showSoon()
{
    if (m_showTimer.isActive())
        return;
    const qint64 since = m_sinceShown.isValid() ? m_sinceShown.elapsed() : ShowIntervalMs;
    if (since >= ShowIntervalMs)
        showPending();
    else
        m_showTimer.start(static_cast<int>(ShowIntervalMs - since));
}

void TMXterm::showPending()
{
    m_showTimer.stop();
    if (!m_showWholeLog && m_unshown.isEmpty())
        return;
    if (m_showWholeLog)
        m_history->showText(Lines(m_session.log()));
    else
        m_history->appendText(Lines(m_unshown));
    m_unshown.clear();
    m_showWholeLog = false;
    m_history->moveCursor(QTextCursor::End);
    m_history->ensureCursorVisible();
    m_sinceShown.start();
}
