#include "FaultWatch.h"

#include "AlarmWord.h"
#include "DriveLink.h"
#include "Wait.h"

#include <QTimer>

namespace {

// How often a pending show looks again while an exchange still waits.
constexpr int BusyRetryMs = 50;

}  // namespace

FaultWatch::FaultWatch(DriveLink& link, QObject* parent) : QObject(parent), m_link(link)
{
    connect(&m_link, &DriveLink::servoFaultReported, this, &FaultWatch::onFault);
}

void FaultWatch::onFault(int alarmWord)
{
    if (!AlarmWord::raisesFaultWindow(alarmWord))
        return;
    // Called from inside the receive handling: only post.
    QMetaObject::invokeMethod(
        this,
        [this, alarmWord] {
            emit lampsChanged(alarmWord);
            if (m_showPending)
                return;
            m_showPending = true;
            // Behind the messages of the same arrival, so they all reach
            // the lamps before the window comes.
            QMetaObject::invokeMethod(this, &FaultWatch::tryShow, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void FaultWatch::tryShow()
{
    if (m_link.exchangeRunning() || WaitDepth() > 0) {
        QTimer::singleShot(BusyRetryMs, this, &FaultWatch::tryShow);
        return;
    }
    m_showPending = false;
    emit showRequested();
}
