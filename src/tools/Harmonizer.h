#pragma once

#include "SmoothingWizard.h"

#include <QDialog>
#include <functional>

class DriveLink;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

// "Waveform Smoothing Wizard": tunes the custom motor's harmonic gain and
// phase by ear while the drive jogs the motor (the talk with the drive is
// SmoothingWizard's). Shown modal; Done and Cancel hide it, and its close
// box and Escape act as Cancel.
class Harmonizer : public QDialog {
    Q_OBJECT
public:
    explicit Harmonizer(DriveLink& link, QWidget* parent = nullptr);

    // The running current as typed in the motor dialog, sent at Start.
    std::function<QString()> runningCurrentText;
    // Done: the tuned gain and phase for the custom-motor editor's sliders;
    // a value absent from it is left as the editor has it.
    std::function<void(const SmoothingWizard::Tuned&)> tunedReady;

    // Opens the wizard: with no open port the user is told so and nothing
    // is shown or sent; else the window is shown modal and reads the drive.
    void showWizard();

    SmoothingWizard& wizard() { return m_wizard; }
    QLabel* instructions() const { return m_instructions; }
    QGroupBox* sliderFrame() const { return m_frame; }
    QLabel* lblParam() const { return m_param; }
    QLabel* rpsLabel() const { return m_rps; }
    QSlider* paramSlider() const { return m_slider; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* nextDoneButton() const { return m_nextDone; }

public slots:
    void reject() override;

private:
    void render();
    QString currentText() const;

    SmoothingWizard m_wizard;
    QLabel* m_instructions;
    QGroupBox* m_frame;
    QLabel* m_param;
    QLabel* m_rps;
    QSlider* m_slider;
    QPushButton* m_start;
    QPushButton* m_cancel;
    QPushButton* m_nextDone;
};
