#include "DeviceSerialPort.h"
#include "MainForm.h"
#include "MessageBoxPrompt.h"
#include "Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(Configurator::ProgramTitle());
    // The main window decides when the program ends (the quit guard).
    app.setQuitOnLastWindowClosed(false);

    MessageBoxPrompt prompt;
    DeviceSerialPort port;
    Program program(prompt, port, QCoreApplication::applicationDirPath());
    // Without its motor database the program cannot work; it has said so.
    if (!program.start())
        return 1;
    MainForm& main = *program.mainForm();
    prompt.setParent(&main);
    QObject::connect(&main, &MainForm::programEnding, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
