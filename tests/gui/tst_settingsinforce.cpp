#include "ComPorts.h"
#include "ConfigFile.h"
#include "ConfigurationFile.h"
#include "DriveImage.h"
#include "FileCommands.h"
#include "ImageWord.h"
#include "MotorDialogRig.h"
#include "SettingsFields.h"
#include "SimulatedDrive.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// What the user sees in force stays in force: the motor a file or an upload
// names, the motor a cancelled dialog leaves, the values a dialog confirmed
// without edits holds, a name as the user gave it.

namespace {

// The settings dialog of that object name among the program's windows.
SettingsDialog* FindDialog(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name)
            return qobject_cast<SettingsDialog*>(w);
    }
    return nullptr;
}

// Opens a settings dialog as its opener does; the custom-motor editor and
// the advanced settings through the dialogs they belong to.
SettingsDialog* OpenDialog(MotorDialogRig& r, const QString& name)
{
    WindowHooks& hooks = r.rig.main.hooks();
    if (name == QLatin1String("MotorDialog"))
        hooks.showMotorDialog();
    else if (name == QLatin1String("EditMotor"))
        r.edit().showFilled();
    else if (name == QLatin1String("EncoderDialog"))
        hooks.showEncoderDialog();
    else if (name == QLatin1String("IOdialog"))
        hooks.showIODialog();
    else if (name == QLatin1String("RegenDialog"))
        hooks.showRegenDialog();
    else if (name == QLatin1String("TMXdialog"))
        hooks.showTMXDialog(2, QStringLiteral("TMX Configuration"));
    else if (name == QLatin1String("PulseDirDialog"))
        hooks.showPulseDirDialog();
    else if (name == QLatin1String("VelocityDialog") || name == QLatin1String("AdvancedSettings"))
        hooks.showVelocityDialog();
    if (name == QLatin1String("AdvancedSettings")) {
        SettingsDialog* velocity = FindDialog(QStringLiteral("VelocityDialog"));
        QPushButton* advanced = velocity ? velocity->findChild<QPushButton*>(QStringLiteral("Advanced")) : nullptr;
        if (!advanced)
            return nullptr;
        advanced->setEnabled(true);
        advanced->click();
    }
    SettingsDialog* d = FindDialog(name);
    return d && d->isVisible() ? d : nullptr;
}

// The OK as the user clicks it, or as the download presses it.
void PressOk(SettingsDialog& d, bool byDownload)
{
    if (byDownload)
        d.pressOkIfVisible();
    else
        d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
}

// The advanced settings hand their values to the velocity dialog, whose OK
// takes them into the settings.
void PressOkThrough(SettingsDialog& d, bool byDownload)
{
    PressOk(d, byDownload);
    if (d.objectName() == QLatin1String("AdvancedSettings"))
        PressOk(*FindDialog(QStringLiteral("VelocityDialog")), byDownload);
}

// "Name=value;Name=value" into the settings.
void SetFields(Settings& s, const QString& fields)
{
    for (const QString& item : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList pair = item.split(QLatin1Char('='));
        const SettingsField* f = FindSettingsField(pair.at(0));
        Q_ASSERT_X(f, "SetFields", qPrintable(pair.at(0)));
        if (f->isText())
            SetFieldText(s, *f, pair.at(1));
        else
            SetFieldNumber(s, *f, pair.at(1).toDouble());
    }
}

// The titles of the messages shown, but for the port list's: the rig over
// memory has no COM port for the file's port row to move to.
QStringList OtherMessages(const ScriptedPrompt& prompt)
{
    QStringList titles = prompt.titles();
    titles.removeAll(QStringLiteral("COM Error"));
    return titles;
}

