#include "Configurator.h"
#include "DriveImage.h"
#include "ExtractUploadData.h"
#include "RandomSettings.h"
#include "SampleMotor.h"
#include "ScriptedPrompt.h"
#include "SettingsFields.h"

#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// An application whose motor database is a new, empty file in dir.
bool openEmptyDatabase(Configurator& app, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("m.db"));
    return MotorStore::create(path) && app.openMotorDatabase(path);
}

}  // namespace

class TestSettingsModel : public QObject {
    Q_OBJECT
private slots:
    void fieldTableIsSound();
    void textToleranceMatchesSignificantDigits();
    void initVarsDefaults_data();
    void initVarsDefaults();
    void initVarsResetsEverythingElse();
    void maxRunCurrent_data();
    void maxRunCurrent();
    void modelChangeLowersNeverRaises();
    void runCurrentNeverEncodesAboveTheLimit_data();
    void runCurrentNeverEncodesAboveTheLimit();
    void idleCurrentLimit_data();
    void idleCurrentLimit();
    void motionDescription_data();
    void motionDescription();
    void extractUploadData();
    void extractUploadDataWithoutDatabase();
};

void TestSettingsModel::fieldTableIsSound()
{
    // Each row names its own member: changing one field through the table
    // changes that field and no other.
    QSet<QString> names;
    const Settings base;
    QVERIFY(FieldsOutOfRange(base).isEmpty());
    for (const SettingsField& f : SettingsFields()) {
        QVERIFY2(!names.contains(QLatin1String(f.name)), f.name);
        names.insert(QLatin1String(f.name));
        QVERIFY2(f.lo <= f.hi && f.validLo <= f.lo && f.hi <= f.validHi, f.name);
        Settings s = base;
        if (f.isText())
            SetFieldText(s, f, FieldText(s, f) + QLatin1Char('x'));
        else if (f.isBool())
            SetFieldNumber(s, f, FieldNumber(s, f) == 0 ? 1 : 0);
        else
            SetFieldNumber(s, f, FieldNumber(s, f) + 1);
        QCOMPARE(DifferingNames(base, s), QStringList(QLatin1String(f.name)));
    }
}

void TestSettingsModel::textToleranceMatchesSignificantDigits()
{
    // Written with 15 (double) or 7 (single) significant digits and read
    // back, a random record compares equal; one step further apart it does not.
    QRandomGenerator rng(3);
    for (int run = 0; run < 50; ++run) {
        const Settings a = RandomSettings(rng);
        Settings b = a;
        for (const SettingsField& f : SettingsFields()) {
            if (f.isText() || f.isInteger())
                continue;
            const bool single = std::holds_alternative<float Settings::*>(f.member);
            SetFieldText(b, f, QString::number(FieldNumber(a, f), 'g', single ? 7 : 15));
        }
        QCOMPARE(DifferingFields(a, b, TextNumberTolerance), QStringList());
    }
    Settings a;
    Settings b;
    b.VelSpeed = a.VelSpeed * (1 + 1e-13);
    QCOMPARE(DifferingNames(a, b, TextNumberTolerance), QStringList("VelSpeed"));
}

void TestSettingsModel::initVarsDefaults_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("OperatingMode") << "OperatingMode" << "3";
    QTest::newRow("ControlMode") << "ControlMode" << "7";
    QTest::newRow("PowerUpMode") << "PowerUpMode" << "21";
    QTest::newRow("StepsPerRev") << "StepsPerRev" << "25000";
    QTest::newRow("RunCurrent") << "RunCurrent" << "1.4";
    QTest::newRow("IdleCurrentPct") << "IdleCurrentPct" << "50";
    QTest::newRow("LoadInertiaUnit") << "LoadInertiaUnit" << "1";
    QTest::newRow("CustomMotorMaxVolts") << "CustomMotorMaxVolts" << QString::number(16000.0 / 170.0, 'g', QLocale::FloatingPointShortest);
    QTest::newRow("LimitMode") << "LimitMode" << "1";
    QTest::newRow("EnableInputMode") << "EnableInputMode" << "3";
    QTest::newRow("AlarmResetMode") << "AlarmResetMode" << "3";
    QTest::newRow("AlarmOutputMode") << "AlarmOutputMode" << "3";
    QTest::newRow("BrakeOutputMode") << "BrakeOutputMode" << "3";
    QTest::newRow("MotionOutputMode") << "MotionOutputMode" << "3";
    QTest::newRow("BitRateCode") << "BitRateCode" << "1";
    QTest::newRow("ProtocolFlags") << "ProtocolFlags" << "1";
    QTest::newRow("DriveWord78") << "DriveWord78" << "625";
    QTest::newRow("DriveWord80") << "DriveWord80" << "30";
    QTest::newRow("DriveWord82") << "DriveWord82" << "5000";
    QTest::newRow("DriveWord84") << "DriveWord84" << "250";
    QTest::newRow("DriveWord86") << "DriveWord86" << "250";
    QTest::newRow("Rs485Address") << "Rs485Address" << "!";
    QTest::newRow("CustomMotorName") << "CustomMotorName" << "custom motor";
    QTest::newRow("VelocitySettingsSet") << "VelocitySettingsSet" << "true";
    QTest::newRow("InertiaAsRatio") << "InertiaAsRatio" << "true";
    QTest::newRow("VelRunStopInput") << "VelRunStopInput" << "true";
    QTest::newRow("SmoothingOn") << "SmoothingOn" << "true";
    QTest::newRow("DampingOn") << "DampingOn" << "true";
    QTest::newRow("UseCustomMotor") << "UseCustomMotor" << "false";
    QTest::newRow("RegenResSecs") << "RegenResSecs" << "0.3125";
}

