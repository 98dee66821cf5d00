#include "DriveImage.h"
#include "ImageWord.h"
#include "MotorFields.h"
#include "RandomSettings.h"
#include "SampleMotor.h"
#include "SettingRanges.h"
#include "SettingsFields.h"
#include "Units.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {

Settings defaults()
{
    Settings s;
    InitVars(s);
    return s;
}

QByteArray encode(Settings s, const MotorRecord& db = {})
{
    QByteArray image = DownloadString(s, db);
    AddChecksum(image);
    return image;
}

QByteArray patched(QByteArray image, int offset, const QByteArray& bytes)
{
    image.replace(offset, bytes.size(), bytes);
    return image;
}

// The settings of an image decoded over a default configuration.
Settings decoded(const QByteArray& image, DecodedImage* extra = nullptr)
{
    Settings s = defaults();
    const DecodedImage d = DecodeImage(image, s);
    if (extra)
        *extra = d;
    return s;
}

// The motor and inertia of the anti-resonance examples: the default custom
// motor (118 oz in, 300 g cm2) in use.
Settings customMotorInUse()
{
    Settings s = defaults();
    s.UseCustomMotor = true;
    return s;
}

constexpr double Inf = std::numeric_limits<double>::infinity();

}  // namespace

class TestDriveImage : public QObject {
    Q_OBJECT
private slots:
    void mapCoversTheImage();
    void defaultImage_data();
    void defaultImage();
    void checksum();
    void velocityCodes_data();
    void velocityCodes();
    void controlCodeInOtherModes_data();
    void controlCodeInOtherModes();
    void hubModeForcesTheIoBytes();
    void stallPreventionOffInStepPositioningImage();
    void antiResonance();
    void arFrequencyBounds();
    void fieldBytesAndBack_data();
    void fieldBytesAndBack();
    void uploadClamps_data();
    void uploadClamps();
    void regenResistor_data();
    void regenResistor();
    void leadAnglesComeBackAsSent();
    void databaseMotorTravels();
    void namesAreCutToThePlainImageText_data();
    void namesAreCutToThePlainImageText();
    void randomConfigurationsRoundTrip();
    void hostileImagesDecodeIntoRange();
};

void TestDriveImage::mapCoversTheImage()
{
    QVERIFY(ImageMapIsContiguous());
    QCOMPARE(DownloadString(*std::make_unique<Settings>(), {}).size(), DriveImageSize);
}

void TestDriveImage::defaultImage_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("noise filter 1000 Hz") << 2 << QByteArray("0f");
    QTest::newRow("speed 10 rev/s") << 3 << QByteArray("0960");
    QTest::newRow("step filter 1000 Hz") << 5 << QByteArray("2710");
    QTest::newRow("flags") << 7 << QByteArray("87");
    QTest::newRow("running current 1.4 A") << 12 << QByteArray("008c");
    QTest::newRow("idle 50 % of 1.4 A") << 14 << QByteArray("0046");
    QTest::newRow("max accel") << 18 << QByteArray("4650");
    QTest::newRow("analog scale") << 30 << QByteArray("0960");
    QTest::newRow("analog range, set") << 38 << QByteArray("01");
    QTest::newRow("control and operating mode") << 44 << QByteArray("0703");
    QTest::newRow("steps per rev") << 47 << QByteArray("61a8");
    QTest::newRow("address and I/O") << 49 << QByteArray("21030303030301");
    QTest::newRow("drive word 56") << 56 << QByteArray("1f40");
    QTest::newRow("analog filter 500 Hz") << 58 << QByteArray("3852");
    QTest::newRow("internal resistor") << 66 << QByteArray("0032002804e2");
    QTest::newRow("idle delay 0.4 s") << 72 << QByteArray("0190");
    QTest::newRow("AR gain") << 74 << QByteArray("2ee0");
    QTest::newRow("AR frequency without a motor") << 76 << QByteArray("00c8");
    QTest::newRow("drive words") << 78 << QByteArray("0271001e138800fa00fa");
    QTest::newRow("custom torque 118") << 96 << QByteArray("10760000");
    QTest::newRow("custom inertia 300") << 100 << QByteArray("0e4b0000");
    QTest::newRow("custom max volts") << 104 << QByteArray("03ad");
    QTest::newRow("custom lead angles") << 106 << QByteArray("17700078");
    QTest::newRow("custom name, padded") << 110 << QByteArray("637573746f6d206d6f746f7220");
    QTest::newRow("database motor not in use") << 123 << QByteArray("00");
}