// The motion mode each motion dialog's OK sets, so that a confirmation
// without edits has nothing of its own to change.
QString ModeOf(const QString& dialog)
{
    if (dialog == QLatin1String("TMXdialog"))
        return QStringLiteral("OperatingMode=2;ControlMode=7;PowerUpMode=7;");
    if (dialog == QLatin1String("PulseDirDialog"))
        return QStringLiteral("OperatingMode=3;ControlMode=7;");
    if (dialog == QLatin1String("VelocityDialog") || dialog == QLatin1String("AdvancedSettings"))
        return QStringLiteral("OperatingMode=3;ControlMode=11;VelAnalog=1;StepsPerRev=20000;");
    return QString();
}

}  // namespace

class TestSettingsInForce : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ForgetComPorts(); }
    void openAndUploadSelectTheStoredMotor_data();
    void openAndUploadSelectTheStoredMotor();
    void cancelPutsBackTheMotorInForce_data();
    void cancelPutsBackTheMotorInForce();
    void untouchedBoxesKeepLoadedValues_data();
    void untouchedBoxesKeepLoadedValues();
    void typedEntriesAreStillNormalised_data();
    void typedEntriesAreStillNormalised();
    void retypedEntriesAreEdits_data();
    void retypedEntriesAreEdits();
    void fileValuesAboveTheModelOpenAsWritten_data();
    void fileValuesAboveTheModelOpenAsWritten();
    void slidersOpenOnRoundedPositions_data();
    void slidersOpenOnRoundedPositions();
    void namesThroughTheEditorSaveAndOpen_data();
    void namesThroughTheEditorSaveAndOpen();
    void nameBoxSelectsAllOnFocus();
    void pastesIntoTheNameBox_data();
    void pastesIntoTheNameBox();
};

void TestSettingsInForce::openAndUploadSelectTheStoredMotor_data()
{
    QTest::addColumn<bool>("upload");
    QTest::addColumn<QString>("spelling");
    QTest::newRow("open, lower case") << false << "kv23-s083b";
    QTest::newRow("open, mixed case") << false << "Kv23-s083B";
    QTest::newRow("upload, lower case") << true << "kv23-s083b";
    QTest::newRow("upload, mixed case") << true << "Kv23-s083B";
}

// A file or a drive image that spells a stored part number in another
// letter case selects that row, under its stored spelling: the running
// current is judged against that motor (2.8 A, so up to 4.2 A) and the next
// download sends it.
void TestSettingsInForce::openAndUploadSelectTheStoredMotor()
{
    QFETCH(bool, upload);
    QFETCH(QString, spelling);
    SimulatedDrive drive;
    QVERIFY(drive.isPresent());
    drive.lineBytesPerSecond = 960;  // every byte on its own, at 9600 baud
    PointComPortsAt(drive.slavePath());
    BasicMotorDialogRig<DeviceRig> r;
    r.start();
    QVERIFY(r.rig.port.isOpen());
    Configurator& c = r.rig.cfg;
    c.state().InertiaSet = true;
    QVERIFY(c.motors().seek(QStringLiteral("KV17-M062A")));  // 2 A: up to 3.0 A
    const int rows = c.motors().partNumbers().size();

    // What the file or the drive holds: KV23-S083B run at 4 A.
    Settings wanted = c.settings();
    wanted.RunCurrent = 4.0;
    wanted.UseCustomMotor = false;
    QVERIFY(c.motors().seek(QStringLiteral("KV23-S083B")));
    MotorRecord motor = c.databaseMotor();
    QVERIFY(c.motors().seek(QStringLiteral("KV17-M062A")));
    motor.partNumber = spelling;
    if (upload) {
        drive.image = DownloadString(wanted, motor);
        AddChecksum(drive.image);
        r.rig.main.Upload_Click();
    } else {
        ConfigFileContent content = CaptureConfiguration(c, QStringLiteral("1.0"));
        content.settings = wanted;
        content.motor = motor;
        QVERIFY(r.openFile(content, QStringLiteral("case.cnf")));
    }
    QVERIFY2(OtherMessages(r.rig.prompt).isEmpty(), qPrintable(OtherMessages(r.rig.prompt).join(", ")));
    QCOMPARE(c.databaseMotor().partNumber, QStringLiteral("KV23-S083B"));
    QCOMPARE(c.motors().partNumbers().size(), rows);  // no row added
    QCOMPARE(c.settings().RunCurrent, 4.0);
    QCOMPARE(c.MaxRunCurrent(), 4.2f);
    auto& list = r.child<QComboBox>(r.motor(), "MotorList");
    QCOMPARE(list.currentText(), QStringLiteral("KV23-S083B"));

    // The motor dialog opens on it, and the drive gets it.
    r.rig.main.hooks().showMotorDialog();
    QCOMPARE(r.motor().runCurrentText(), QStringLiteral("4.00"));
    QCOMPARE(list.currentText(), QStringLiteral("KV23-S083B"));
    r.motor().hide();
    r.rig.main.Download_Click();
    QCOMPARE(drive.downloadsTaken, 1);
    QCOMPARE(drive.image.mid(146, 13), QByteArray("KV23-S083B   "));
    QCOMPARE(ImageWord(drive.image, 12), 400);
    QCOMPARE(ImageWord(drive.image, 128), 280);  // the database motor's rated current
}

