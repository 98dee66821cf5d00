#include "ConfigFile.h"
#include "ConfigSamples.h"
#include "ConfiguratorFixture.h"
#include "MotorFields.h"
#include "NumberText.h"
#include "RandomSettings.h"
#include "SettingsFields.h"

#include <QLocale>
#include <QTest>
#include <cmath>

using namespace ConfigSamples;

namespace {

// The index-th item of a written line of a file, as written.
QByteArray ItemOf(const QByteArray& file, int line, int index)
{
    QByteArray l = file.split('\n').value(line - 1);
    if (l.endsWith('\r'))
        l.chop(1);
    return l.split(',').value(index);
}

// Settings that differ from the defaults wherever an older file keeps them.
Settings CurrentSettings()
{
    Settings s;
    s.CustomLeadAngleRps = 77;
    s.CustomLeadAngleDeg = 222;
    s.CustomMotorMaxVolts = 55.0;
    s.PowerUpMode = 13;
    s.DriveWord78 = 1234;
    return s;
}

}  // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void numberText_data();
    void numberText();
    void readNumber_data();
    void readNumber();
    void parseVersion_data();
    void parseVersion();

    void writesDefaultConfiguration();
    void unusualConfigurationRoundTrips();
    void randomConfigurationsRoundTrip();
    void lineBreaksInTextsBecomeBlanks();
    void writesTheSameWhateverTheLocale();
    void printZonesOfLineTen();

    void uploadedEdgesOpenAsSaved_data();
    void uploadedEdgesOpenAsSaved();
    void versionGates_data();
    void versionGates();
    void valuesAreBroughtIntoRange_data();
    void valuesAreBroughtIntoRange();
    void badFilesAreRefused_data();
    void badFilesAreRefused();
    void acceptsWhatOlderWritersProduced_data();
    void acceptsWhatOlderWritersProduced();
};

void TestConfigFile::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("general");
    QTest::addColumn<QString>("printed");
    QTest::newRow("whole") << 50.0 << false << "50" << " 50 ";
    QTest::newRow("fraction") << 0.3125 << false << "0.3125" << " 0.3125 ";
    QTest::newRow("negative") << -2.5 << false << "-2.5" << "-2.5 ";
    QTest::newRow("small") << 1.65e-5 << false << "1.65E-05" << " 1.65E-05 ";
    QTest::newRow("smallest plain") << 0.0001 << false << "0.0001" << " 0.0001 ";
    QTest::newRow("large") << 1e15 << false << "1E+15" << " 1E+15 ";
    QTest::newRow("largest plain") << 999999999999999.0 << false << "999999999999999" << " 999999999999999 ";
    QTest::newRow("15 digits") << 16000.0 / 170.0 << false << "94.1176470588235" << " 94.1176470588235 ";
    QTest::newRow("negative zero") << -0.0 << false << "0" << " 0 ";
    QTest::newRow("single") << double(12.34567f) << true << "12.34567" << "";
    QTest::newRow("single tenth") << double(0.1f) << true << "0.1" << "";
    QTest::newRow("single large") << double(123456789.0f) << true << "1.234568E+08" << "";
}

void TestConfigFile::numberText()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, general);
    QFETCH(QString, printed);
    if (single) {
        QCOMPARE(GeneralSingle(static_cast<float>(value)), general);
        return;
    }
    QCOMPARE(GeneralNumber(value), general);
    QCOMPARE(PrintedNumber(value), printed);
    double back = 0.0;
    QVERIFY(ReadGeneralNumber(general, &back));
    QCOMPARE(back, value);
}

void TestConfigFile::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("no leading zero") << ".3125" << true << 0.3125;
    QTest::newRow("negative fraction") << "-.5" << true << -0.5;
    QTest::newRow("exponent") << "1.65E-05" << true << 1.65e-5;
    QTest::newRow("small e") << "2e3" << true << 2000.0;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
    QTest::newRow("bare exponent") << "1e" << false << 0.0;
    QTest::newRow("decimal comma") << "1,5" << false << 0.0;
    QTest::newRow("boolean") << "#TRUE#" << false << 0.0;
    QTest::newRow("beyond double") << "1e999" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("plus sign") << "+1" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("NUL") << QString(QStringLiteral("1") + QChar(0)) << false << 0.0;
}

