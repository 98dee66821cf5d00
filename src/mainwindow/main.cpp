#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "MainForm.h"
#include "MessageBoxPrompt.h"
#include "StartForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(Configurator::ProgramTitle());
    // The main window decides when the program ends (the quit guard).
    app.setQuitOnLastWindowClosed(false);

    const QString programDir = QCoreApplication::applicationDirPath();
    MessageBoxPrompt prompt;
    Configurator configurator(prompt);
    DeviceSerialPort port;
    DriveLink link(configurator, port);
    DriveQueries queries(link);
    DriveTransfer transfer(link, queries);

    // The motor database opens before anything reads the motor in use (the
    // model change at start-up already does); without it the program cannot
    // work, and it ends after saying so.
    if (!configurator.openMotorDatabase(programDir + QStringLiteral("/korv4 motors.db")))
        return 1;

    MainForm main(configurator, link, queries, transfer, programDir);
    QObject::connect(&main, &MainForm::programEnding, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    {
        StartForm splash;
        splash.run(main);
    }
    prompt.setParent(&main);
    return app.exec();
}