void TestSettingsInForce::cancelPutsBackTheMotorInForce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close";
}

// Choosing in the motor list makes that the database motor at once; Cancel
// puts back the motor in force when the dialog was filled, so the limit and
// the drive image are what the summary shows.
void TestSettingsInForce::cancelPutsBackTheMotorInForce()
{
    QFETCH(QString, how);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    QVERIFY(c.motors().seek(QStringLiteral("KV23-S083B")));
    c.settings().RunCurrent = 4.0;
    const float limit = c.MaxRunCurrent();
    const QByteArray image = DownloadString(c.settings(), c.databaseMotor());
    const Settings before = c.settings();

    MotorDialog& d = r.motor();
    r.rig.main.hooks().showMotorDialog();
    auto& list = r.child<QComboBox>(d, "MotorList");
    list.setCurrentIndex(list.findText(QStringLiteral("KV17-M062A")));
    QCOMPARE(c.databaseMotor().partNumber, QStringLiteral("KV17-M062A"));  // the pick acts at once
    if (how == QLatin1String("cancel")) {
        r.child<QPushButton>(d, "cmdCancel").click();
    } else if (how == QLatin1String("escape")) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &escape);
    } else {
        d.close();
    }
    QVERIFY(!d.isVisible());
    QCOMPARE(c.databaseMotor().partNumber, QStringLiteral("KV23-S083B"));
    QCOMPARE(c.MaxRunCurrent(), limit);
    QCOMPARE(DownloadString(c.settings(), c.databaseMotor()), image);
    QVERIFY(DifferingFields(before, c.settings()).isEmpty());
    r.rig.main.hooks().showMotorDialog();
    QCOMPARE(list.currentText(), QStringLiteral("KV23-S083B"));
    QCOMPARE(d.runCurrentText(), QStringLiteral("4.00"));
}

