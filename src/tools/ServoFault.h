#pragma once

#include <QDialog>
#include <QList>

class AlarmLamp;
class FaultCommands;
class QPushButton;

// The fault window: one red lamp for each of the drive's 14 alarm bits,
// lit for the bits of the last fault message, with Clear Fault and Close.
// Close hides it, so the lamps stay until the next fault or clear.
class ServoFault : public QDialog {
    Q_OBJECT
public:
    explicit ServoFault(FaultCommands& faults, QWidget* parent = nullptr);

    // Puts out every lamp.
    void ClearRedBoxes();
    // Lights exactly the lamps of the word's set bits (bits 0 to 13).
    void ShowRedBoxes(int alarmWord);

    // Buttons.
    void ClearHistory_Click();
    void OK_Click();

    AlarmLamp* lamp(int bit) const { return m_lamps.value(bit); }
    // The bits whose lamps are lit, as a word.
    int litWord() const;
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* closeButton() const { return m_close; }

private:
    FaultCommands& m_faults;
    QList<AlarmLamp*> m_lamps;
    QPushButton* m_clear;
    QPushButton* m_close;
};