void TestDriveImage::defaultImage()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, hex);
    const QByteArray image = encode(defaults());
    QCOMPARE(image.mid(offset, hex.size() / 2).toHex(), hex);
}

void TestDriveImage::checksum()
{
    QByteArray image(DriveImageSize, char(0xFF));
    QCOMPARE(ByteSum(image), 159 * 255);
    AddChecksum(image);
    QCOMPARE(image.right(2).toHex(), QByteArray("9e61"));
    QVERIFY(ChecksumGood(image));
    image[40] = char(0xFE);
    QVERIFY(!ChecksumGood(image));
    QVERIFY(ChecksumGood(encode(defaults())));
    QVERIFY(!ChecksumGood(QByteArray(1, '\0')));
}

void TestDriveImage::velocityCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("analog");
    QTest::addColumn<bool>("twoSpeeds");
    QTest::addColumn<bool>("runStop");
    QTest::newRow("11") << 11 << true << false << false;
    QTest::newRow("12") << 12 << true << false << true;
    QTest::newRow("13") << 13 << true << true << false;
    QTest::newRow("14") << 14 << true << true << true;
    QTest::newRow("15") << 15 << false << false << false;
    QTest::newRow("16") << 16 << false << false << true;
    QTest::newRow("17") << 17 << false << true << false;
    QTest::newRow("18") << 18 << false << true << true;
}

void TestDriveImage::velocityCodes()
{
    QFETCH(int, code);
    QFETCH(bool, analog);
    QFETCH(bool, twoSpeeds);
    QFETCH(bool, runStop);
    Settings s = defaults();
    s.OperatingMode = 3;
    s.ControlMode = 11;
    s.VelAnalog = analog;
    s.VelTwoSpeeds = twoSpeeds;
    s.VelRunStopInput = runStop;
    const QByteArray image = encode(s);
    QCOMPARE(int(image.at(44)), code);

    // Decoded over the opposite switches, so each one must really be set.
    Settings back = defaults();
    back.VelAnalog = !analog;
    back.VelTwoSpeeds = !twoSpeeds;
    back.VelRunStopInput = !runStop;
    DecodeImage(image, back);
    QCOMPARE(back.ControlMode, 11);
    QCOMPARE(back.VelAnalog, analog);
    QCOMPARE(back.VelTwoSpeeds, twoSpeeds);
    QCOMPARE(back.VelRunStopInput, runStop);
}

void TestDriveImage::controlCodeInOtherModes_data()
{
    QTest::addColumn<int>("operatingMode");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("powerUpMode");  // after decoding over the default 21
    QTest::newRow("TMX, velocity power-up code") << 2 << 16 << 16;
    QTest::newRow("J, velocity power-up code") << 7 << 12 << 12;
    QTest::newRow("TMX, step positioning") << 2 << 7 << 7;
    QTest::newRow("J, code 22") << 7 << 22 << 22;
    QTest::newRow("TMX, unknown code kept, list untouched") << 2 << 30 << 21;
    QTest::newRow("Ky program") << 1 << 21 << 21;
    QTest::newRow("hub") << 4 << 7 << 21;
    QTest::newRow("stand-alone step positioning") << 3 << 7 << 21;
}

void TestDriveImage::controlCodeInOtherModes()
{
    QFETCH(int, operatingMode);
    QFETCH(int, code);
    QFETCH(int, powerUpMode);
    QByteArray image = encode(defaults());
    image[44] = char(code);
    image[45] = char(operatingMode);
    const Settings s = decoded(image);
    QCOMPARE(s.OperatingMode, operatingMode);
    QCOMPARE(s.ControlMode, code);
    QCOMPARE(s.PowerUpMode, powerUpMode);
    QCOMPARE(s.VelRunStopInput, true);  // the switches belong to stand-alone velocity only
    QCOMPARE(s.VelAnalog, false);
    // Downloading it again sends the drive's own code back.
    QCOMPARE(int(encode(s).at(44)), code);
}