void TestConfigFile::readNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double x = -1.0;
    QCOMPARE(ReadGeneralNumber(text, &x), ok);
    if (ok)
        QCOMPARE(x, value);
}

void TestConfigFile::parseVersion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<bool>("hasPowerUpMode");  // 0.0.20 or later
    QTest::newRow("three parts") << "0.0.43" << true << 0 << 0 << 43 << true;
    QTest::newRow("before a gate") << "0.0.19" << true << 0 << 0 << 19 << false;
    QTest::newRow("at a gate") << "0.0.20" << true << 0 << 0 << 20 << true;
    QTest::newRow("major only") << "1" << true << 1 << 0 << 0 << true;
    QTest::newRow("no revision") << "1.0" << true << 1 << 0 << 0 << true;
    QTest::newRow("minor counts") << "0.1" << true << 0 << 1 << 0 << true;
    QTest::newRow("rounded half to even") << "0.0.18.5" << true << 0 << 0 << 18 << false;
    QTest::newRow("blanks") << " 1 . 2 " << true << 1 << 2 << 0 << true;
    QTest::newRow("not a number") << "x.1" << false << 0 << 0 << 0 << false;
    QTest::newRow("empty part") << "1..2" << false << 0 << 0 << 0 << false;
    QTest::newRow("empty") << "" << false << 0 << 0 << 0 << false;
    QTest::newRow("beyond 16 bits") << "70000" << false << 0 << 0 << 0 << false;
}

void TestConfigFile::parseVersion()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    FileVersion v;
    QString error;
    QCOMPARE(ParseVersion(text, &v, &error), ok);
    if (!ok) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(bool, hasPowerUpMode);
    QCOMPARE(v.major, major);
    QCOMPARE(v.minor, minor);
    QCOMPARE(v.revision, revision);
    QCOMPARE(v.atLeast0_0(20), hasPowerUpMode);
}

void TestConfigFile::writesDefaultConfiguration()
{
    QCOMPARE(WriteConfigFile(DefaultContent()), Fixture(QStringLiteral("default.cnf")));
}

void TestConfigFile::unusualConfigurationRoundTrips()
{
    const QByteArray golden = Fixture(QStringLiteral("unusual.cnf"));
    QCOMPARE(WriteConfigFile(UnusualContent()), golden);

    const ConfigFileReadResult r = ReadConfigFile(golden, CurrentSettings());
    QVERIFY2(r.ok, qPrintable(r.error));
    // Written again, it is the same file: every item read back to its value.
    QCOMPARE(WriteConfigFile(r.content), golden);

    const ConfigFileContent expected = UnusualContent();
    const Settings& s = r.content.settings;
    QCOMPARE(r.content.modelRow, expected.modelRow);
    QCOMPARE(r.content.commRow, expected.commRow);
    QCOMPARE(s.CustomMotorName, expected.settings.CustomMotorName);
    QCOMPARE(s.Rs485Address, QStringLiteral("\""));
    QCOMPARE(r.content.motor.partNumber, expected.motor.partNumber);
    QCOMPARE(s.LoadInertia, 1.65e-5);
    QCOMPARE(s.UploadLeadAngleRps, 12.34567f);
    QCOMPARE(s.AnalogScale, -2.5);
    QCOMPARE(s.DriveWord56, -1200);
    QCOMPARE(s.OperatingMode, 2);
    QCOMPARE(s.ProtocolFlags, 54);
    QVERIFY(s.QuadDirBLeadsA);
    QCOMPARE(r.content.motor.R, 1.5);
    // The drive words that only pass through upload and download stay.
    QCOMPARE(s.DriveWord78, 1234);
}

