#include "ComPorts.h"
#include "MainFormRig.h"
#include "SimulatedDrive.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ForgetComPorts(); }

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
        PointComPortsAt(drive.slavePath());
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
        PointComPortsAt(drive.slavePath());
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
        PointComPortsAt(QStringLiteral("/nonexistent/korv4-com1"));
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
