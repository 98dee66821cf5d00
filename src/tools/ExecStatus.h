#pragma once

#include "StatusPoll.h"

#include <QDialog>
#include <QList>

class DriveLink;
class Lamp;
class QLabel;
class QPushButton;

// The drive status monitor ("Drive Status Monitor"): lamps for the alarm and
// status words, LEDs for the inputs and outputs, speed, analog voltage and
// encoder count, buttons that force the outputs and enable or disable the
// motor. Shown modal; it polls the drive while shown. "Close", Esc and the
// close box put the drive's outputs back and stop polling at once; after
// the close box the next opening starts from the designed layout.
class ExecStatus : public QDialog {
    Q_OBJECT
public:
    explicit ExecStatus(DriveLink& link, QWidget* parent = nullptr);
    ~ExecStatus() override;

    // Shows the monitor and starts it; with no port open the user is told
    // so and nothing is sent.
    void start();
    void OK_Click();

    StatusPoll& poll() { return m_poll; }

    // For tests and pictures: the name of the picture a LED or button shows
    // ("LEDblack", "LEDgreen", "LEDorange", "PlayGreen", "PlayGray",
    // "PauseRed", "PauseGray").
    QString inputPicture(int index) const;
    QString outputPicture(int index) const;
    QString playPicture() const;
    QString pausePicture() const;
    Lamp* alarmLamp(int bit) const { return m_alarmLamps.at(bit); }
    Lamp* statusLamp(int bit) const { return m_statusLamps.at(bit); }
    QLabel* analogVolts() const { return m_volts; }
    QLabel* encoderCount() const { return m_encoder; }
    QPushButton* outputButton(int row, bool high) const;
    QPushButton* pauseButton() const { return m_pause; }
    // Whether an input LED or output row is laid out visibly.
    bool inputShown(int index) const;
    bool outputShown(int row) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void refresh();
    void layOut(StatusLayout layout);
    QLabel* led(const QString& name, const QString& accessibleName);
    static void setPicture(QLabel* led, const QString& picture);

    DriveLink& m_link;
    StatusPoll m_poll;
    QList<QLabel*> m_inputs;
    QList<QLabel*> m_inputLabels;
    struct OutputRow {
        QLabel* led;
        QLabel* label;
        QPushButton* lo;
        QPushButton* hi;
    };
    QList<OutputRow> m_outputRows;
    QList<Lamp*> m_alarmLamps;
    QList<Lamp*> m_statusLamps;
    QLabel* m_speed = nullptr;
    QLabel* m_volts = nullptr;
    QLabel* m_encoder = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_pause = nullptr;
    StatusLayout m_layout = StatusLayout::Designed;
};