void TestConfigFile::randomConfigurationsRoundTrip()
{
    // Numbers are written with 15 significant digits (7 for a single), so
    // they come back within that precision; everything else exactly.
    const FieldTolerance filePrecision = [](const SettingsField& f, double value) {
        if (f.isInteger() || f.isText())
            return 0.0;
        const bool single = std::holds_alternative<float Settings::*>(f.member);
        return std::fabs(value) * (single ? 1e-6 : 1e-14);
    };
    QRandomGenerator rng(4711);
    for (int round = 0; round < 300; ++round) {
        ConfigFileContent c;
        c.version = QStringLiteral("1.0");
        c.settings = RandomSettings(rng);
        c.motor = RandomMotor(rng);
        c.modelRow = static_cast<std::int16_t>(rng.bounded(6));
        c.commRow = static_cast<std::int16_t>(rng.bounded(8));
        const ConfigFileReadResult r = ReadConfigFile(WriteConfigFile(c), Settings());
        QVERIFY2(r.ok, qPrintable(r.error));
        // The drive words the file does not hold are taken from the current settings.
        Settings expected = c.settings;
        expected.ProtocolFlags &= 55;  // the only bits the drive knows
        const Settings defaults;
        expected.DriveWord78 = defaults.DriveWord78;
        expected.DriveWord80 = defaults.DriveWord80;
        expected.DriveWord82 = defaults.DriveWord82;
        expected.DriveWord84 = defaults.DriveWord84;
        expected.DriveWord86 = defaults.DriveWord86;
        const QStringList differing = DifferingFields(expected, r.content.settings, filePrecision);
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join(QLatin1Char('\n'))));
        QCOMPARE(r.content.modelRow, c.modelRow);
        QCOMPARE(r.content.commRow, c.commRow);
        QCOMPARE(r.content.motor.partNumber, c.motor.partNumber);
        QCOMPARE(r.content.motor.harmonicPhase, c.motor.harmonicPhase);
        QCOMPARE(r.content.motor.leadangleRps, c.motor.leadangleRps);
        QVERIFY(std::fabs(r.content.motor.current - c.motor.current) <= 1e-14 * std::fabs(c.motor.current));
    }
}

void TestConfigFile::lineBreaksInTextsBecomeBlanks()
{
    ConfigFileContent c = DefaultContent();
    c.settings.CustomMotorName = QStringLiteral("two\r\nlines");
    const ConfigFileReadResult r = ReadConfigFile(WriteConfigFile(c), Settings());
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.content.settings.CustomMotorName, QStringLiteral("two  lines"));
}

void TestConfigFile::writesTheSameWhateverTheLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray written = WriteConfigFile(UnusualContent());
    const ConfigFileReadResult r = ReadConfigFile(written, Settings());
    QLocale::setDefault(before);
    QCOMPARE(written, Fixture(QStringLiteral("unusual.cnf")));
    QVERIFY(r.ok);
    QCOMPARE(r.content.settings.RegenResSecs, 0.3125);
}

void TestConfigFile::printZonesOfLineTen()
{
    ConfigFileContent c = DefaultContent();
    c.motor.partNumber = QStringLiteral("M-100");
    c.motor.current = 2.8;
    c.motor.Torque = -3.0;
    const QByteArray line = WriteConfigFile(c).split('\n').value(9);
    // The first number follows the part number's comma directly; every
    // further one starts on a 14-character zone boundary (1, 15, 29, ...).
    QVERIFY2(line.startsWith("\"M-100\", 2.8 "), line.constData());
    QCOMPARE(line.indexOf("-3 ") + 1, 15);
    QCOMPARE(line.mid(13, 1), QByteArray(" "));
    QVERIFY(line.endsWith("-6 \r"));
    // The next zone after a number that ends on a zone boundary is the
    // one right after it.
    c.motor.current = 2.85;
    const QByteArray full = WriteConfigFile(c).split('\n').value(9);
    QCOMPARE(full.indexOf("-3 ") + 1, 15);
}