void TestSettingsModel::initVarsDefaults()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QRandomGenerator rng(7);
    Settings s = RandomSettings(rng);
    InitVars(s);
    const SettingsField* f = FindSettingsField(field);
    QVERIFY(f);
    QCOMPARE(FieldText(s, *f), value);
}

void TestSettingsModel::initVarsResetsEverythingElse()
{
    // Every setting goes back to its default except the quadrature direction.
    QRandomGenerator rng(11);
    for (bool quad : {false, true}) {
        Settings s = RandomSettings(rng);
        s.QuadDirBLeadsA = quad;
        InitVars(s);
        Settings expected;
        expected.QuadDirBLeadsA = quad;
        QCOMPARE(DifferingFields(expected, s), QStringList());
    }
}

void TestSettingsModel::maxRunCurrent_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("custom");
    QTest::addColumn<double>("rated");       // custom or database motor; < 0: no database motor
    QTest::addColumn<bool>("dialogActive");  // the motor dialog's own choice: the other kind
    QTest::addColumn<float>("expected");
    QTest::newRow("custom 4 A, row 1") << 1 << true << 4.0 << false << 6.0f;
    QTest::newRow("custom 4 A, row 4") << 4 << true << 4.0 << false << 3.2f;
    QTest::newRow("custom 2 A, row 0") << 0 << true << 2.0 << false << 3.0f;
    QTest::newRow("no row selected") << -1 << true << 2.0 << false << 0.0f;
    QTest::newRow("database 2 A, row 2") << 2 << false << 2.0 << false << 3.0f;
    QTest::newRow("database 6.3 A, row 3") << 3 << false << 6.3 << false << 3.2f;
    QTest::newRow("no database motor, row 1") << 1 << false << -1.0 << false << 6.0f;
    QTest::newRow("no database motor, row 5") << 5 << false << -1.0 << false << 3.2f;
    // The motor dialog, while active, decides by its option buttons.
    QTest::newRow("dialog picks custom 2 A") << 1 << false << 2.0 << true << 3.0f;
}

void TestSettingsModel::maxRunCurrent()
{
    QFETCH(int, row);
    QFETCH(bool, custom);
    QFETCH(double, rated);
    QFETCH(bool, dialogActive);
    QFETCH(float, expected);
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    Configurator app(prompt);
    QVERIFY(openEmptyDatabase(app, dir));
    app.settings().UseCustomMotor = custom;
    if (dialogActive) {
        app.state().MotorDialogActive = true;
        app.state().MotorDialogCustomChosen = !custom;
    }
    if (custom || dialogActive)
        app.settings().CustomMotorCurrent = rated;
    else if (rated >= 0)
        QCOMPARE(app.motors().AddMotorRecord(SampleMotor("KV", rated)), MotorStore::AddResult::Added);
    app.selectModel(row);
    QCOMPARE(app.MaxRunCurrent(), expected);
}

