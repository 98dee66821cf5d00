#pragma once

#include <QWidget>

class MainForm;
class QLabel;

// The splash shown while the main window starts up: the program's picture,
// its version and the maker's lines. It is on the screen during the main
// window's load step (messages of the port search appear over it) and goes
// once the main window is shown.
class StartForm : public QWidget {
    Q_OBJECT
public:
    explicit StartForm(QWidget* parent = nullptr);

    // Shows the splash centred, runs the main window's load step, removes
    // the splash and shows the main window.
    void run(MainForm& main);

    QString versionText() const;

private:
    QLabel* m_ver;
};