void TestSettingsInForce::untouchedBoxesKeepLoadedValues_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("fields");  // out of the dialog's own ranges
    QTest::addColumn<bool>("byDownload");
    const struct {
        const char* dialog;
        const char* fields;
    } rows[] = {
        // A step filter the step-input dialog allows, above the TMX dialog's.
        {"TMXdialog", "StepFilterHz=5000;TxDelay=40000;StepsPerRev=100;NoiseFilterHz=20000"},
        {"PulseDirDialog", "StepFilterHz=20000;StepsPerRev=60002;NoiseFilterHz=50"},
        {"VelocityDialog", "VelSpeed=250;VelSpeed2=0.001;VelAccel=9000;VelDecel=0.1;AnalogScale=500"},
        {"AdvancedSettings", "AnalogDeadband=300;AnalogOffset=20000;AnalogFilterHz=20000"},
        {"EncoderDialog", "EncoderCounts=70000;MaxTorquePct=5;HardStopTimeMs=40000;StallPrevent=1;HardStopFault=1"},
        // An uploaded deceleration above what the box takes.
        {"IOdialog", "MaxAccel=8000;BrakeReleaseDelay=40000;BrakeEngageDelay=33000"},
        // An external 20 W resistor.
        {"RegenDialog", "RegenExternal=1;RegenResWatts=20;RegenResOhms=2;RegenResSecs=9"},
        {"MotorDialog", "IdleCurrentPct=95;IdleDelay=12;InertiaRatio=25"},
        {"EditMotor", "CustomMotorR=500;CustomMotorL=0.01;CustomLeadAngleDeg=400;CustomLeadAngleRps=2;"
                      "CustomHarmonicGain=5000;CustomHarmonicPhase=-200;CustomMotorMaxVolts=150;CustomMotorCurrent=700"},
    };
    for (const auto& row : rows) {
        QTest::addRow("%s, OK", row.dialog) << row.dialog << row.fields << false;
        QTest::addRow("%s, the download's OK", row.dialog) << row.dialog << row.fields << true;
    }
}

// A dialog opened on loaded values outside its boxes' ranges (a file or an
// upload brings them) and confirmed without edits keeps them: its OK
// changes only what its own rules change. Tabbing through a box is no edit.
void TestSettingsInForce::untouchedBoxesKeepLoadedValues()
{
    QFETCH(QString, dialog);
    QFETCH(QString, fields);
    QFETCH(bool, byDownload);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    SetFields(c.settings(), ModeOf(dialog) + fields);
    const Settings before = c.settings();
    SettingsDialog* d = OpenDialog(r, dialog);
    QVERIFY(d);
    for (NumberBox* b : d->numberBoxes()) {
        QVERIFY(b->untouched());
        b->leave();  // the focus passes through
    }
    PressOkThrough(*d, byDownload);
    QVERIFY(!d->isVisible());
    const QStringList changed = DifferingFields(before, c.settings());
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(", ")));

    // An edit elsewhere in the dialog leaves the untouched boxes alone too.
    if (dialog == QLatin1String("IOdialog")) {
        OpenDialog(r, dialog);
        r.child<QCheckBox>(*d, "chkBrake").click();
        PressOk(*d, byDownload);
        QCOMPARE(c.settings().MaxAccel, 8000.0);
        QCOMPARE(c.settings().BrakeReleaseDelay, 40000);
        QVERIFY(c.settings().BrakeOutputMode != before.BrakeOutputMode);
    }
}

void TestSettingsInForce::typedEntriesAreStillNormalised_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byDownload");
    for (const char* dialog : {"TMXdialog", "PulseDirDialog", "VelocityDialog", "AdvancedSettings", "EncoderDialog",
                               "IOdialog", "RegenDialog", "MotorDialog", "EditMotor"}) {
        for (const char* typed : {"abc", "999999"}) {
            QTest::addRow("%s, %s, OK", dialog, typed) << dialog << typed << false;
            QTest::addRow("%s, %s, the download's OK", dialog, typed) << dialog << typed << true;
        }
    }
}

// What the user typed is normalised as leaving the box would, also when
// the focus never left it and also when the download presses OK; the value
// the box filled in no longer counts once the text is another.
void TestSettingsInForce::typedEntriesAreStillNormalised()
{
    QFETCH(QString, dialog);
    QFETCH(QString, typed);
    QFETCH(bool, byDownload);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    SetFields(c.settings(), ModeOf(dialog) + QStringLiteral("RegenExternal=1"));
    SettingsDialog* d = OpenDialog(r, dialog);
    QVERIFY(d);
    for (NumberBox* b : d->numberBoxes()) {
        b->setText(typed);
        QVERIFY(!b->untouched());
    }
    PressOkThrough(*d, byDownload);
    QVERIFY(!d->isVisible());
    for (NumberBox* b : d->numberBoxes())
        QCOMPARE(b->text(), b->rule().normalised(typed));
    const QStringList outside = FieldsOutOfRange(c.settings());
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(", ")));
}