void TestConfigFile::uploadedEdgesOpenAsSaved_data()
{
    // Bytes put into a drive image ("offset:hex ..."), the setting they
    // reach ("motor." for the database motor's record) and the value the
    // upload leaves in it: each end of what the image carries.
    QTest::addColumn<QString>("patch");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    // The smallest positive drive float, 2^-255, and the largest, 2^24 - 1.
    const double tinyRotorKgm2 = std::ldexp(1.0, -255) / 1e7;  // in g cm2
    const double largestTotalKgm2 = 50.0 * 16777215 / std::pow(6.2832, 2);  // N m, at 1 Hz
    const struct {
        const char* field;
        const char* low;
        double lowValue;
        const char* high;
        double highValue;
    } rows[] = {
        {"MaxTorquePct", "0:0000", 0, "0:ffff", 65535},
        {"NoiseFilterHz", "2:96", 100, "2:01", 15000},
        {"VelSpeed", "3:0000", 0, "3:ffff", 65535 / 240.0},
        {"StepFilterHz", "5:000a", 1, "5:ffff", 6554},
        {"LoadInertiaUnit", "7:00", 0, "7:1c", 3},
        {"RunCurrent", "12:0000", 0, "12:ffff", 1.5},  // lowered to 1.5 x the motor's 1 A
        {"IdleCurrentPct", "14:0000", 0, "14:ffff", 90},
        {"VelSpeed2", "16:0000", 0, "16:ffff", 65535 / 240.0},
        {"MaxAccel", "18:0000", 0, "18:ffff", 65535 / 6.0},
        {"EncoderCounts", "22:0000", 0, "22:ffff", 65535},
        {"UploadLeadAngleRps", "24:0000", 0, "24:ffff", 65535 / 240.0},
        {"UploadLeadAngleDeg", "26:0000", 0, "26:ffff", 65535},
        {"HardStopTimeMs", "28:0000", 0, "28:ffff", 65535},
        {"AnalogScale", "30:8000", -32768 / 240.0, "30:7fff", 32767 / 240.0},
        {"AnalogOffset", "32:8000", -16384, "32:7fff", 16384},
        {"VelAccel", "34:0000", 0, "34:ffff", 65535 / 6.0},
        {"VelDecel", "36:0000", 0, "36:ffff", 65535 / 6.0},
        {"AnalogRange", "38:00", 0, "38:7f", 3},
        {"AnalogDeadband", "39:00", 0, "39:ff", 255},
        {"BrakeReleaseDelay", "40:0000", 0, "40:ffff", 65535},
        {"BrakeEngageDelay", "42:0000", 0, "42:ffff", 65535},
        {"ControlMode", "44:00", 0, "44:ff", 255},
        {"OperatingMode", "45:00", 0, "45:ff", 255},
        {"PulseType", "46:00", 0, "46:03", 2},
        {"StepsPerRev", "47:0000", 0, "47:ffff", 65535},
        {"EnableInputMode", "50:00", 1, "50:ff", 3},
        {"AlarmResetMode", "51:00", 1, "51:ff", 3},
        {"AlarmOutputMode", "52:00", 1, "52:ff", 3},
        {"BrakeOutputMode", "53:00", 1, "53:ff", 3},
        {"MotionOutputMode", "54:00", 1, "54:ff", 8},
        {"LimitMode", "55:00", 1, "55:ff", 3},
        {"DriveWord56", "56:8000", -32768, "56:7fff", 32767},
        {"AnalogFilterHz", "58:0000", 1, "58:ffff", 16000},
        {"TxDelay", "60:0000", 0, "60:ffff", 65535},
        {"ProtocolFlags", "62:0000", 0, "62:ffff", 55},
        {"BitRateCode", "64:0000", 1, "64:ffff", 5},
        {"RegenResWatts", "66:0000", 0, "66:ffff", 65535},
        {"RegenResOhms", "68:0000", 0, "68:ffff", 65535},
        {"RegenResSecs", "70:0000", 0, "70:ffff", 65535 / 4000.0},
        {"IdleDelay", "72:0000", 0, "72:ffff", 65535 * 0.001},
        {"CustomHarmonicGain", "88:0000", 0, "88:ffff", 65535},
        {"CustomHarmonicPhase", "90:8000", -32768, "90:7fff", 32767},
        {"CustomMotorCurrent", "92:0000", 0, "92:ffff", 655.35},
        {"CustomTorqueUnit", "94:00", 0, "94:ff", 4},
        {"CustomInertiaUnit", "95:00", 0, "95:ff", 3},
        {"CustomMotorTorque", "96:00000000", 0, "96:00ffffff", 16777215},
        {"CustomMotorInertia", "100:00000000", 0, "100:00ffffff", 16777215},
        {"CustomMotorMaxVolts", "104:0000", 0, "104:ffff", 6553.5},
        {"CustomLeadAngleRps", "106:0000", 0, "106:ffff", 273},
        {"CustomLeadAngleDeg", "108:0000", 0, "108:ffff", 65535},
        // Worked out from the anti-resonance frequency: the largest torque
        // at 1 Hz over no rotor at all, and over the smallest one.
        {"LoadInertia", "7:00 76:0000 123:01", 0, "7:00 76:0001 94:04 96:00ffffff 100:00000000 123:01",
         largestTotalKgm2},
        {"InertiaRatio", "7:80 76:0000 123:01", 0, "7:80 76:0001 94:04 95:01 96:00ffffff 100:ff000001 123:01",
         largestTotalKgm2 / tinyRotorKgm2 - 1},
        {"motor.harmonicGain", "124:0000", 0, "124:ffff", 65535},
        {"motor.harmonicPhase", "126:8000", -32768, "126:7fff", 32767},
        {"motor.current", "128:0000", 0, "128:ffff", 655.35},
        {"motor.TorqueUnit", "130:00", 0, "130:ff", 4},
        {"motor.InertiaUnit", "131:00", 0, "131:ff", 3},
        {"motor.Torque", "132:00000000", 0, "132:00ffffff", 16777215},
        {"motor.inertia", "136:00000000", 0, "136:00ffffff", 16777215},
        {"motor.PWMmaxPct", "140:0000", 0, "140:ffff", 6553.5},
        {"motor.leadangleRps", "142:0000", 0, "142:ffff", 273},
        {"motor.leadangleDeg", "144:0000", 0, "144:ffff", 65535},
    };
    for (const auto& row : rows) {
        QTest::addRow("%s low", row.field) << row.low << row.field << row.lowValue;
        QTest::addRow("%s high", row.field) << row.high << row.field << row.highValue;
    }
}

