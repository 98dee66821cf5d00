#include "AutoOffset.h"
#include "ConfiguratorFixture.h"
#include "DriveLink.h"
#include "MotionMenuRules.h"
#include "SerialModeRules.h"
#include "StepInput.h"
#include "VelocityRules.h"

#include <QtTest>

// The rules of the motion-mode menu and its dialogs, without windows.
class TestMotionRules : public QObject {
    Q_OBJECT
private slots:
    void stepBoxes_data();
    void stepBoxes();
    void noiseFilter_data();
    void noiseFilter();
    void menuButtons_data();
    void menuButtons();
    void menuTakesHubAndKyAtOnce();
    void motionOutput_data();
    void motionOutput();
    void velocityOkKeepsAnUnknownRange();
    void powerUpModeWalk_data();
    void powerUpModeWalk();
    void protocolFlags();
    void rs485Address_data();
    void rs485Address();
    void serialModeOk();
    void bitRateLoader_data();
    void bitRateLoader();
    void autoOffsetCommand_data();
    void autoOffsetCommand();
    void autoOffsetReply_data();
    void autoOffsetReply();
};

void TestMotionRules::stepBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("steps/rev above the top") << "spr4" << "51203" << "51200";
    QTest::newRow("steps/rev below the bottom") << "spr4" << "199" << "200";
    QTest::newRow("steps/rev down to a multiple of 4") << "spr4" << "10003" << "10000";
    QTest::newRow("steps/rev 1002") << "spr4" << "1002" << "1000";
    QTest::newRow("serial steps/rev 203 stays even") << "spr2" << "203" << "202";
    QTest::newRow("serial steps/rev 1001") << "spr2" << "1001" << "1000";
    // The image holds the step filter in tenths of a hertz in 16 bits.
    QTest::newRow("step filter past what the drive holds") << "filter" << "10000" << "6553";
    QTest::newRow("step filter in range") << "filter" << "6553" << "6553";
    QTest::newRow("step filter 0") << "filter" << "0" << "1";
    QTest::newRow("serial step filter") << "serialFilter" << "5000" << "2500";
}

void TestMotionRules::stepBoxes()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const BoxRule rule = box == "spr4"     ? StepsPerRevRule(4)
                         : box == "spr2"   ? StepsPerRevRule(2)
                         : box == "filter" ? StepFilterRule(StepFilterMaxHz)
                                           : StepFilterRule(SerialStepFilterMaxHz);
    QCOMPARE(rule.normalised(typed), shown);
}

void TestMotionRules::noiseFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("hz");
    QTest::newRow("2 -> N 8") << "2" << "1.875" << 1875;
    QTest::newRow("0.7 -> N 21") << "0.7" << "0.714" << 714;
    QTest::newRow("7 -> N 2") << "7" << "7.5" << 7500;
    QTest::newRow("20 -> N 1") << "20" << "15" << 15000;
    QTest::newRow("0.05 -> N 150") << "0.05" << "0.1" << 100;
    QTest::newRow("4 -> N 4") << "4" << "3.75" << 3750;
    QTest::newRow("no number") << "x" << "0.1" << 100;
}

void TestMotionRules::noiseFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, hz);
    const BoxRule rule = NoiseFilterRule();
    QCOMPARE(rule.normalised(typed), shown);
    QCOMPARE(NoiseFilterHzFromKHz(rule.value(typed)), hz);
    // Snapping what is snapped already changes nothing.
    QCOMPARE(rule.normalised(shown), shown);
}