void TestDriveImage::hubModeForcesTheIoBytes()
{
    Settings s = defaults();
    s.OperatingMode = 4;
    s.EnableInputMode = 1;
    s.AlarmResetMode = 2;
    s.AlarmOutputMode = 1;
    s.BrakeOutputMode = 2;
    s.MotionOutputMode = 6;
    s.LimitMode = 2;
    QCOMPARE(encode(s).mid(50, 6).toHex(), QByteArray("030303030302"));
    s.OperatingMode = 3;
    QCOMPARE(encode(s).mid(50, 6).toHex(), QByteArray("010201020602"));
}

void TestDriveImage::stallPreventionOffInStepPositioningImage()
{
    Settings s = defaults();
    s.StallPrevent = true;
    s.StallDetect = true;
    s.EncoderSingleEnded = true;
    QByteArray image = DownloadString(s, {});
    QCOMPARE(ImageWord(image, 20), 1 | 1024);
    QCOMPARE(s.StallPrevent, true);  // what the user chose stays

    s.ControlMode = 11;
    image = DownloadString(s, {});
    QCOMPARE(ImageWord(image, 20), 1 | 2 | 1024);
    QCOMPARE(s.StallPrevent, true);
}

void TestDriveImage::antiResonance()
{
    Settings s = customMotorInUse();
    QCOMPARE(ARgain(), 12000);
    QCOMPARE(ARfreq(s, {}), 133);
    QCOMPARE(ImageWord(encode(s), 76), 133);
    Settings back = s;
    CalcLoadInertia(133, back, {});
    QVERIFY2(std::fabs(back.InertiaRatio - 0.9889) < 1e-4, qPrintable(QString::number(back.InertiaRatio)));

    s.InertiaAsRatio = false;
    s.LoadInertia = 0;
    QCOMPARE(ARfreq(s, {}), 188);
    back = s;
    CalcLoadInertia(188, back, {});
    QVERIFY2(std::fabs(back.LoadInertia - -1.4e-7) < 0.1e-7, qPrintable(QString::number(back.LoadInertia)));

    const double jrot = InertiaToKgm2(300, 1);
    back = s;
    CalcLoadInertia(0, back, {});
    QCOMPARE(back.LoadInertia, -jrot);
    back.InertiaAsRatio = true;
    CalcLoadInertia(0, back, {});
    QCOMPARE(back.InertiaRatio, -1.0);

    // The database motor when the custom one is not in use.
    const MotorRecord db = SampleMotor(QStringLiteral("KV"));
    Settings dbInUse = defaults();
    QCOMPARE(ARfreq(dbInUse, db), 133);
}

void TestDriveImage::arFrequencyBounds()
{
    Settings s = customMotorInUse();
    s.CustomMotorInertia = 0;
    QCOMPARE(ARfreq(s, {}), 200);  // no inertia at all
    s.InertiaAsRatio = false;
    s.LoadInertia = -1;
    QCOMPARE(ARfreq(s, {}), 200);  // below zero in total
    s.LoadInertia = 1e-12;
    s.CustomMotorTorque = 5000;
    s.CustomTorqueUnit = 4;
    QCOMPARE(ARfreq(s, {}), 65535);
    s.CustomMotorTorque = 0;
    QCOMPARE(ARfreq(s, {}), 1);
}