// Whatever an upload leaves in a setting, a file saved then keeps: opened
// again, it gives the same settings (numbers to the 15 digits a file
// writes) and the same image to download.
void TestConfigFile::uploadedEdgesOpenAsSaved()
{
    QFETCH(QString, patch);
    QFETCH(QString, field);
    QFETCH(double, value);
    ConfiguratorFixture f;
    Configurator& c = f.configurator;
    QByteArray image = f.downloadImage();
    // The drive's motor is new to the database, so its record is the image's.
    image.replace(146, 13, QByteArray("EDGE-MOTOR   "));
    for (const QString& p : patch.split(QLatin1Char(' '))) {
        const QStringList at = p.split(QLatin1Char(':'));
        const QByteArray bytes = QByteArray::fromHex(at.at(1).toLatin1());
        image.replace(at.at(0).toInt(), bytes.size(), bytes);
    }
    f.upload(image);
    const SettingsField* setting = FindSettingsField(field);
    const double held = field.startsWith(QLatin1String("motor."))
                            ? MotorFieldNumber(c.databaseMotor(), field.mid(6))
                            : FieldNumber(c.settings(), *setting);
    QVERIFY2(std::fabs(held - value) <= 1e-12 * std::fabs(value), qPrintable(QString::number(held, 'g', 17)));

    const Settings uploaded = c.settings();
    const MotorRecord motor = c.databaseMotor();
    const QByteArray sent = f.downloadImage();
    const ConfigFileReadResult read = f.saveAndOpen();
    QVERIFY2(read.ok, qPrintable(read.error));
    const QStringList changed = DifferingFields(uploaded, c.settings(), TextNumberTolerance);
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QStringLiteral("; "))));
    const QStringList motorChanged = DifferingMotorFields(motor, read.content.motor, 1e-14);
    QVERIFY2(motorChanged.isEmpty(), qPrintable(motorChanged.join(QStringLiteral("; "))));
    QCOMPARE(f.downloadImage().toHex(), sent.toHex());
}