void TestMotionRules::menuButtons_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("control");
    QTest::addColumn<bool>("jShown");
    QTest::addColumn<bool>("kyShown");
    QTest::addColumn<int>("focus");
    using B = MotionMenuButton;
    QTest::newRow("E, step") << 0 << 3 << 7 << false << false << int(B::PulseDirMode);
    QTest::newRow("E-220, velocity") << 3 << 3 << 11 << false << false << int(B::VelocityMode);
    QTest::newRow("J, J program") << 1 << 7 << 7 << true << false << int(B::JProgram);
    QTest::newRow("J-220, TMX") << 4 << 2 << 21 << true << false << int(B::TMXmode);
    QTest::newRow("Ky, Ky program") << 2 << 1 << 21 << true << true << int(B::KyProgram);
    QTest::newRow("Ky-220, J program") << 5 << 7 << 7 << true << true << int(B::JProgram);
    QTest::newRow("J, Ky program") << 1 << 1 << 21 << true << false << int(B::TMXmode);
    QTest::newRow("E, J program: not the hidden J button") << 0 << 7 << 7 << false << false << int(B::TMXmode);
    QTest::newRow("no model, J program: focus stays") << -1 << 7 << 7 << false << false << int(B::None);
    QTest::newRow("mode 5") << 0 << 5 << 7 << false << false << int(B::TMXmode);
    QTest::newRow("hub") << 2 << 4 << 7 << true << true << int(B::HubProg);
    QTest::newRow("unknown mode") << 1 << 6 << 7 << true << false << int(B::None);
    QTest::newRow("stand-alone, Ky control code") << 0 << 3 << 21 << false << false << int(B::PulseDirMode);
}

void TestMotionRules::menuButtons()
{
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, control);
    QFETCH(bool, jShown);
    QFETCH(bool, kyShown);
    QFETCH(int, focus);
    using B = MotionMenuButton;
    QCOMPARE(MotionMenuButtonShown(B::JProgram, model), jShown);
    QCOMPARE(MotionMenuButtonShown(B::KyProgram, model), kyShown);
    for (B always : {B::PulseDirMode, B::VelocityMode, B::TMXmode, B::HubProg})
        QVERIFY(MotionMenuButtonShown(always, model));
    Settings s;
    s.OperatingMode = mode;
    s.ControlMode = control;
    const B got = MotionMenuFocus(s, model);
    QCOMPARE(int(got), focus);
    QVERIFY(got == B::None || MotionMenuButtonShown(got, model));
}

void TestMotionRules::menuTakesHubAndKyAtOnce()
{
    ConfiguratorFixture f;
    Configurator& cfg = f.configurator;
    cfg.settings().StepsPerRev = 1000;
    cfg.settings().ControlMode = 11;
    cfg.state().SettingsChanged = false;
    ChooseKyProgram(cfg);
    QCOMPARE(cfg.settings().OperatingMode, 1);
    QCOMPARE(cfg.settings().ControlMode, 21);
    QCOMPARE(cfg.settings().StepsPerRev, 20000);
    QCOMPARE(cfg.motionDesc(), QStringLiteral("Ky Program"));
    QVERIFY(cfg.state().SettingsChanged);

    cfg.state().SettingsChanged = false;
    ChooseOrvaneHub(cfg);
    QCOMPARE(cfg.settings().OperatingMode, 4);
    QCOMPARE(cfg.settings().ControlMode, 21);
    QCOMPARE(cfg.motionDesc(), QStringLiteral("Orvane Hub"));
    QVERIFY(cfg.state().SettingsChanged);
}

void TestMotionRules::motionOutput_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("tachIndex");
    QTest::addColumn<int>("stored");
    using C = MotionOutputChoice;
    QTest::newRow("open") << 1 << int(C::Open) << -1 << 1;
    QTest::newRow("closed") << 2 << int(C::Closed) << -1 << 2;
    QTest::newRow("not used") << 3 << int(C::Off) << -1 << 3;
    QTest::newRow("0 is not used") << 0 << int(C::Off) << -1 << 3;
    QTest::newRow("tach 100") << 4 << int(C::Tach) << 0 << 4;
    QTest::newRow("tach 800") << 7 << int(C::Tach) << 3 << 7;
    QTest::newRow("tach 1600") << 8 << int(C::Tach) << 4 << 8;
    QTest::newRow("9: tach, first rate") << 9 << int(C::Tach) << 0 << 4;
}

void TestMotionRules::motionOutput()
{
    QFETCH(int, mode);
    QFETCH(int, choice);
    QFETCH(int, tachIndex);
    QFETCH(int, stored);
    const MotionOutputSelection sel = MotionOutputFromMode(mode);
    QCOMPARE(int(sel.choice), choice);
    QCOMPARE(sel.tachIndex, tachIndex);
    MotionOutputSelection chosen = sel;
    if (chosen.tachIndex < 0)
        chosen.tachIndex = 2;  // the list keeps whatever it showed; only a tach reads it
    QCOMPARE(MotionOutputModeFrom(chosen), stored);
    QCOMPARE(TachRateNames().at(3), QStringLiteral("800 pulses/rev"));
}

