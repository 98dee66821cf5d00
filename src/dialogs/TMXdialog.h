#pragma once

#include "SettingsDialog.h"

#include <QList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
struct SerialModeValues;

// TMX mode and J program: the drive's serial line and the control mode it
// powers up in, with the step input of mode 7. One dialog serves both
// modes; the opener says which through ModeToSet and the caption.
class TMXdialog : public SettingsDialog {
    Q_OBJECT
public:
    TMXdialog(Configurator& configurator, MainWindowServices& main);

    // The operating mode OK stores: 2 TMX mode, 7 J program.
    int ModeToSet = 2;
    // The opener: mode, caption, fill (LoadTMXDialog), show.
    void open(int modeToSet, const QString& caption);

    // ListCM's selection action: the step frames and the dialog's height
    // follow the chosen code.
    void ListCM_Click();
    // An address button: its character becomes the address.
    void RSchar_Click(int index);

    QComboBox* ListCM = nullptr;
    QGroupBox* FramePulseType = nullptr;
    QComboBox* ListPulseType = nullptr;
    QRadioButton* optDir0 = nullptr;
    QRadioButton* optDir1 = nullptr;
    QGroupBox* FrameSPR = nullptr;
    NumberBox* SPR = nullptr;
    QGroupBox* FrameStepFilter = nullptr;
    NumberBox* txtStepFilterFreq = nullptr;
    QGroupBox* FrameNoiseFilter = nullptr;
    NumberBox* txtNoiseFilter = nullptr;
    QComboBox* LstBitRate = nullptr;
    QList<QAbstractButton*> RSchar;
    QLabel* txtRS485addr = nullptr;
    NumberBox* txtTxDelay = nullptr;
    QList<QCheckBox*> protocolChecks;  // in the order of ProtocolOptions()

protected:
    void fill() override;
    void writeSettings() override;

private:
    SerialModeValues values() const;

    int m_heightWithStepFrames = 0;
};
