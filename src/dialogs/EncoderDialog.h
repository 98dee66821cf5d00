#pragma once

#include "EncoderForm.h"
#include "SettingsDialog.h"

class QCheckBox;
class QLabel;
class QRadioButton;

// "Encoder Feedback (optional)": the encoder's resolution and direction,
// single-ended wiring, stall prevention with its torque limit and hard-stop
// fault, and stall detection. The phase diagram follows the direction
// chosen; ticking stall prevention unticks stall detection and the other
// way round. The download presses its OK while it is shown.
class EncoderDialog : public SettingsDialog {
    Q_OBJECT
public:
    EncoderDialog(Configurator& configurator, MainWindowServices& main);

    // The controls' state as values.
    EncoderForm form() const;
    // The name of the phase diagram shown.
    QString diagram() const { return m_diagram; }

protected:
    void fill() override;
    void writeSettings() override;

private:
    void showDiagram(const QString& name);

    NumberBox* m_counts;
    NumberBox* m_maxTorque;
    NumberBox* m_hardStop;
    QLabel* m_lines;
    QRadioButton* m_cw;
    QRadioButton* m_ccw;
    QLabel* m_picture;
    QCheckBox* m_singleEnded;
    QCheckBox* m_prevent;
    QCheckBox* m_hardStopFault;
    QCheckBox* m_detect;
    QString m_diagram;
};