void TestConfigFile::versionGates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("leadRps");
    QTest::addColumn<int>("leadDeg");
    QTest::addColumn<double>("maxVolts");
    QTest::addColumn<int>("motorLeadRps");
    QTest::addColumn<int>("motorLeadDeg");
    QTest::addColumn<double>("motorPwm");
    QTest::addColumn<int>("powerUpMode");
    // The current settings hold 77, 222, 55 and 13 where an older file keeps them.
    QTest::newRow("0.0.19") << "version-0.0.19.cnf" << 77 << 222 << 100.0 << 0 << 0 << 100.0 << 13;
    QTest::newRow("0.0.20") << "version-0.0.20.cnf" << 77 << 222 << 100.0 << 0 << 0 << 100.0 << 12;
    QTest::newRow("0.0.23") << "version-0.0.23.cnf" << 30 << 90 << 100.0 << 20 << 100 << 100.0 << 12;
    QTest::newRow("0.0.38") << "version-0.0.38.cnf" << 30 << 90 << 80.0 << 20 << 100 << 90.0 << 12;
    QTest::newRow("1") << "version-1.cnf" << 30 << 90 << 80.0 << 20 << 100 << 90.0 << 12;
    QTest::newRow("1.0") << "version-1.0.cnf" << 30 << 90 << 80.0 << 20 << 100 << 90.0 << 12;
}

void TestConfigFile::versionGates()
{
    QFETCH(QString, file);
    const ConfigFileReadResult r = ReadConfigFile(Fixture(file), CurrentSettings());
    QVERIFY2(r.ok, qPrintable(r.error));
    const Settings& s = r.content.settings;
    const MotorRecord& m = r.content.motor;
    QTEST(s.CustomLeadAngleRps, "leadRps");
    QTEST(s.CustomLeadAngleDeg, "leadDeg");
    QTEST(s.CustomMotorMaxVolts, "maxVolts");
    QTEST(m.leadangleRps, "motorLeadRps");
    QTEST(m.leadangleDeg, "motorLeadDeg");
    QTEST(m.PWMmaxPct, "motorPwm");
    QTEST(s.PowerUpMode, "powerUpMode");
    // The items after the gated ones are read from their own places.
    QCOMPARE(m.partNumber, QStringLiteral("KM-23-200"));
    QCOMPARE(m.L, 2.5);
    QCOMPARE(s.Rs485Address, QStringLiteral("!"));
    QCOMPARE(s.ProtocolFlags, 1);
}