void TestDriveImage::fieldBytesAndBack_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<double>("back");
    QTest::newRow("analog 500 Hz") << "AnalogFilterHz" << 500.0 << 58 << QByteArray("3852") << 500.0;
    // 31515 reads as 16003 Hz, above the range: held at 16000.
    QTest::newRow("analog 16000 Hz") << "AnalogFilterHz" << 16000.0 << 58 << QByteArray("7b1b") << 16000.0;
    QTest::newRow("analog 1 Hz") << "AnalogFilterHz" << 1.0 << 58 << QByteArray("0033") << 1.0;
    QTest::newRow("noise 1000 Hz") << "NoiseFilterHz" << 1000.0 << 2 << QByteArray("0f") << 1000.0;
    QTest::newRow("noise 2143 Hz") << "NoiseFilterHz" << 2143.0 << 2 << QByteArray("07") << 2143.0;
    QTest::newRow("noise 100 Hz") << "NoiseFilterHz" << 100.0 << 2 << QByteArray("96") << 100.0;
    QTest::newRow("step 6553 Hz") << "StepFilterHz" << 6553.0 << 5 << QByteArray("fffa") << 6553.0;
    // Above 6553 Hz the field is full: held at FFFF, read back as 6554 Hz.
    QTest::newRow("step 10000 Hz") << "StepFilterHz" << 10000.0 << 5 << QByteArray("ffff") << 6554.0;
    // Whatever a setting holds, its field is held at the nearer end, never wrapped.
    QTest::newRow("speed above the field") << "VelSpeed" << 1000.0 << 3 << QByteArray("ffff") << 65535 / 240.0;
    QTest::newRow("negative speed") << "VelSpeed" << -1.0 << 3 << QByteArray("0000") << 0.0;
    QTest::newRow("analog scale above") << "AnalogScale" << 200.0 << 30 << QByteArray("7fff") << 32767 / 240.0;
    QTest::newRow("analog scale below") << "AnalogScale" << -200.0 << 30 << QByteArray("8000") << -32768 / 240.0;
    QTest::newRow("drive word 56 above") << "DriveWord56" << 40000.0 << 56 << QByteArray("7fff") << 32767.0;
    QTest::newRow("drive word 78 negative") << "DriveWord78" << -5.0 << 78 << QByteArray("0000") << 0.0;
    QTest::newRow("deadband above a byte") << "AnalogDeadband" << 300.0 << 39 << QByteArray("ff") << 255.0;
    QTest::newRow("deadband negative") << "AnalogDeadband" << -3.0 << 39 << QByteArray("00") << 0.0;
    QTest::newRow("noise filter 0") << "NoiseFilterHz" << 0.0 << 2 << QByteArray("ff") << 59.0;
    QTest::newRow("custom torque negative") << "CustomMotorTorque" << -5.0 << 96 << QByteArray("00000000") << 0.0;
    QTest::newRow("custom torque huge") << "CustomMotorTorque" << 1e9 << 96 << QByteArray("00ffffff") << 16777215.0;
    QTest::newRow("custom phase below") << "CustomHarmonicPhase" << -40000.0 << 90 << QByteArray("8000") << -32768.0;
    QTest::newRow("pulse type 5") << "PulseType" << 5.0 << 46 << QByteArray("02") << 2.0;
    QTest::newRow("analog range 9") << "AnalogRange" << 9.0 << 38 << QByteArray("03") << 3.0;
}

void TestDriveImage::fieldBytesAndBack()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(int, offset);
    QFETCH(QByteArray, hex);
    QFETCH(double, back);
    const SettingsField* f = FindSettingsField(field);
    QVERIFY(f);
    Settings s = defaults();
    SetFieldNumber(s, *f, value);
    const QByteArray image = encode(s);
    QCOMPARE(image.mid(offset, hex.size() / 2).toHex(), hex);
    QCOMPARE(FieldNumber(decoded(image), *f), back);
}

