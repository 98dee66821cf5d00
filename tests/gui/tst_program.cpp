#include "MainForm.h"
#include "MemorySerialPort.h"
#include "Program.h"
#include "ScriptedPrompt.h"
#include "MotorDialog.h"
#include "SettingsDialogs.h"

#include <QBackingStore>
#include <QComboBox>
#include <QScreen>
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

    // A hidden window lets go of the picture it is drawn from, and when it
    // is shown again the screen shows it whole, not blank or stale.
    void hiddenWindowsGiveBackTheirPicture()
    {
        ScriptedPrompt prompt;
        MemorySerialPort port;
        port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
        Program program(prompt, port, qEnvironmentVariable("KORV4_BIN"));
        QVERIFY(program.start());
        RunHook(program.mainForm()->hooks().showMotorDialog);
        QWidget& dialog = program.dialogs()->motorDialog();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QSize drawn = dialog.backingStore()->size();
        QVERIFY(drawn.width() > 100);
        dialog.hide();
        QVERIFY(dialog.backingStore()->size().width() <= 1);
        RunHook(program.mainForm()->hooks().showMotorDialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(dialog.backingStore()->size(), drawn);
        // What the screen shows of the window is what the window draws
        // (the text cursor may blink between the two pictures).
        const QImage shown = dialog.screen()->grabWindow(dialog.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage drawnNow = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), drawnNow.size());
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                differing += shown.pixel(x, y) != drawnNow.pixel(x, y);
        QVERIFY2(differing < shown.width() * shown.height() / 100, qPrintable(QString::number(differing)));
        QVERIFY(program.mainForm()->isVisible());
        QVERIFY(program.mainForm()->backingStore()->size().width() > 100);
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
