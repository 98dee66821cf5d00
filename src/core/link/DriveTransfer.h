#pragma once

#include <QObject>
#include <functional>
#include <vector>

class DriveLink;
class DriveQueries;

// Upload and download of the 161-byte drive image, started from the main
// window's Upload and Download buttons. Progress goes out as 0..100 (0 when
// no transfer runs); questions and reports go through the prompt.
class DriveTransfer : public QObject {
    Q_OBJECT
public:
    DriveTransfer(DriveLink& link, DriveQueries& queries, QObject* parent = nullptr);

    DriveLink& link() { return m_link; }

    // The settings dialogs whose OK a download presses first, in this order.
    // The advanced analog settings go before the velocity dialog: their OK
    // only hands the values to the velocity dialog, whose OK stores them.
    enum class OkDialog { EditMotor, MotorDialog, AdvancedSettings, VelocityDialog,
                          PulseDirDialog, EncoderDialog, RegenDialog };
    // A dialog registers what to do: press its OK when it is visible.
    void setOkPress(OkDialog dialog, std::function<void()> pressIfVisible);

    // The buttons. Each returns true when the image went across and the
    // drive took it (download: ACK) or the settings were replaced (upload).
    bool Upload_Click();
    bool Download_Click();

    bool NoCommPort() const;
    // Identify, check the limits, transfer.
    bool DoDownload();
    bool DataDownload();
    bool DataUpload();

signals:
    void progressChanged(int percent);

private:
    void setProgress(int percent);
    void pressVisibleOks();

    DriveLink& m_link;
    DriveQueries& m_queries;
    std::vector<std::function<void()>> m_okPress;
    int m_progress = 0;
};