void TestDriveImage::uploadClamps_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("noise filter byte 0") << 2 << QByteArray("00") << "NoiseFilterHz" << "2000";
    QTest::newRow("noise filter byte 7") << 2 << QByteArray("07") << "NoiseFilterHz" << "2143";
    QTest::newRow("enable input 0") << 50 << QByteArray("00") << "EnableInputMode" << "1";
    QTest::newRow("alarm reset 9") << 51 << QByteArray("09") << "AlarmResetMode" << "3";
    QTest::newRow("motion output 9") << 54 << QByteArray("09") << "MotionOutputMode" << "8";
    QTest::newRow("limit mode 0") << 55 << QByteArray("00") << "LimitMode" << "1";
    QTest::newRow("bit rate 0") << 64 << QByteArray("0000") << "BitRateCode" << "1";
    QTest::newRow("bit rate 9") << 64 << QByteArray("0009") << "BitRateCode" << "5";
    QTest::newRow("protocol flags FFFF") << 62 << QByteArray("ffff") << "ProtocolFlags" << "55";
    QTest::newRow("analog filter 0") << 58 << QByteArray("0000") << "AnalogFilterHz" << "1";
    QTest::newRow("analog filter past the top") << 58 << QByteArray("ffff") << "AnalogFilterHz" << "16000";
    QTest::newRow("analog range 127") << 38 << QByteArray("7f") << "AnalogRange" << "3";
    QTest::newRow("analog range with bit 7") << 38 << QByteArray("82") << "AnalogRange" << "2";
    QTest::newRow("velocity settings not set") << 38 << QByteArray("82") << "VelocitySettingsSet" << "false";
    QTest::newRow("inertia unit 7") << 7 << QByteArray("1c") << "LoadInertiaUnit" << "3";
    QTest::newRow("flag byte all set") << 7 << QByteArray("ff") << "EncoderDirCW" << "true";
    QTest::newRow("custom torque unit 9") << 94 << QByteArray("09") << "CustomTorqueUnit" << "4";
    QTest::newRow("custom inertia unit 9") << 95 << QByteArray("09") << "CustomInertiaUnit" << "3";
    QTest::newRow("pulse type 3") << 46 << QByteArray("03") << "PulseType" << "2";
    QTest::newRow("quadrature direction") << 46 << QByteArray("06") << "QuadDirBLeadsA" << "true";
    QTest::newRow("address A") << 49 << QByteArray("41") << "Rs485Address" << "A";
    QTest::newRow("address NUL") << 49 << QByteArray("00") << "Rs485Address" << "!";
    QTest::newRow("address blank") << 49 << QByteArray("20") << "Rs485Address" << "!";
    QTest::newRow("address DEL") << 49 << QByteArray("7f") << "Rs485Address" << "!";
    QTest::newRow("idle share above 90 %") << 14 << QByteArray("0087") << "IdleCurrentPct" << "90";
    QTest::newRow("idle without running current") << 12 << QByteArray("00000046") << "IdleCurrentPct" << "0";
    QTest::newRow("drive word 56 signed") << 56 << QByteArray("8000") << "DriveWord56" << "-32768";
    QTest::newRow("custom phase signed") << 90 << QByteArray("ff80") << "CustomHarmonicPhase" << "-128";
    QTest::newRow("analog offset") << 32 << QByteArray("fff6") << "AnalogOffset" << "-5";
    QTest::newRow("custom motor 1 only when 1") << 123 << QByteArray("02") << "UseCustomMotor" << "false";
    QTest::newRow("name of 13 blanks") << 110 << QByteArray(26, '2').replace("22", "20") << "CustomMotorName" << "custom motor";
    QTest::newRow("name of 13 NULs") << 110 << QByteArray(26, '0') << "CustomMotorName" << "custom motor";
    QTest::newRow("name with control characters") << 110 << QByteArray("4109422020202020202020200a")
                                                   << "CustomMotorName" << "AB";
}

void TestDriveImage::uploadClamps()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, hex);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const SettingsField* f = FindSettingsField(field);
    QVERIFY(f);
    const Settings s = decoded(patched(encode(defaults()), offset, QByteArray::fromHex(hex)));
    QCOMPARE(FieldText(s, *f), value);
    QVERIFY2(FieldsOutOfRange(s).isEmpty(), qPrintable(FieldsOutOfRange(s).join(", ")));
}

void TestDriveImage::regenResistor_data()
{
    QTest::addColumn<QByteArray>("hex");  // bytes 66..71
    QTest::addColumn<bool>("external");
    QTest::addColumn<double>("seconds");
    QTest::newRow("internal") << QByteArray("0032002804e2") << false << 0.3125;
    QTest::newRow("other watts") << QByteArray("0033002804e2") << true << 0.3125;
    QTest::newRow("other ohms") << QByteArray("0032002904e2") << true << 0.3125;
    QTest::newRow("other time") << QByteArray("0032002804e3") << true << 1251 / 4000.0;
}

void TestDriveImage::regenResistor()
{
    QFETCH(QByteArray, hex);
    QFETCH(bool, external);
    QFETCH(double, seconds);
    const Settings s = decoded(patched(encode(defaults()), 66, QByteArray::fromHex(hex)));
    QCOMPARE(s.RegenExternal, external);
    QCOMPARE(s.RegenResSecs, seconds);
}

