#include "ConfigurationFile.h"
#include "DriveImage.h"
#include "ImageWord.h"
#include "MotorDialogRig.h"
#include "SampleMotor.h"
#include "SimulatedDrive.h"

#include <QComboBox>
#include <QPushButton>
#include <QtMath>
#include <QtTest>

// Motors rated below what the running current's 0.50 A floor allows at
// 1.5 x rated: every road that puts such a motor on the running-current
// slider, before and after the motor dialog was first opened, leaves the
// program running and sends the drive no more than 1.5 x rated.
class TestSmallMotors : public QObject {
    Q_OBJECT
private slots:
    void everyRoadToTheSlider_data();
    void everyRoadToTheSlider();
};

namespace {

// What a drive or a configuration may hold for a bigger motor.
constexpr double BigMotorRunCurrent = 1.4;

}  // namespace

void TestSmallMotors::everyRoadToTheSlider_data()
{
    QTest::addColumn<double>("rated");
    QTest::addColumn<QString>("road");
    QTest::addColumn<bool>("opened");  // the motor dialog was opened first
    for (const double rated : {0.01, 0.30, 0.33, 0.34, 0.49, 0.50}) {
        for (const char* road : {"upload", "open", "motor list", "custom motor", "model change"}) {
            for (const bool opened : {false, true})
                QTest::addRow("%.2f A, %s, %s", rated, road, opened ? "after opening" : "before opening")
                    << rated << QString::fromLatin1(road) << opened;
        }
    }
}

void TestSmallMotors::everyRoadToTheSlider()
{
    QFETCH(double, rated);
    QFETCH(QString, road);
    QFETCH(bool, opened);
    BasicMotorDialogRig<PortedRig> r;
    SimulatedDrive drive(r.rig.port);
    Configurator& c = r.rig.cfg;
    MainForm& main = r.rig.main;
    // The part number sorts before every motor of the database.
    const MotorRecord small = SampleMotor(QStringLiteral("KV-SMALL"), rated);
    const bool list = road == QLatin1String("motor list");
    const bool custom = road == QLatin1String("custom motor");
    if (list) {
        // An earlier session's upload added the motor: at start-up the
        // list's first entry, it becomes the database motor.
        QVERIFY(r.openDatabaseCopy());
        QCOMPARE(c.motors().AddMotorRecord(small), MotorStore::AddResult::Added);
        main.Form_Load();
        r.rig.prompt.clear();
        QCOMPARE(c.databaseMotor().partNumber, small.partNumber);
    } else {
        r.start();
    }
    QVERIFY(r.rig.port.isOpen());
    c.state().InertiaSet = true;
    c.settings().UseCustomMotor = custom;
    MotorDialog& d = r.motor();
    if (opened) {
        main.Motor_Click();
        QVERIFY(c.state().UpdatingControls);
    }

    if (road == QLatin1String("upload")) {
        Settings held = c.settings();
        held.RunCurrent = BigMotorRunCurrent;
        drive.image = DownloadString(held, small);
        AddChecksum(drive.image);
        // The image byte by byte as over the 9600-baud line, or in one read
        // as an adapter's buffer may hand it over.
        drive.lineBytesPerSecond = opened ? 960 : 0;
        main.Upload_Click();
        QCOMPARE(c.databaseMotor().partNumber, small.partNumber);
    } else if (road == QLatin1String("open")) {
        // A file this program wrote for the motor: its running current at
        // most what the motor allows.
        ConfigFileContent content = CaptureConfiguration(c, QStringLiteral("1.0"));
        content.settings.RunCurrent = qFloor(rated * 150 + 1e-6) / 100.0;
        content.motor = small;
        QVERIFY(r.openFile(content, QStringLiteral("small.cnf")));
        QCOMPARE(c.databaseMotor().partNumber, small.partNumber);
    } else if (list && opened) {
        // The user looks at another motor, sets a running current for it,
        // and picks the small one again.
        auto& motors = r.child<QComboBox>(d, "MotorList");
        QCOMPARE(motors.currentText(), small.partNumber);
        motors.setCurrentIndex(1);
        r.type(d, "txtDriveCurrent", QStringLiteral("2"));
        motors.setCurrentIndex(0);
        QCOMPARE(c.databaseMotor().partNumber, small.partNumber);
    } else if (custom) {
        // The editor is opened from the motor dialog; before the dialog's
        // first opening, only program code fills and shows it.
        EditMotor& e = r.edit();
        if (opened) {
            r.child<QPushButton>(d, "DefineNewMotor").click();
            QVERIFY(e.isVisible());
        } else {
            e.showFilled();
        }
        r.type(e, "txtRatedCurrent", QString::number(rated));
        r.child<QPushButton>(e, "cmdOK").click();
        QCOMPARE(c.settings().CustomMotorCurrent, rated);
    } else if (road == QLatin1String("model change")) {
        // The small motor comes with a configuration that still holds a
        // bigger motor's running current; then the 220 V model is chosen.
        c.AddMotorRecord(small);
        c.settings().RunCurrent = BigMotorRunCurrent;
        QComboBox& models = main.modelList();
        models.setCurrentIndex(4);
        emit models.activated(4);
        QCOMPARE(c.modelIndex(), 4);
    }
    // With the motor dialog closed, the settings go to the drive as they are.
    if (!d.isVisible())
        QVERIFY(static_cast<float>(c.settings().RunCurrent) <= c.MaxRunCurrent());

    // The download presses the motor dialog's OK when it is open.
    main.Download_Click();
    QCOMPARE(drive.downloadsTaken, 1);
    QVERIFY(!d.isVisible());
    const int sent = ImageWord(drive.image, 12);  // hundredths of an amp
    QVERIFY2(sent <= 150 * rated + 1e-6, qPrintable(QStringLiteral("%1 sent for %2 A").arg(sent).arg(rated)));
    QVERIFY(sent > 0);
    QCOMPARE(ImageWord(drive.image, custom ? 92 : 128), qRound(rated * 100));
}

QTEST_MAIN(TestSmallMotors)
#include "tst_smallmotors.moc"
