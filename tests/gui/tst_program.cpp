#include "MainForm.h"
#include "MemorySerialPort.h"
#include "Program.h"
#include "ScriptedPrompt.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

// The program's start as main() runs it.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    // Without its motor database the program says so and ends before it
    // touches a port or fills any list.
    void noMotorDatabase()
    {
        QTemporaryDir empty;
        ScriptedPrompt prompt;
        MemorySerialPort port;
        Program program(prompt, port, empty.path());
        QVERIFY(!program.start());
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages.first().title, QStringLiteral("KORV4 Configurator"));
        QVERIFY(prompt.messages.first().text.contains(QStringLiteral("Can't load motor database.")));
        QVERIFY(!program.mainForm());
        QVERIFY(!port.isOpen());
        QCOMPARE(program.configurator().modelIndex(), -1);
        QVERIFY(!QFile::exists(Program::MotorDatabasePath(empty.path())));  // not created either
    }

    // With it, the database is open before the model list is filled, so the
    // model change at start-up sees the database's motor.
    void startsWithTheDatabase()
    {
        ScriptedPrompt prompt;
        MemorySerialPort port;
        port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
        Program program(prompt, port, qEnvironmentVariable("KORV4_BIN"));
        bool openAtModelChange = false;
        QObject::connect(&program.configurator(), &Configurator::modelIndexChanged, [&] {
            openAtModelChange = program.configurator().motors().isOpen();
        });
        QVERIFY(program.start());
        QVERIFY(openAtModelChange);
        MainForm* main = program.mainForm();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QCOMPARE(main->modelList().currentText(), QStringLiteral("KORV4-J"));
        QCOMPARE(prompt.titles().last(), QStringLiteral("No open port"));
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