void TestSettingsInForce::retypedEntriesAreEdits_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("loaded");  // out of the box's range
    QTest::addColumn<QString>("how");
    QTest::addColumn<double>("stored");  // what OK writes
    const struct {
        const char* dialog;
        const char* box;
        const char* field;
        double loaded;
        double clamped;
    } rows[] = {
        {"TMXdialog", "SPR", "StepsPerRev", 60000, 51200},
        {"TMXdialog", "txtTxDelay", "TxDelay", 40000, 32000},
        {"PulseDirDialog", "SPR", "StepsPerRev", 60000, 51200},
        {"MotorDialog", "IdleDelayTime", "IdleDelay", 12, 10},
        {"EditMotor", "txtR", "CustomMotorR", 500, 320},
    };
    for (const auto& row : rows) {
        for (const char* how : {"typed", "pasted", "untouched"}) {
            const double stored = QByteArray(how) == "untouched" ? row.loaded : row.clamped;
            QTest::addRow("%s %s, %s", row.dialog, row.box, how)
                << row.dialog << row.box << row.field << row.loaded << how << stored;
        }
    }
    // The slider beside the box moved away and back by the user: an edit,
    // though box and slider show what they were filled with.
    QTest::newRow("MotorDialog IdleDelayTime, slider there and back")
        << "MotorDialog" << "IdleDelayTime" << "IdleDelay" << 5.0 << "slider" << 5.0;
}

// The user's entry counts as one even when it leaves the text the box was
// filled with: the same out-of-range number typed or pasted again is
// clamped (uploaded steps/rev 60000 typed again is stored as 51200); a box
// left as filled keeps the loaded value.
void TestSettingsInForce::retypedEntriesAreEdits()
{
    QFETCH(QString, dialog);
    QFETCH(QString, box);
    QFETCH(QString, field);
    QFETCH(double, loaded);
    QFETCH(QString, how);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    const SettingsField& f = *FindSettingsField(field);
    SetFields(c.settings(), ModeOf(dialog));
    SetFieldNumber(c.settings(), f, loaded);
    SettingsDialog* d = OpenDialog(r, dialog);
    QVERIFY(d);
    NumberBox& b = r.box(*d, box.toLatin1().constData());
    const QString filled = b.text();
    b.setFocus();
    b.selectAll();
    if (how == QLatin1String("typed")) {
        QTest::keyClicks(&b, filled);
    } else if (how == QLatin1String("pasted")) {
        QGuiApplication::clipboard()->setText(filled);
        b.paste();
    } else if (how == QLatin1String("slider")) {
        NumberSlider& slider = r.slider(*d, "SliderIdleDelay");
        const int at = slider.value();
        slider.triggerAction(QAbstractSlider::SliderSingleStepSub);
        QVERIFY(b.text() != filled);
        slider.triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(slider.value(), at);
    }
    QCOMPARE(b.text(), filled);
    QCOMPARE(b.untouched(), how == QLatin1String("untouched"));
    // OK with the focus still in the box.
    r.child<QPushButton>(*d, "cmdOK").click();
    QVERIFY(!d->isVisible());
    QTEST(FieldNumber(c.settings(), f), "stored");
}

void TestSettingsInForce::fileValuesAboveTheModelOpenAsWritten_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("fields");
    QTest::newRow("5 A on a 220 V model") << 4 << "RunCurrent=5;UseCustomMotor=1;CustomMotorCurrent=4";
    QTest::newRow("idle 95 %") << 1 << "IdleCurrentPct=95";
    QTest::newRow("above the motor's 1.5 x rated") << 0 << "RunCurrent=5.5;UseCustomMotor=1;CustomMotorCurrent=2";
}