void TestSettingsModel::modelChangeLowersNeverRaises()
{
    ScriptedPrompt prompt;
    Configurator app(prompt);  // the database is not even open
    app.settings().UseCustomMotor = true;
    app.settings().CustomMotorCurrent = 4.0;
    app.settings().RunCurrent = 5.0;
    app.selectModel(4);
    QCOMPARE(app.settings().RunCurrent, 3.2);  // the decimal, not the single's binary value
    app.selectModel(1);
    QCOMPARE(app.settings().RunCurrent, 3.2);

    // A database motor in use without any database still leaves the drive limit.
    app.settings().UseCustomMotor = false;
    app.settings().RunCurrent = 7.0;
    app.selectModel(0);
    QCOMPARE(float(app.settings().RunCurrent), 6.0f);
}

void TestSettingsModel::runCurrentNeverEncodesAboveTheLimit_data()
{
    QTest::addColumn<bool>("custom");
    QTest::addColumn<int>("row");
    QTest::newRow("custom motor, 6 A drive") << true << 1;
    QTest::newRow("custom motor, 3.2 A drive") << true << 4;
    QTest::newRow("database motor, 6 A drive") << false << 0;
}

// Every two-decimal rated current from 0.01 to 10.00 A: the running current
// that a model change lowers to the limit goes to the drive (in hundredths)
// no higher than 1.5 x rated, and no more than a hundredth below it.
void TestSettingsModel::runCurrentNeverEncodesAboveTheLimit()
{
    QFETCH(bool, custom);
    QFETCH(int, row);
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    Configurator app(prompt);
    QVERIFY(openEmptyDatabase(app, dir));
    app.settings().UseCustomMotor = custom;
    QStringList above;
    for (int hundredths = 1; hundredths <= 1000; ++hundredths) {
        const double rated = hundredths / 100.0;
        MotorRecord motor = SampleMotor(QStringLiteral("R%1").arg(hundredths), rated);
        if (custom)
            app.settings().CustomMotorCurrent = rated;
        else
            QCOMPARE(app.AddMotorRecord(motor), MotorStore::AddResult::Added);
        app.settings().RunCurrent = 10.0;
        app.selectModel(row);
        const QByteArray image = DownloadString(app.settings(), app.databaseMotor());
        const int sent = static_cast<quint8>(image.at(12)) * 256 + static_cast<quint8>(image.at(13));
        // 1.5 x rated, or the drive's maximum, in whole hundredths.
        const int limit = std::min(3 * hundredths / 2, row < 3 ? 600 : 320);
        // 2 x sent <= 3 x rated, in hundredths: no rounding in the test.
        if (2 * sent > 3 * hundredths)
            above << QStringLiteral("%1 A sends %2").arg(rated).arg(sent);
        QVERIFY2(sent >= limit - 1 && sent <= limit, qPrintable(QStringLiteral("%1 A: %2 of %3").arg(rated).arg(sent).arg(limit)));
    }
    QVERIFY2(above.isEmpty(), qPrintable(above.join(QStringLiteral(", "))));
}

void TestSettingsModel::idleCurrentLimit_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("95") << 95 << 90;
    QTest::newRow("91") << 91 << 90;
    QTest::newRow("90") << 90 << 90;
    QTest::newRow("0") << 0 << 0;
}

void TestSettingsModel::idleCurrentLimit()
{
    QFETCH(int, before);
    QFETCH(int, after);
    ScriptedPrompt prompt;
    Configurator app(prompt);
    app.settings().IdleCurrentPct = before;
    app.selectModel(2);
    QCOMPARE(app.settings().IdleCurrentPct, after);
}

void TestSettingsModel::motionDescription_data()
{
    QTest::addColumn<int>("operatingMode");
    QTest::addColumn<int>("controlMode");
    QTest::addColumn<int>("pulseType");
    QTest::addColumn<QString>("caption");  // shown after "TMX Mode" was
    QTest::newRow("Ky") << 1 << 21 << 0 << "Ky Program";
    QTest::newRow("TMX") << 2 << 7 << 0 << "TMX Mode";
    QTest::newRow("velocity") << 3 << 11 << 2 << "Velocity Mode";
    QTest::newRow("quadrature") << 3 << 7 << 2 << "Quadrature Following";
    QTest::newRow("pulse and direction") << 3 << 7 << 0 << "Pulse && Direction";
    QTest::newRow("CW/CCW") << 3 << 7 << 1 << "CW/CCW Pulse";
    QTest::newRow("stand-alone, code 21: as it was") << 3 << 21 << 0 << "TMX Mode";
    QTest::newRow("stand-alone, code 16: as it was") << 3 << 16 << 0 << "TMX Mode";
    QTest::newRow("hub") << 4 << 7 << 0 << "Orvane Hub";
    QTest::newRow("J") << 7 << 7 << 0 << "J Program";
    QTest::newRow("5: empty") << 5 << 7 << 0 << "";
    QTest::newRow("0: empty") << 0 << 7 << 0 << "";
}