void TestDriveImage::leadAnglesComeBackAsSent()
{
    Settings s = defaults();
    s.CustomLeadAngleRps = 30;
    s.CustomLeadAngleDeg = 150;
    MotorRecord db;
    db.partNumber = QStringLiteral("KV23");
    db.leadangleRps = 40;
    db.leadangleDeg = 200;

    for (bool custom : {true, false}) {
        s.UseCustomMotor = custom;
        // Decoded over other lead angles and windings: the angles come from
        // the image, the windings (not in the image) stay as they were.
        Settings back = defaults();
        back.CustomMotorR = 1.5;
        back.CustomMotorL = 2.5;
        const DecodedImage extra = DecodeImage(encode(s, db), back);
        QCOMPARE(back.UploadLeadAngleRps, custom ? 30.0f : 40.0f);
        QCOMPARE(back.UploadLeadAngleDeg, custom ? 150.0f : 200.0f);
        QCOMPARE(back.CustomLeadAngleRps, 30);
        QCOMPARE(back.CustomLeadAngleDeg, 150);
        QCOMPARE(back.CustomMotorR, 1.5);
        QCOMPARE(back.CustomMotorL, 2.5);
        QCOMPARE(extra.databaseMotor.leadangleRps, 40);
        QCOMPARE(extra.databaseMotor.leadangleDeg, 200);
    }
}

void TestDriveImage::databaseMotorTravels()
{
    MotorRecord db = SampleMotor(QStringLiteral("KV23-M166B"), 3.4);
    db.Torque = 166;
    db.harmonicGain = 240;
    db.harmonicPhase = -4;
    const QByteArray image = encode(defaults(), db);
    QCOMPARE(image.mid(146, 13), QByteArray("KV23-M166B   "));
    QCOMPARE(ImageWord(image, 8), 240);  // the database motor is in use
    QCOMPARE(ImageWord(image, 10), 0xFFFC);
    DecodedImage extra;
    decoded(image, &extra);
    const MotorRecord& m = extra.databaseMotor;
    QCOMPARE(m.partNumber, db.partNumber);
    QCOMPARE(m.current, 3.4);
    QCOMPARE(m.Torque, 166.0);
    QCOMPARE(m.inertia, 300.0);
    QCOMPARE(m.InertiaUnit, std::int16_t(1));
    QCOMPARE(m.PWMmaxPct, 94.1);
    QCOMPARE(m.harmonicGain, 240);
    QCOMPARE(m.harmonicPhase, -4);
    QCOMPARE(m.leadangleRps, 25);
    QCOMPARE(m.R, 0.0);  // the image carries no windings
    QCOMPARE(extra.arFrequency, ARfreq(defaults(), db));
}

void TestDriveImage::namesAreCutToThePlainImageText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("field");     // the 13 bytes in the image
    QTest::addColumn<QString>("customBack");   // the custom-motor name an upload gives
    QTest::addColumn<QString>("partBack");     // the database part number an upload gives
    QTest::newRow("trailing blanks") << "ab  " << QByteArray("ab           ") << "ab" << "ab";
    QTest::newRow("accented letters") << "café Ølund" << QByteArray("cafe ?lund   ") << "cafe ?lund" << "cafe ?lund";
    QTest::newRow("only letters beyond ASCII") << "電機モーター" << QByteArray("??????       ") << "??????" << "??????";
    QTest::newRow("beyond the basic plane") << "motor 𝛑" << QByteArray("motor ?      ") << "motor ?" << "motor ?";
    QTest::newRow("13 characters") << "KV23-M166B-XY" << QByteArray("KV23-M166B-XY") << "KV23-M166B-XY" << "KV23-M166B-XY";
    QTest::newRow("14 characters") << "KV23-M166B-XYZ" << QByteArray("KV23-M166B-XY") << "KV23-M166B-XY" << "KV23-M166B-XY";
    QTest::newRow("cut after an accent") << "ééééééééééééé!" << QByteArray("eeeeeeeeeeeee") << "eeeeeeeeeeeee" << "eeeeeeeeeeeee";
    // One "?" for each character the drive cannot show, whatever it is made of.
    QTest::newRow("Hangul syllables") << "모터" << QByteArray("??           ") << "??" << "??";
    QTest::newRow("a fraction") << "½ step" << QByteArray("? step       ") << "? step" << "? step";
    QTest::newRow("a ligature") << "ﬁne" << QByteArray("?ne          ") << "?ne" << "?ne";
    QTest::newRow("combining accents") << "Me\u0301tro\u0308" << QByteArray("Metro        ") << "Metro" << "Metro";
    QTest::newRow("emoji sequence") << "a\U0001F468\u200D\U0001F527b" << QByteArray("a?b          ") << "a?b" << "a?b";
    QTest::newRow("seven rockets") << QStringLiteral("🚀").repeated(7) << QByteArray("???????      ") << "???????" << "???????";
    QTest::newRow("control characters") << "a\tb\x01" "c" << QByteArray("abc          ") << "abc" << "abc";
    QTest::newRow("empty") << "" << QByteArray(13, ' ') << "custom motor" << "";
}

