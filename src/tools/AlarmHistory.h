#pragma once

#include <QDialog>
#include <QList>

class AlarmLamp;
class FaultCommands;
class QPushButton;

// The alarm history: the drive's last eight alarm words side by side, code 1
// (the most recent) on the left, one row of lamps for each of the 16 bits;
// a set bit shows red, a clear one light grey. Clear History asks the drive
// to forget them and shows what it reports then. Close hides the window.
class AlarmHistory : public QDialog {
    Q_OBJECT
public:
    explicit AlarmHistory(FaultCommands& faults, QWidget* parent = nullptr);

    // Colours the lamps from an alarm history reply (its first 16 bytes).
    void DispAlarmHistory(const QByteArray& reply);

    // Buttons.
    void ClearHistory_Click();
    void OK_Click();

    // The lamp of bit (0..15) of alarm code (1..8).
    AlarmLamp* lamp(int code, int bit) const;
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* closeButton() const { return m_close; }

private:
    FaultCommands& m_faults;
    QList<AlarmLamp*> m_lamps;  // RedSquare(16 i + j): word i, bit j
    QPushButton* m_clear;
    QPushButton* m_close;
};