void TestConfigFile::valuesAreBroughtIntoRange_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("readAs");
    QTest::newRow("step filter 0") << 19 << 5 << QByteArray("0") << QByteArray("1");
    QTest::newRow("noise filter 50") << 21 << 6 << QByteArray("50") << QByteArray("2000");
    QTest::newRow("noise filter 99") << 21 << 6 << QByteArray("99") << QByteArray("2000");
    QTest::newRow("noise filter 100") << 21 << 6 << QByteArray("100") << QByteArray("100");
    QTest::newRow("noise filter 15000") << 21 << 6 << QByteArray("15000") << QByteArray("15000");
    QTest::newRow("noise filter 20000") << 21 << 6 << QByteArray("20000") << QByteArray("15000");
    // The file's two rules apply after a value is held in range.
    QTest::newRow("step filter below 0") << 19 << 5 << QByteArray("-5") << QByteArray("1");
    QTest::newRow("noise filter below 0") << 21 << 6 << QByteArray("-3") << QByteArray("2000");
    QTest::newRow("analog filter 0") << 23 << 0 << QByteArray("0") << QByteArray("1");
    // Codes a drive can hold stay as the upload kept them; beyond a byte
    // they are held at its ends.
    QTest::newRow("operating mode 9, as written") << 19 << 1 << QByteArray("9") << QByteArray("9");
    QTest::newRow("operating mode 300") << 19 << 1 << QByteArray("300") << QByteArray("255");
    QTest::newRow("control mode 99, as written") << 19 << 0 << QByteArray("99") << QByteArray("99");
    QTest::newRow("control mode -1") << 19 << 0 << QByteArray("-1") << QByteArray("0");
    QTest::newRow("power-up mode 9") << 25 << 4 << QByteArray("9") << QByteArray("21");
    QTest::newRow("pulse type 5") << 19 << 2 << QByteArray("5") << QByteArray("2");
    QTest::newRow("enable input 0") << 21 << 0 << QByteArray("0") << QByteArray("1");
    QTest::newRow("motion output 12") << 21 << 4 << QByteArray("12") << QByteArray("8");
    QTest::newRow("analog range 7") << 22 << 0 << QByteArray("7") << QByteArray("3");
    QTest::newRow("inertia unit -1") << 14 << 1 << QByteArray("-1") << QByteArray("0");
    QTest::newRow("torque unit 9") << 6 << 3 << QByteArray("9") << QByteArray("4");
    QTest::newRow("bit rate 0") << 25 << 2 << QByteArray("0") << QByteArray("1");
    QTest::newRow("unknown protocol bits") << 25 << 3 << QByteArray("255") << QByteArray("55");
    QTest::newRow("empty address") << 25 << 0 << QByteArray("\"\"") << QByteArray("\"!\"");
    QTest::newRow("long address") << 25 << 0 << QByteArray("\"AB\"") << QByteArray("\"A\"");
    QTest::newRow("control character address") << 25 << 0 << QByteArray("\"\x07\"") << QByteArray("\"!\"");
    // Numbers beyond what any dialog admits and any image carries: held at
    // the end of what the image carries (or the dialog admits, when more).
    QTest::newRow("huge speed") << 3 << 0 << QByteArray("1E+300") << QByteArray("273.0625");
    QTest::newRow("negative acceleration") << 3 << 2 << QByteArray("-1") << QByteArray("0");
    QTest::newRow("running current 7 A") << 4 << 0 << QByteArray("7") << QByteArray("6");
    QTest::newRow("idle delay 100 s") << 4 << 2 << QByteArray("100") << QByteArray("65.535");
    QTest::newRow("inertia ratio below 0") << 14 << 3 << QByteArray("-1") << QByteArray("0");
    QTest::newRow("inertia ratio beyond any upload") << 14 << 3 << QByteArray("1E+200") << QByteArray("1E+100");
    QTest::newRow("torque utilisation 70000") << 16 << 3 << QByteArray("70000") << QByteArray("65535");
    QTest::newRow("steps per rev 70000") << 19 << 4 << QByteArray("70000") << QByteArray("65535");
    QTest::newRow("step filter 10000, as older files hold") << 19 << 5 << QByteArray("10000") << QByteArray("10000");
    QTest::newRow("step filter 20000") << 19 << 5 << QByteArray("20000") << QByteArray("10000");
    QTest::newRow("analog offset -20000") << 23 << 3 << QByteArray("-20000") << QByteArray("-16384");
    QTest::newRow("regen duration 20 s") << 24 << 2 << QByteArray("20") << QByteArray("16.38375");
    QTest::newRow("winding resistance 0") << 7 << 0 << QByteArray("0") << QByteArray("0.1");
    QTest::newRow("motor PWM 9999 %") << 13 << 0 << QByteArray(" 9999 ") << QByteArray(" 6553.5 ");
    QTest::newRow("motor lead angle speed 300") << 12 << 0 << QByteArray(" 300 120 ")
                                                << QByteArray(" 273" + QByteArray(10, ' ') + " 120 ");
    QTest::newRow("idle current 95, as written") << 4 << 1 << QByteArray("95") << QByteArray("95");
    QTest::newRow("idle current above the running current") << 4 << 1 << QByteArray("120") << QByteArray("100");
    QTest::newRow("integer rounded half down to even") << 4 << 1 << QByteArray("50.5") << QByteArray("50");
    QTest::newRow("integer rounded half up to even") << 4 << 1 << QByteArray("51.5") << QByteArray("52");
    QTest::newRow("port row none") << 20 << 0 << QByteArray("-1") << QByteArray("-1");
}

void TestConfigFile::valuesAreBroughtIntoRange()
{
    QFETCH(int, line);
    QFETCH(int, index);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, readAs);
    const QByteArray file = WithItem(Fixture(QStringLiteral("default.cnf")), line, index, text);
    const ConfigFileReadResult r = ReadConfigFile(file, Settings());
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(ItemOf(WriteConfigFile(r.content), line, index), readAs);
}