// The model row is selected before the file's values are read: its limits
// act on what was in force, and the file opens as it was written.
void TestSettingsInForce::fileValuesAboveTheModelOpenAsWritten()
{
    QFETCH(int, model);
    QFETCH(QString, fields);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    ConfigFileContent content = CaptureConfiguration(c, QStringLiteral("1.0"));
    content.modelRow = static_cast<std::int16_t>(model);
    SetFields(content.settings, fields);
    c.settings().RunCurrent = 6.0;  // in force before: the model change may lower it
    c.selectModel(1);
    QVERIFY(r.openFile(content, QStringLiteral("high.cnf")));
    QVERIFY2(OtherMessages(r.rig.prompt).isEmpty(), qPrintable(OtherMessages(r.rig.prompt).join(", ")));
    QCOMPARE(c.modelIndex(), model);
    const QStringList changed = DifferingFields(content.settings, c.settings(), TextNumberTolerance);
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(", ")));
}

void TestSettingsInForce::slidersOpenOnRoundedPositions_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("idle delay 0.295") << "IdleDelay" << 0.295 << "SliderIdleDelay" << 30 << "0.30";
    QTest::newRow("idle delay 0.285") << "IdleDelay" << 0.285 << "SliderIdleDelay" << 28 << "0.28";
    QTest::newRow("ratio 0.15") << "InertiaRatio" << 0.15 << "SliderInertiaRatio" << 2 << "0.2";
    QTest::newRow("ratio 0.25") << "InertiaRatio" << 0.25 << "SliderInertiaRatio" << 2 << "0.2";
}

// The motor dialog's sliders take stored value x 100 (x 10), rounded, and
// the box shows the step the slider stands on.
void TestSettingsInForce::slidersOpenOnRoundedPositions()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, slider);
    MotorDialogRig r;
    r.start();
    SetFieldNumber(r.rig.cfg.settings(), *FindSettingsField(field), value);
    r.rig.main.hooks().showMotorDialog();
    NumberSlider& s = r.child<NumberSlider>(r.motor(), slider.toLatin1().constData());
    QTEST(s.value(), "position");
    QTEST(s.box().text(), "text");
}

void TestSettingsInForce::namesThroughTheEditorSaveAndOpen_data()
{
    const QString rocket = QStringLiteral("🚀");
    const QString accented = QStringLiteral("e\u0301");
    const QString twenty = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    QTest::addColumn<QString>("stored");  // the name before the editor opens
    QTest::addColumn<QString>("typed");   // pasted over the whole name; empty: untouched
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QByteArray>("field");  // the image's 13 bytes
    QTest::newRow("seven rockets") << "custom motor" << rocket.repeated(7) << rocket.repeated(7)
                                   << QByteArray("???????      ");
    QTest::newRow("twenty rockets") << "custom motor" << rocket.repeated(20) << rocket.repeated(13)
                                    << QByteArray("?????????????");
    QTest::newRow("combining accents") << "custom motor" << accented.repeated(20) << accented.repeated(13)
                                       << QByteArray("eeeeeeeeeeeee");
    QTest::newRow("20 characters typed") << "custom motor" << twenty << twenty.left(13)
                                         << QByteArray("ABCDEFGHIJKLM");
    QTest::newRow("20 characters from a file") << twenty << QString() << twenty << QByteArray("ABCDEFGHIJKLM");
    QTest::newRow("rockets from a file") << rocket.repeated(20) << QString() << rocket.repeated(20)
                                         << QByteArray("?????????????");
}

