#pragma once

#include "RegenForm.h"
#include "SettingsDialog.h"

class QLabel;
class QRadioButton;

// "Regen Clamp": the drive's internal regeneration resistor, whose values
// are fixed and shown as labels, or an external one with its power,
// resistance and peak duration in boxes that take the labels' places. A
// change of resistor marks the configuration changed at once, also when the
// opener makes it. The download presses its OK while it is shown.
class RegenDialog : public SettingsDialog {
    Q_OBJECT
public:
    RegenDialog(Configurator& configurator, MainWindowServices& main);

    RegenForm form() const;
    // The name of the picture shown.
    QString picture() const { return m_pictureName; }

protected:
    void fill() override;
    void writeSettings() override;

private:
    void showResistor(bool external);

    QRadioButton* m_internal;
    QRadioButton* m_external;
    NumberBox* m_watts;
    NumberBox* m_ohms;
    NumberBox* m_secs;
    QList<QLabel*> m_fixed;
    QLabel* m_picture;
    QString m_pictureName;
};