void TestMotionRules::velocityOkKeepsAnUnknownRange()
{
    Settings s;
    s.AnalogRange = 2;
    VelocityValues v = VelocityFromSettings(s);
    QCOMPARE(AnalogUnitsText(v.analogRange), QStringLiteral("rev/sec at +5V"));
    QCOMPARE(AnalogUnitsText(1), QStringLiteral("rev/sec at +10V"));
    v.analogRange = -1;  // no entry selected
    StoreVelocity(v, s);
    QCOMPARE(s.AnalogRange, std::int16_t(2));
    v.analogRange = 3;
    StoreVelocity(v, s);
    QCOMPARE(s.AnalogRange, std::int16_t(3));
}

void TestMotionRules::powerUpModeWalk_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("stepInput");
    QTest::newRow("22") << 22 << "22: Analog Positioning" << false;
    QTest::newRow("7") << 7 << "7: Step & Direction" << true;
    QTest::newRow("12") << 12 << "12: Analog Vel, X1=run" << false;
    QTest::newRow("unknown 19") << 19 << "7: Step & Direction" << true;
    QTest::newRow("unknown 0") << 0 << "7: Step & Direction" << true;
}

void TestMotionRules::powerUpModeWalk()
{
    QFETCH(int, mode);
    QFETCH(QString, entry);
    QFETCH(bool, stepInput);
    const PowerUpModeEntry& e = PowerUpModeEntries().at(static_cast<size_t>(PowerUpModeIndex(mode)));
    QCOMPARE(e.text, entry);
    QCOMPARE(PowerUpModeUsesStepInput(e.code), stepInput);
    // Every entry's code is one the drive powers up in.
    for (const PowerUpModeEntry& any : PowerUpModeEntries())
        QVERIFY(IsPowerUpCode(any.code));
}

void TestMotionRules::protocolFlags()
{
    QCOMPARE(ProtocolFlagsFrom({false, false, false, false}), 1);
    QCOMPARE(ProtocolFlagsFrom({true, true, true, true}), 55);
    QCOMPARE(ProtocolFlagsFrom({false, true, false, false}), 5);
    QCOMPARE(ProtocolFlagsFrom({false, false, false, true}), 33);
}

void TestMotionRules::rs485Address_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("kept");
    QTest::newRow("first button") << AddressButtonText(0) << "!";
    QTest::newRow("sixth button") << AddressButtonText(5) << "&";
    QTest::newRow("last button") << AddressButtonText(AddressButtonCount - 1) << "@";
    QTest::newRow("printable") << "z" << "z";
    QTest::newRow("empty") << "" << "!";
    QTest::newRow("longer") << "AB" << "!";
    QTest::newRow("blank") << " " << "!";
    QTest::newRow("control character") << QString(QChar(7)) << "!";
}

void TestMotionRules::rs485Address()
{
    QFETCH(QString, address);
    QFETCH(QString, kept);
    QCOMPARE(NormalisedRs485Address(address), kept);
}

void TestMotionRules::serialModeOk()
{
    Settings s;
    s.PulseType = 1;
    s.QuadDirBLeadsA = true;
    s.StepFilterHz = 321;
    s.NoiseFilterHz = 3750;
    s.StepsPerRev = 1000;
    SerialModeValues v = SerialModeFromSettings(s);
    v.powerUpMode = 12;
    v.step = StepInputValues{2, false, 4000, 100, 1.875};
    v.address = "AB";
    v.txDelay = 10.5;
    StoreSerialMode(v, 7, s);
    QCOMPARE(s.OperatingMode, 7);
    QCOMPARE(s.PowerUpMode, 12);
    QCOMPARE(s.ControlMode, 12);
    QCOMPARE(s.StepsPerRev, 20000);
    QCOMPARE(s.PulseType, 1);  // the step input stays
    QCOMPARE(s.QuadDirBLeadsA, true);
    QCOMPARE(s.StepFilterHz, 321);
    QCOMPARE(s.NoiseFilterHz, 3750);
    QCOMPARE(s.Rs485Address, QStringLiteral("!"));
    QCOMPARE(s.TxDelay, 10);  // halves to even

    v.powerUpMode = 7;
    StoreSerialMode(v, 2, s);
    QCOMPARE(s.OperatingMode, 2);
    QCOMPARE(s.ControlMode, 7);
    QCOMPARE(s.StepsPerRev, 4000);
    QCOMPARE(s.PulseType, 2);
    QCOMPARE(s.QuadDirBLeadsA, false);
    QCOMPARE(s.StepFilterHz, 100);
    QCOMPARE(s.NoiseFilterHz, 1875);
}