// A name given in the editor is saved and opened whole: the limit counts
// characters as the user sees them and applies to typing only.
void TestSettingsInForce::namesThroughTheEditorSaveAndOpen()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    c.settings().CustomMotorName = stored;
    c.settings().UseCustomMotor = true;
    EditMotor& e = r.edit();
    e.showFilled();
    auto& name = r.child<QLineEdit>(e, "txtMotorName");
    QCOMPARE(name.text(), stored);
    if (!typed.isEmpty()) {
        name.selectAll();
        name.insert(typed);  // as pasted, through the box's limit
    }
    // The download presses the editor's OK as the user's click would.
    e.pressOkIfVisible();
    QCOMPARE(c.settings().CustomMotorName, saved);
    QTEST(DownloadString(c.settings(), c.databaseMotor()).mid(110, 13), "field");

    const QString path = r.dir.filePath(QStringLiteral("name.cnf"));
    FileCommands& files = r.rig.main.fileCommands();
    files.setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
    files.MenuSaveAs_Click();
    c.settings().CustomMotorName = QStringLiteral("other");
    files.MenuOpen_Click();
    QVERIFY2(OtherMessages(r.rig.prompt).isEmpty(), qPrintable(OtherMessages(r.rig.prompt).join(", ")));
    QCOMPARE(c.settings().CustomMotorName, saved);
    // And through the editor once more, untouched.
    e.showFilled();
    QCOMPARE(name.text(), saved);
    r.child<QPushButton>(e, "cmdOK").click();
    QCOMPARE(c.settings().CustomMotorName, saved);
}

// The name box selects its whole text on getting the focus, as the number
// boxes do.
void TestSettingsInForce::nameBoxSelectsAllOnFocus()
{
    MotorDialogRig r;
    r.start();
    r.rig.cfg.settings().CustomMotorName = QStringLiteral("Bench motor 7");
    EditMotor& e = r.edit();
    e.showFilled();
    QVERIFY(QTest::qWaitForWindowActive(&e));
    auto& name = r.child<QLineEdit>(e, "txtMotorName");
    name.deselect();
    r.box(e, "txtR").setFocus(Qt::TabFocusReason);
    name.setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(name.selectedText(), QStringLiteral("Bench motor 7"));
}

void TestSettingsInForce::pastesIntoTheNameBox_data()
{
    const QString twenty = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    const QString accented = QStringLiteral("e\u0301");
    QTest::addColumn<QString>("stored");  // the name from a file
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("overAll");  // pasted over the whole name, else at its end
    QTest::addColumn<QString>("kept");
    QTest::newRow("32767 characters") << "custom motor" << QString(32767, QLatin1Char('x')) << true
                                      << QString(13, QLatin1Char('x'));
    QTest::newRow("32766 code units of accented letters")
        << "custom motor" << accented.repeated(16383) << true << accented.repeated(13);
    QTest::newRow("32767 over a long name") << twenty << QString(32767, QLatin1Char('x')) << true
                                            << QString(13, QLatin1Char('x'));
    QTest::newRow("a long name over itself") << twenty << twenty << true << twenty.left(13);
    QTest::newRow("another long name sharing its front")
        << "KORV4-LONGNAME-XYZ" << "KORV4-LONGNAME-ABC" << true << "KORV4-LONGNAM";
    QTest::newRow("at the end of a long name") << twenty << "UV" << false << twenty;
}

// Pasting into the custom motor's name takes what fits at once, however
// long the paste, and what is pasted over a long name from a file leaves no
// more than 13 characters.
void TestSettingsInForce::pastesIntoTheNameBox()
{
    QFETCH(QString, stored);
    QFETCH(QString, pasted);
    QFETCH(bool, overAll);
    MotorDialogRig r;
    r.start();
    r.rig.cfg.settings().CustomMotorName = stored;
    EditMotor& e = r.edit();
    e.showFilled();
    auto& name = r.child<QLineEdit>(e, "txtMotorName");
    QCOMPARE(name.text(), stored);
    name.setFocus();
    if (overAll)
        name.selectAll();
    else
        name.end(false);
    QGuiApplication::clipboard()->setText(pasted);
    QElapsedTimer clock;
    clock.start();
    name.paste();
    // Some 40 s once; a wide margin on a shared machine.
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    QTEST(name.text(), "kept");
    r.child<QPushButton>(e, "cmdOK").click();
    QTEST(r.rig.cfg.settings().CustomMotorName, "kept");
}

QTEST_MAIN(TestSettingsInForce)
#include "tst_settingsinforce.moc"