// Only the image limits a name: to 13 plain characters, padded with blanks.
void TestDriveImage::namesAreCutToThePlainImageText()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, field);
    Settings s = customMotorInUse();
    s.CustomMotorName = name;
    MotorRecord db = SampleMotor(name);
    const QByteArray image = encode(s, db);
    QCOMPARE(image.mid(110, 13), field);
    QCOMPARE(image.mid(146, 13), field);
    DecodedImage extra;
    QTEST(decoded(image, &extra).CustomMotorName, "customBack");
    QTEST(extra.databaseMotor.partNumber, "partBack");
}

namespace {

// Shapes a random configuration into one the image carries as it stands.
void makeImageCarried(Settings& x, const MotorRecord& db, QRandomGenerator& rng)
{
    x.NoiseFilterHz = static_cast<int>(std::nearbyint(15000.0 / (1 + rng.bounded(150))));
    x.StepFilterHz = std::min(x.StepFilterHz, 6553);
    x.ProtocolFlags &= 55;
    if (x.CustomMotorName.isEmpty())
        x.CustomMotorName = QStringLiteral("custom motor");
    if (x.OperatingMode == 4)
        x.EnableInputMode = x.AlarmResetMode = x.AlarmOutputMode = x.BrakeOutputMode = x.MotionOutputMode = 3;
    if (x.OperatingMode == 3 && x.ControlMode == 7)
        x.StallPrevent = false;
    if (!x.RegenExternal) {
        x.RegenResWatts = 50;
        x.RegenResOhms = 40;
        x.RegenResSecs = 0.3125;
    } else if (std::lround(x.RegenResWatts) == 50 && std::lround(x.RegenResOhms) == 40) {
        x.RegenResWatts = 51;
    }
    x.UploadLeadAngleRps = static_cast<float>(x.UseCustomMotor ? x.CustomLeadAngleRps : db.leadangleRps);
    x.UploadLeadAngleDeg = static_cast<float>(x.UseCustomMotor ? x.CustomLeadAngleDeg : db.leadangleDeg);
}

// The image tolerance, skipping what the image carries only in some modes.
FieldTolerance carriedIn(const Settings& x)
{
    return [x](const SettingsField& f, double value) {
        const QLatin1String name(f.name);
        const bool velocity = x.OperatingMode == 3 && x.ControlMode == 11;
        if (name == QLatin1String("PowerUpMode") && x.OperatingMode != 2 && x.OperatingMode != 7)
            return Inf;
        if (!velocity && (name == QLatin1String("VelRunStopInput") || name == QLatin1String("VelTwoSpeeds")
                          || name == QLatin1String("VelAnalog")))
            return Inf;
        if (name == QLatin1String("NoiseFilterHz"))  // compared exactly here: the values are carried ones
            return 0.0;
        return ImageTolerance(f, value);
    };
}

QStringList motorDifferences(const MotorRecord& a, const MotorRecord& b)
{
    QStringList out;
    auto near = [&](const char* name, double x, double y, double tol) {
        if (!(std::fabs(x - y) <= tol))
            out << QStringLiteral("%1: %2 != %3").arg(QLatin1String(name)).arg(x, 0, 'g', 17).arg(y, 0, 'g', 17);
    };
    near("current", a.current, b.current, 0.005 + 1e-6);
    near("Torque", a.Torque, b.Torque, a.Torque / (1 << 23));
    near("inertia", a.inertia, b.inertia, a.inertia / (1 << 23));
    near("PWMmaxPct", a.PWMmaxPct, b.PWMmaxPct, 0.05 + 1e-9);
    near("harmonic gain", a.harmonicGain, b.harmonicGain, 0);
    near("harmonic phase", a.harmonicPhase, b.harmonicPhase, 0);
    near("TorqueUnit", a.TorqueUnit, b.TorqueUnit, 0);
    near("InertiaUnit", a.InertiaUnit, b.InertiaUnit, 0);
    near("leadangle deg", a.leadangleDeg, b.leadangleDeg, 0);
    near("leadangle rps", a.leadangleRps, b.leadangleRps, 0);
    if (a.partNumber != b.partNumber)
        out << QStringLiteral("part number: %1 != %2").arg(a.partNumber, b.partNumber);
    return out;
}

}  // namespace