void TestMotionRules::bitRateLoader_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("storedFromIndex");
    QTest::newRow("9600") << 1 << 0 << 1;
    QTest::newRow("115200") << 5 << 4 << 5;
    QTest::newRow("0: no entry") << 0 << -1 << 0;
    QTest::newRow("6: selection left") << 6 << int(LeaveBitRate) << 6;
}

void TestMotionRules::bitRateLoader()
{
    QFETCH(int, code);
    QFETCH(int, index);
    QFETCH(int, storedFromIndex);
    Settings s;
    s.BitRateCode = code;
    SerialModeValues v = SerialModeFromSettings(s);
    QCOMPARE(v.bitRateIndex, index);
    // With no entry selected the code stays as it was.
    StoreSerialMode(v, 2, s);
    QCOMPARE(s.BitRateCode, storedFromIndex);
    v.bitRateIndex = 2;
    StoreSerialMode(v, 2, s);
    QCOMPARE(s.BitRateCode, 3);
    QCOMPARE(BitRateNames().at(2), QStringLiteral("38400"));
}

void TestMotionRules::autoOffsetCommand_data()
{
    QTest::addColumn<float>("firmware");
    QTest::addColumn<QString>("minor");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("1.00 j") << DriveLink::FirmwareFromCode(0) << "j" << QByteArray("O");
    QTest::newRow("1.00 k") << DriveLink::FirmwareFromCode(0) << "k" << QByteArray("O4719");
    QTest::newRow("1.00 A") << DriveLink::FirmwareFromCode(0) << "A" << QByteArray("O");
    QTest::newRow("1.01 A") << DriveLink::FirmwareFromCode(1) << "A" << QByteArray("O");
    QTest::newRow("1.01 B") << DriveLink::FirmwareFromCode(1) << "B" << QByteArray("O4719");
    QTest::newRow("1.02 A") << DriveLink::FirmwareFromCode(2) << "A" << QByteArray("O4719");
    QTest::newRow("no revision") << DriveLink::FirmwareFromCode(4) << "" << QByteArray("O");
    QTest::newRow("longer revision") << DriveLink::FirmwareFromCode(4) << "kk" << QByteArray("O");
}

void TestMotionRules::autoOffsetCommand()
{
    QFETCH(float, firmware);
    QFETCH(QString, minor);
    QFETCH(QByteArray, command);
    QCOMPARE(AutoOffset::Command(firmware, minor), command);
}

void TestMotionRules::autoOffsetReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<double>("mv");
    QTest::newRow("FF E7") << QByteArray("\xFF\xE7", 2) << true << -12.5;
    QTest::newRow("00 28") << QByteArray("\x00\x28", 2) << true << 20.0;
    QTest::newRow("further bytes dropped") << QByteArray("\x00\x28\x7F\x7F", 4) << true << 20.0;
    QTest::newRow("most negative, clamped") << QByteArray("\x80\x00", 2) << true << -10000.0;
    QTest::newRow("most positive, clamped") << QByteArray("\x7F\xFF", 2) << true << 10000.0;
    QTest::newRow("one byte") << QByteArray("\x00", 1) << false << 0.0;
    QTest::newRow("nothing") << QByteArray() << false << 0.0;
}

void TestMotionRules::autoOffsetReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, hasValue);
    QFETCH(double, mv);
    const std::optional<double> offset = AutoOffset::OffsetFromReply(reply);
    QCOMPARE(offset.has_value(), hasValue);
    if (hasValue)
        QCOMPARE(*offset, mv);
}

QTEST_MAIN(TestMotionRules)
#include "tst_motionrules.moc"
