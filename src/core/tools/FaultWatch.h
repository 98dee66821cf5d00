#pragma once

#include <QObject>

class DriveLink;

// Turns the drive's fault messages into what the fault window does, outside
// the receive path: a message arrives in the middle of the receive handling
// (and often in the middle of a drive exchange's wait), where a modal window
// would stall the handling and leave the exchange waiting under it.
//
// Every fault message whose word has a bit of the fault mask gives
// lampsChanged once the receive handling has returned. showRequested follows
// when no drive exchange and no wait is running any more; however many
// messages came meanwhile, one request is pending at a time.
class FaultWatch : public QObject {
    Q_OBJECT
public:
    explicit FaultWatch(DriveLink& link, QObject* parent = nullptr);

    bool showPending() const { return m_showPending; }

signals:
    void lampsChanged(int alarmWord);
    void showRequested();

private:
    void onFault(int alarmWord);
    void tryShow();

    DriveLink& m_link;
    bool m_showPending = false;
};
