#pragma once

#include "SelfTestRun.h"

#include <QDialog>

class DriveLink;
class QPushButton;

// The self test ("Self Test"): the motor turns half a revolution one way
// and back until the user stops it. "Stop", Esc and the close box all stop
// the motor before the window goes. Shown modal, centred over the main
// window when first shown.
class SelfTest : public QDialog {
    Q_OBJECT
public:
    SelfTest(DriveLink& link, QWidget* mainWindow, QWidget* parent = nullptr);

    // Shows the window and starts the motor; with no port open the user is
    // told so and nothing is sent.
    void start();
    void StopSelfTest_Click();

    SelfTestRun& run() { return m_run; }
    QPushButton* stopButton() const { return m_stop; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    DriveLink& m_link;
    QWidget* m_mainWindow;
    SelfTestRun m_run;
    QPushButton* m_stop = nullptr;
    bool m_placed = false;
};