void TestConfigFile::badFilesAreRefused_data()
{
    const QByteArray good = Fixture(QStringLiteral("default.cnf"));
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    const qsizetype afterLine15 = good.indexOf("#FALSE#,#FALSE#,4000");
    QTest::newRow("ends after line 15") << good.left(afterLine15) << "line 16";
    QTest::newRow("empty") << QByteArray() << "line 1";
    QTest::newRow("boolean for a number") << WithItem(good, 16, 2, "#TRUE#") << "line 16";
    QTest::newRow("number for a boolean") << WithItem(good, 16, 0, "1") << "line 16";
    QTest::newRow("text for a number") << WithItem(good, 4, 0, "\"1.4\"") << "line 4";
    QTest::newRow("model row 6") << WithItem(good, 2, 0, "6") << "drive model";
    QTest::newRow("model row -1") << WithItem(good, 2, 0, "-1") << "drive model";
    QTest::newRow("port row 8") << WithItem(good, 20, 0, "8") << "port";
    QTest::newRow("version not a number") << WithItem(good, 1, 0, "x.1") << "version";
    QTest::newRow("quote never closed") << WithItem(good, 6, 0, "\"custom motor") << "line 6";
    QTest::newRow("beyond a double") << WithItem(good, 3, 0, "1e999") << "line 3";
    QTest::newRow("beyond 32 bits") << WithItem(good, 16, 2, "3000000000") << "line 16";
    QTest::newRow("beyond 16 bits") << WithItem(good, 14, 1, "40000") << "line 14";
    QTest::newRow("beyond a single") << WithItem(good, 17, 4, "1E+39") << "line 17";
    QTest::newRow("NUL in a number") << WithItem(good, 18, 0, QByteArray("20\0" "0", 4)) << "line 18";
}

void TestConfigFile::badFilesAreRefused()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    const ConfigFileReadResult r = ReadConfigFile(file, Settings());
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains(reason), qPrintable(r.error));
}

void TestConfigFile::acceptsWhatOlderWritersProduced_data()
{
    const QByteArray good = Fixture(QStringLiteral("default.cnf"));
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("idleDelay");
    QTest::addColumn<QString>("address");
    QTest::newRow("as written") << good << "custom motor" << 0.4 << "!";
    QTest::newRow("no leading zero") << WithItem(good, 4, 2, ".4") << "custom motor" << 0.4 << "!";
    QTest::newRow("blanks around items") << WithItem(good, 4, 2, "  0.4  ") << "custom motor" << 0.4 << "!";
    QTest::newRow("LF line ends") << QByteArray(good).replace("\r\n", "\n") << "custom motor" << 0.4 << "!";
    // An old writer left a quote inside a text as it was: the text ends at
    // that quote and the rest of the item is skipped.
    QTest::newRow("raw quote in a text") << WithItem(good, 6, 0, "\"5\" motor\"") << "5" << 0.4 << "!";
    // Read as doubled quotes these never close; they are what the old
    // writer made of a quote address and of a name ending in a quote.
    QTest::newRow("raw quote address") << WithItem(good, 25, 0, "\"\"\"") << "custom motor" << 0.4 << "\"";
    QTest::newRow("raw quote ending a name") << WithItem(good, 6, 0, "\"5\"\"") << "5\"" << 0.4 << "!";
    QTest::newRow("raw quote after a comma") << WithItem(good, 6, 0, "\"a,b\"\"") << "a,b" << 0.4 << "!";
    QTest::newRow("unquoted text") << WithItem(good, 6, 0, "my motor") << "my motor" << 0.4 << "!";
    // Not UTF-8: read as one byte a character.
    QTest::newRow("one-byte code page") << WithItem(good, 6, 0, "\"Mot\xf6r\"") << "Mot\u00f6r" << 0.4 << "!";
    QTest::newRow("control characters") << WithItem(good, 6, 0, QByteArray("\"a\tb\0c \"", 8)) << "abc " << 0.4 << "!";
    QTest::newRow("no character left") << WithItem(good, 6, 0, "\"\x01\"") << "" << 0.4 << "!";
}

void TestConfigFile::acceptsWhatOlderWritersProduced()
{
    QFETCH(QByteArray, file);
    const ConfigFileReadResult r = ReadConfigFile(file, Settings());
    QVERIFY2(r.ok, qPrintable(r.error));
    QTEST(r.content.settings.CustomMotorName, "name");
    QTEST(r.content.settings.IdleDelay, "idleDelay");
    QTEST(r.content.settings.Rs485Address, "address");
    // Every item after the text was read from its own place.
    QCOMPARE(r.content.settings.CustomMotorCurrent, 2.0);
    QCOMPARE(r.content.settings.PowerUpMode, 21);
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