void TestDriveImage::randomConfigurationsRoundTrip()
{
    QRandomGenerator rng(20261210);
    for (int run = 0; run < 300; ++run) {
        const MotorRecord db = RandomMotor(rng);
        Settings x = RandomSettings(rng);
        makeImageCarried(x, db, rng);
        const QByteArray image = encode(x, db);
        QVERIFY(ChecksumGood(image));

        // Decoded over another random configuration, so nothing passes by
        // being left as it was.
        Settings back = RandomSettings(rng);
        const DecodedImage extra = DecodeImage(image, back);
        const QStringList diff = DifferingFields(x, back, carriedIn(x));
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("run %1: %2").arg(run).arg(diff.join(QStringLiteral("; ")))));
        const QStringList motorDiff = motorDifferences(db, extra.databaseMotor);
        QVERIFY2(motorDiff.isEmpty(), qPrintable(QStringLiteral("run %1: %2").arg(run).arg(motorDiff.join(QStringLiteral("; ")))));
        QCOMPARE(extra.arFrequency, ARfreq(x, db));
    }
}

void TestDriveImage::hostileImagesDecodeIntoRange()
{
    QList<QByteArray> images = {QByteArray(DriveImageSize, '\0'), QByteArray(DriveImageSize, char(0xFF))};
    QRandomGenerator rng(161);
    for (int i = 0; i < 100; ++i) {
        QByteArray b(DriveImageSize, '\0');
        for (char& c : b)
            c = static_cast<char>(rng.bounded(256));
        images << b;
    }
    for (QByteArray image : images) {
        AddChecksum(image);
        QVERIFY(ChecksumGood(image));
        DecodedImage extra;
        Settings once = decoded(image, &extra);
        const QStringList bad = FieldsOutOfRange(once);
        QVERIFY2(bad.isEmpty(), qPrintable(image.toHex() + ": " + bad.join(QStringLiteral(", "))));
        QVERIFY(extra.databaseMotor.TorqueUnit >= 0 && extra.databaseMotor.TorqueUnit <= 4);
        QVERIFY(extra.databaseMotor.InertiaUnit >= 0 && extra.databaseMotor.InertiaUnit <= 3);
        // The ranges of what a configuration may hold admit all of it, so a
        // file keeps it as the upload left it; the running current but
        // once the upload has lowered it to what the drive allows.
        Settings held = once;
        HoldInRanges(held);
        const QStringList moved = DifferingFields(once, held, [](const SettingsField& f, double) {
            return QLatin1String(f.name) == QLatin1String("RunCurrent") ? Inf : 0.0;
        });
        QVERIFY2(moved.isEmpty(), qPrintable(image.toHex() + ": " + moved.join(QStringLiteral("; "))));
        MotorRecord heldMotor = extra.databaseMotor;
        HoldInRanges(heldMotor);
        const QStringList motorMoved = DifferingMotorFields(extra.databaseMotor, heldMotor);
        QVERIFY2(motorMoved.isEmpty(), qPrintable(image.toHex() + ": " + motorMoved.join(QStringLiteral("; "))));

        // Sent back, it must read the same: nothing wrapped on the way out.
        const QByteArray again = DownloadString(once, extra.databaseMotor);
        Settings twice = decoded(again);
        const bool hub = once.OperatingMode == 4;
        const FieldTolerance tolerance = [hub](const SettingsField& f, double value) {
            const QString name = QLatin1String(f.name);
            // Derived from the motor in use on the way out, not carried back.
            if (name == QLatin1String("UploadLeadAngleRps") || name == QLatin1String("UploadLeadAngleDeg"))
                return Inf;
            // A hub sends its own I/O functions (3) whatever the settings hold.
            static const QStringList hubIo = {"EnableInputMode", "AlarmResetMode", "AlarmOutputMode",
                                              "BrakeOutputMode", "MotionOutputMode"};
            if (hub && hubIo.contains(name))
                return Inf;
            return ImageTolerance(f, value);
        };
        const QStringList diff = DifferingFields(once, twice, tolerance);
        QVERIFY2(diff.isEmpty(), qPrintable(image.toHex() + ": " + diff.join(QStringLiteral("; "))));
    }
}

QTEST_APPLESS_MAIN(TestDriveImage)
#include "tst_driveimage.moc"
