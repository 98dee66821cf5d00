#include "MainFormRig.h"
#include "SimulatedDrive.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

namespace {

// COM1 is the given device (a simulated drive's pseudo-terminal, or a path
// that does not exist); COM2 to COM8 do not exist.
void PointPortsAt(const QString& com1)
{
    qputenv("KORV4_COM1", com1.toLocal8Bit());
    for (int n = 2; n <= 8; ++n)
        qputenv(qPrintable(QStringLiteral("KORV4_COM%1").arg(n)), QByteArray("/nonexistent/korv4-com") + QByteArray::number(n));
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (int n = 1; n <= 8; ++n)
            qunsetenv(qPrintable(QStringLiteral("KORV4_COM%1").arg(n)));
    }

    // Drives of other families answer the presence test and are identified;
    // ours (41 to 46) are not, since they greet the program themselves.
    void driveCheck_data()
    {
        QTest::addColumn<int>("modelCode");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QString>("version");
        QTest::newRow("model 35: checked") << 35 << QByteArray("CCy\x8e", 4) << "1.04 k";
        QTest::newRow("model 42: not checked") << 42 << QByteArray("C") << "";
    }
    void driveCheck()
    {
        QFETCH(int, modelCode);
        QFETCH(QByteArray, received);
        QFETCH(QString, version);
        SimulatedDrive drive;
        QVERIFY(drive.isPresent());
        drive.modelCode = modelCode;
        PointPortsAt(drive.slavePath());
        DeviceRig rig;
        rig.openDatabase();

        rig.main.Form_Load();

        QVERIFY(rig.port.isOpen());
        QCOMPARE(rig.main.commList().currentText(), QStringLiteral("COM1"));
        QTRY_COMPARE(drive.received, received);
        QCOMPARE(rig.prompt.messages.size(), 0);
        QCOMPARE(rig.main.driveVersionLabel().text(), version);
        QCOMPARE(rig.cfg.state().FirmwareVersion, 1.04f);
        QCOMPARE(rig.cfg.state().DriveModelCode, modelCode);
        // Neither selects a model row: the list keeps KORV4-J.
        QCOMPARE(rig.main.modelList().currentText(), QStringLiteral("KORV4-J"));
    }

    void silentDrive()
    {
        SimulatedDrive drive;
        drive.silent = true;
        PointPortsAt(drive.slavePath());
        DeviceRig rig;
        rig.openDatabase();
        QElapsedTimer clock;
        clock.start();
        rig.main.Form_Load();
        const qint64 ms = clock.elapsed();
        QVERIFY2(ms >= 1000 && ms < 1800, qPrintable(QString::number(ms)));
        QVERIFY(rig.prompt.messages.isEmpty());
        QCOMPARE(drive.received, QByteArray("C"));
        QCOMPARE(rig.cfg.state().FirmwareVersion, 0.0f);
        QVERIFY(rig.main.driveVersionLabel().text().isEmpty());
    }

    void noPortAtAll()
    {
        PointPortsAt(QStringLiteral("/nonexistent/korv4-com1"));
        DeviceRig rig;
        rig.openDatabase();
        rig.main.Form_Load();
        QStringList titles(7, QStringLiteral("Communication Error"));
        titles << QStringLiteral("No open port");
        QCOMPARE(rig.prompt.titles(), titles);
        for (int n = 1; n <= 7; ++n) {
            const QString text = rig.prompt.messages.at(n - 1).text;
            QVERIFY2(text.startsWith(QStringLiteral("Error on Comm%1:  ").arg(n)), qPrintable(text));
            QVERIFY(text.endsWith(QStringLiteral(".  Will try Comm%1.").arg(n + 1)));
            QCOMPARE(rig.prompt.messages.at(n - 1).icon, Prompt::Icon::Exclamation);
        }
        QVERIFY(!rig.port.isOpen());
        // Ctrl+T and the terminal entry do nothing without a port.
        int terminals = 0;
        rig.main.hooks().showTerminal = [&] { ++terminals; };
        rig.main.TerminalKey();
        QCOMPARE(terminals, 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