void TestSettingsModel::motionDescription()
{
    QFETCH(int, operatingMode);
    QFETCH(int, controlMode);
    QFETCH(int, pulseType);
    QFETCH(QString, caption);
    ScriptedPrompt prompt;
    Configurator app(prompt);
    app.settings().OperatingMode = 2;
    app.ShowMotionDesc();
    app.settings().OperatingMode = operatingMode;
    app.settings().ControlMode = controlMode;
    app.settings().PulseType = pulseType;
    QSignalSpy shown(&app, &Configurator::motionDescChanged);
    app.ShowMotionDesc();
    QCOMPARE(app.motionDesc(), caption);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().first().toString(), caption);
}

void TestSettingsModel::extractUploadData()
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    Configurator app(prompt);
    QVERIFY(openEmptyDatabase(app, dir));
    // The motor selected before has another rotor: the inertia must come
    // from the drive's motor, added and selected first.
    MotorRecord before = SampleMotor("KV17-A", 1.0);
    before.inertia = 100;
    QCOMPARE(app.motors().AddMotorRecord(before), MotorStore::AddResult::Added);
    app.selectModel(1);

    // A drive configured for a 4 A database motor at 5 A, velocity mode.
    Settings drive;
    drive.OperatingMode = 3;
    drive.ControlMode = 11;
    drive.VelAnalog = true;
    drive.RunCurrent = 5.0;
    drive.IdleCurrentPct = 60;
    drive.InertiaRatio = 3.0;
    QByteArray image = DownloadString(drive, SampleMotor("KV23-NEW", 4.0));
    AddChecksum(image);

    ExtractUploadData(app, image);
    QCOMPARE(app.motors().partNumbers(), QStringList({"KV17-A", "KV23-NEW"}));
    QCOMPARE(app.databaseMotor().partNumber, QStringLiteral("KV23-NEW"));
    QCOMPARE(float(app.settings().RunCurrent), 5.0f);  // 1.5 x 4 A = 6 A allows it
    QCOMPARE(app.settings().IdleCurrentPct, 60);
    QVERIFY2(std::fabs(app.settings().InertiaRatio - 3.0) < 0.05, qPrintable(QString::number(app.settings().InertiaRatio)));
    QCOMPARE(app.motionDesc(), QStringLiteral("Velocity Mode"));

    // The same image again adds nothing; on a 220 V model the current is held.
    app.selectModel(4);
    ExtractUploadData(app, image);
    QCOMPARE(app.motors().partNumbers().size(), 2);
    QCOMPARE(float(app.settings().RunCurrent), 3.2f);

    // No load at all, as a value and as a ratio: none comes back, not a
    // negative load.
    drive.InertiaAsRatio = false;
    drive.LoadInertia = 0;
    image = DownloadString(drive, SampleMotor("KV23-NEW", 4.0));
    AddChecksum(image);
    ExtractUploadData(app, image);
    QVERIFY(!app.settings().InertiaAsRatio);
    QCOMPARE(app.settings().LoadInertia, 0.0);
    image[76] = 0;  // anti-resonance frequency 0
    image[77] = 0;
    image[7] = static_cast<char>(image[7] | 128);  // as a ratio
    AddChecksum(image);
    ExtractUploadData(app, image);
    QVERIFY(app.settings().InertiaAsRatio);
    QCOMPARE(app.settings().InertiaRatio, 0.0);
}

void TestSettingsModel::extractUploadDataWithoutDatabase()
{
    ScriptedPrompt prompt;
    Configurator app(prompt);  // no database: the drive's motor cannot be added
    app.selectModel(1);
    Settings drive;
    drive.InertiaRatio = 3.0;
    QByteArray image = DownloadString(drive, SampleMotor("KV23-NEW", 4.0));
    AddChecksum(image);
    ExtractUploadData(app, image);
    QVERIFY(!app.motors().hasCurrent());
    QVERIFY2(std::fabs(app.settings().InertiaRatio - 3.0) < 0.05, qPrintable(QString::number(app.settings().InertiaRatio)));
    QVERIFY(prompt.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestSettingsModel)
#include "tst_settingsmodel.moc"
