#include "ComPorts.h"
#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveImage.h"
#include "DriveTools.h"
#include "ExecStatus.h"
#include "FileCommands.h"
#include "MainForm.h"
#include "MotionMenu.h"
#include "NumberBox.h"
#include "PrintCommand.h"
#include "Program.h"
#include "ScriptedPrompt.h"
#include "SettingsDialogs.h"
#include "SettingsFields.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "SummaryGrid.h"
#include "TMXterm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

constexpr int Patience = 10000;

// The program as main() starts it, its COM1 a pseudo-terminal with a
// simulated drive at the far end.
struct Session {
    SimulatedDrive drive;
    ScriptedPrompt prompt;
    DeviceSerialPort port;
    std::optional<Program> program;

    Session()
    {
        PointComPortsAt(drive.slavePath());
        program.emplace(prompt, port, qEnvironmentVariable("KORV4_BIN"));
    }
    ~Session()
    {
        program.reset();
        ForgetComPorts();
    }
    MainForm& main() { return *program->mainForm(); }
    Settings& settings() { return program->configurator().settings(); }
    SettingsDialogs& dialogs() { return *program->dialogs(); }
    DriveTools& tools() { return *program->tools(); }
};

// The visible top-level window of that name (a dialog the program made).
QWidget* shownWindow(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == QLatin1String(name))
            return w;
    }
    return nullptr;
}

template <typename W>
W& control(QWidget& window, const char* name)
{
    W* w = window.findChild<W*>(QLatin1String(name));
    if (!w)
        qFatal("%s has no control %s", qPrintable(window.objectName()), name);
    return *w;
}

// What a user does: clicks, types over a box's text and leaves it, picks a
// list entry with the keyboard.
void click(QWidget& window, const char* name)
{
    control<QAbstractButton>(window, name).click();
}
void type(QWidget& window, const char* name, const QString& text)
{
    NumberBox& box = control<NumberBox>(window, name);
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
    box.leave();
}
void pick(QComboBox& list, int row)
{
    list.setFocus();
    while (list.currentIndex() < row)
        QTest::keyClick(&list, Qt::Key_Down);
    while (list.currentIndex() > row)
        QTest::keyClick(&list, Qt::Key_Up);
}
void pick(QWidget& window, const char* name, int row)
{
    pick(control<QComboBox>(window, name), row);
}

// The main window's picture buttons, clicked with the mouse, and its menus.
void press(MainForm& main, const char* button)
{
    QTest::mouseClick(&control<QAbstractButton>(main, button), Qt::LeftButton);
}
void choose(MainForm& main, const char* menuEntry)
{
    auto* action = main.findChild<QAction*>(QLatin1String(menuEntry));
    if (!action)
        qFatal("no menu entry %s", menuEntry);
    action->trigger();
}

QString text(QWidget& window, const char* name)
{
    return control<QLineEdit>(window, name).text();
}

// Every cell of the summary grid, a row a line.
QString gridText(const SummaryGrid& grid)
{
    QStringList rows;
    for (int r = 0; r < SummaryGrid::RowCount; ++r)
        rows << grid.cellText(r, 0) + QLatin1Char('\t') + grid.cellText(r, 1);
    return rows.join(QLatin1Char('\n'));
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(Patience);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The values the session sets in the dialogs; the drive, a file and the
// upload must all give them back.
struct Expected {
    const char* field;
    double value;
};
const Expected SessionValues[] = {
    // Motor dialog and the custom-motor editor
    {"UseCustomMotor", 1}, {"RunCurrent", 3.9}, {"IdleCurrentPct", 60}, {"InertiaAsRatio", 1},
    {"InertiaRatio", 3.5}, {"CustomMotorCurrent", 3}, {"CustomMotorR", 1.2}, {"CustomMotorL", 4.5},
    // Step input, kept while velocity is the mode in force
    {"PulseType", 2}, {"QuadDirBLeadsA", 1}, {"StepsPerRev", 20000}, {"StepFilterHz", 2000},
    // Velocity with its analog input and the advanced analog settings
    {"OperatingMode", 3}, {"ControlMode", 11}, {"VelSpeed", 12.5}, {"VelAccel", 150}, {"VelDecel", 120},
    {"VelAnalog", 1}, {"AnalogRange", 0}, {"AnalogScale", 20}, {"AnalogOffset", 20}, {"AnalogDeadband", 10},
    {"AnalogFilterHz", 800},
    // Encoder
    {"EncoderCounts", 2000}, {"EncoderDirCW", 1}, {"StallPrevent", 1}, {"MaxTorquePct", 80},
    {"HardStopFault", 1}, {"HardStopTimeMs", 150},
    // I/O
    {"EnableInputMode", 2}, {"BrakeOutputMode", 2}, {"BrakeReleaseDelay", 350}, {"BrakeEngageDelay", 450},
    {"LimitMode", 2}, {"MaxAccel", 2500},
    // Regen
    {"RegenExternal", 1}, {"RegenResWatts", 200}, {"RegenResOhms", 25}, {"RegenResSecs", 0.5}};

// Exactly from the dialogs and a file; from the drive, only the fields its
// image carries, to its resolution.
enum class Source { Settings, Drive };

void checkSessionValues(const Settings& s, const QString& where, Source source = Source::Settings)
{
    const double tolerance = source == Source::Drive ? 0.02 : 1e-9;
    for (const Expected& e : SessionValues) {
        const SettingsField* f = FindSettingsField(QString::fromLatin1(e.field));
        QVERIFY2(f, e.field);
        // The load inertia travels as the anti-resonance frequency it gives.
        if (source == Source::Drive && !f->inImage() && qstrcmp(e.field, "InertiaRatio") != 0)
            continue;
        const double got = FieldNumber(s, *f);
        QVERIFY2(std::abs(got - e.value) <= tolerance * std::max(1.0, std::abs(e.value)),
                 qPrintable(QStringLiteral("%1: %2 is %3, not %4").arg(where, QLatin1String(e.field)).arg(got).arg(e.value)));
    }
    QCOMPARE(s.CustomMotorName, QStringLiteral("Bench motor 7"));
}

}  // namespace

class TestUserSession : public QObject {
    Q_OBJECT
private slots:
    // One engineer's session with the whole program and a drive on COM1:
    // every dialog set through its controls, a download, a file saved and
    // opened again, an upload, a printout and the drive tools.
    void oneSession()
    {
        Session p;
        QVERIFY(p.drive.isPresent());
        QVERIFY(p.program->start());
        MainForm& main = p.main();
        Settings& s = p.settings();
        Configurator& cfg = p.program->configurator();
        QVERIFY(p.port.isOpen());
        QCOMPARE(p.prompt.titles(), QStringList());

        // --- The drive model, from the main window's list: the drive on the
        // bench is now a Ky (every identify selects the drive's own model).
        QCOMPARE(main.modelList().currentText(), QStringLiteral("KORV4-J"));
        const int ky = Configurator::ModelNames().indexOf(QStringLiteral("KORV4-Ky"));
        p.drive.modelCode = 41 + ky;
        pick(main.modelList(), ky);
        QCOMPARE(cfg.modelIndex(), ky);
        QCOMPARE(p.prompt.titles(), QStringList());

        // --- The motor dialog: a database motor, its currents and inertia.
        press(main, "Motor");
        QWidget* motor = shownWindow("MotorDialog");
        QVERIFY(motor);
        click(*motor, "optStandard");
        QComboBox& motors = control<QComboBox>(*motor, "MotorList");
        QVERIFY(motors.count() > 3);
        pick(motors, 3);
        const QString partNumber = motors.currentText();
        type(*motor, "txtDriveCurrent", QStringLiteral("2.5"));
        type(*motor, "txtIdlePercent", QStringLiteral("60"));
        click(*motor, "optRatio");
        type(*motor, "txtInertiaRatio", QStringLiteral("3.5"));
        click(*motor, "cmdOK");
        QVERIFY(!motor->isVisible());
        QVERIFY(!s.UseCustomMotor);
        QCOMPARE(cfg.databaseMotor().partNumber, partNumber);
        QCOMPARE(s.RunCurrent, 2.5);
        QCOMPARE(s.IdleCurrentPct, 60);
        QCOMPARE(s.InertiaRatio, 3.5);
        QVERIFY(cfg.state().SettingsChanged);

        // --- A custom motor defined in the editor and put to use.
        press(main, "Motor");
        click(*motor, "optCustom");
        click(*motor, "DefineNewMotor");
        QWidget* editor = shownWindow("EditMotor");
        QVERIFY(editor);
        QLineEdit& name = control<QLineEdit>(*editor, "txtMotorName");
        name.setFocus();
        name.selectAll();
        QTest::keyClicks(&name, QStringLiteral("Bench motor 7"));
        type(*editor, "txtRatedCurrent", QStringLiteral("3"));
        type(*editor, "txtR", QStringLiteral("1.2"));
        type(*editor, "txtL", QStringLiteral("4.5"));
        click(*editor, "cmdOK");
        QVERIFY(!editor->isVisible());
        QVERIFY(motor->isVisible());
        type(*motor, "txtDriveCurrent", QStringLiteral("3.9"));
        click(*motor, "cmdOK");
        QVERIFY(s.UseCustomMotor);
        QCOMPARE(s.CustomMotorName, QStringLiteral("Bench motor 7"));
        QCOMPARE(s.RunCurrent, 3.9);
        QCOMPARE(cfg.databaseMotor().partNumber, partNumber);  // still the database's choice

        // --- Motion: step input, then velocity with advanced analog settings.
        press(main, "Motion");
        auto* menu = qobject_cast<MotionMenu*>(shownWindow("MotionMenu"));
        QVERIFY(menu);
        menu->button(MotionMenuButton::PulseDirMode)->click();
        QWidget* pulseDir = shownWindow("PulseDirDialog");
        QVERIFY(pulseDir);
        QVERIFY(!menu->isVisible());
        click(*pulseDir, "optQuad");
        click(*pulseDir, "optDir1");
        type(*pulseDir, "SPR", QStringLiteral("20000"));
        type(*pulseDir, "txtStepFilterFreq", QStringLiteral("2000"));
        click(*pulseDir, "cmdOK");
        QCOMPARE(s.ControlMode, 7);
        QCOMPARE(s.PulseType, 2);
        QCOMPARE(s.StepsPerRev, 20000);

        press(main, "Motion");
        QVERIFY(menu->isVisible());
        menu->button(MotionMenuButton::VelocityMode)->click();
        QWidget* velocity = shownWindow("VelocityDialog");
        QVERIFY(velocity);
        type(*velocity, "txtSpeed", QStringLiteral("12.5"));
        type(*velocity, "txtAccel", QStringLiteral("150"));
        type(*velocity, "txtDecel", QStringLiteral("120"));
        click(*velocity, "chkAnalog");
        pick(*velocity, "ListAnalogRange", 0);
        type(*velocity, "CmdScale", QStringLiteral("20"));
        click(*velocity, "Advanced");
        QWidget* advanced = shownWindow("AdvancedSettings");
        QVERIFY(advanced);
        type(*advanced, "txtAnalogDeadband", QStringLiteral("10"));
        type(*advanced, "txtAnalogFilter", QStringLiteral("800"));
        // The drive measures 40 half-millivolts, once the user has said
        // that its input is at zero.
        click(*advanced, "AutoOffset");
        QCOMPARE(p.drive.offsetRequests, 1);
        QCOMPARE(text(*advanced, "txtCmdOffset"), QStringLiteral("20"));
        QCOMPARE(p.prompt.messages.size(), 1);
        QCOMPARE(p.prompt.messages.first().text, QStringLiteral("Make sure analog input to drive is set for zero."));
        p.prompt.clear();
        // Both stay open: the download takes what they show.
        QVERIFY(velocity->isVisible());
        QCOMPARE(s.ControlMode, 7);

        // --- Encoder (left open), I/O, regen (left open).
        press(main, "Encoder");
        QWidget* encoder = shownWindow("EncoderDialog");
        QVERIFY(encoder);
        type(*encoder, "txtEncCounts", QStringLiteral("2000"));
        click(*encoder, "optCW");
        click(*encoder, "chkCorrect");
        type(*encoder, "txtMaxTorque", QStringLiteral("80"));
        click(*encoder, "chkAttemptsFault");
        type(*encoder, "txtAttempts", QStringLiteral("150"));

        press(main, "IO");
        QWidget* io = shownWindow("IOdialog");
        QVERIFY(io);
        click(*io, "optServoClosed");
        click(*io, "chkBrake");
        click(*io, "optBrakeOpen");
        type(*io, "txtBrakeDelay", QStringLiteral("350"));
        type(*io, "txtBrakeEngage", QStringLiteral("450"));
        pick(*io, "ListLimits", 1);
        type(*io, "txtMaxAccel", QStringLiteral("2500"));
        click(*io, "cmdOK");

        press(main, "Regen");
        QWidget* regen = shownWindow("RegenDialog");
        QVERIFY(regen);
        click(*regen, "optExtRes");
        type(*regen, "RegenWatts", QStringLiteral("200"));
        type(*regen, "RegenOhms", QStringLiteral("25"));
        type(*regen, "RegenSecs", QStringLiteral(".5"));
        QVERIFY(encoder->isVisible());
        QVERIFY(regen->isVisible());

        // --- Download: the open dialogs' OKs are pressed first.
        press(main, "Download");
        QCOMPARE(p.prompt.titles(), QStringList());
        QCOMPARE(p.drive.downloadsTaken, 1);
        QVERIFY(!encoder->isVisible());
        QVERIFY(!regen->isVisible());
        QVERIFY(!velocity->isVisible());
        QVERIFY(!advanced->isVisible());
        QVERIFY(!cfg.state().SettingsChanged);
        QVERIFY(main.motionDescLabel().text().contains(QStringLiteral("Velocity"), Qt::CaseInsensitive));
        checkSessionValues(s, QStringLiteral("settings after the download"));
        if (QTest::currentTestFailed())
            return;
        const QByteArray firstImage = p.drive.image;
        Settings inDrive;
        const DecodedImage decoded = DecodeImage(p.drive.image, inDrive);
        QVERIFY(ChecksumGood(p.drive.image));
        QCOMPARE(decoded.databaseMotor.partNumber, partNumber);
        QCOMPARE(DifferingFields(s, inDrive, ImageTolerance), QStringList());
        // The load inertia goes as the anti-resonance frequency it gives.
        CalcLoadInertia(decoded.arFrequency, inDrive, decoded.databaseMotor);
        checkSessionValues(inDrive, QStringLiteral("image"), Source::Drive);
        if (QTest::currentTestFailed())
            return;

        // --- Saved to a file, changed, opened again; an open dialog refills.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("session.cnf"));
        main.fileCommands().setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
        choose(main, "MenuSaveAs");
        QVERIFY(QFile::exists(path));
        QCOMPARE(p.prompt.titles(), QStringList());
        const Settings saved = s;

        press(main, "Encoder");
        type(*encoder, "txtEncCounts", QStringLiteral("1000"));
        click(*encoder, "cmdOK");
        press(main, "Regen");
        click(*regen, "optIntRes");
        click(*regen, "cmdOK");
        press(main, "Motor");
        type(*motor, "txtIdlePercent", QStringLiteral("20"));
        click(*motor, "cmdOK");
        QCOMPARE(s.EncoderCounts, 1000);
        QCOMPARE(s.IdleCurrentPct, 20);
        // A 220 V model allows 3.2 A at most: the current is lowered, and the
        // summary says so at once.
        pick(main.modelList(), Configurator::ModelNames().indexOf(QStringLiteral("KORV4-Ky-220")));
        QCOMPARE(s.RunCurrent, 3.2);
        QCOMPARE(main.summary().cellText(1, 0), QStringLiteral("3.2"));
        press(main, "Encoder");  // these stay open over the file's opening
        QVERIFY(encoder->isVisible());
        press(main, "Motion");
        menu->button(MotionMenuButton::VelocityMode)->click();
        type(*velocity, "CmdScale", QStringLiteral("7"));
        click(*velocity, "Advanced");
        type(*advanced, "txtCmdOffset", QStringLiteral("-15"));
        type(*advanced, "txtAnalogDeadband", QStringLiteral("3"));

        choose(main, "MenuOpen");  // the unsaved changes are given up (Ok)
        QCOMPARE(p.prompt.titles(), QStringList{QStringLiteral("Open")});
        QCOMPARE(DifferingFields(saved, s, TextNumberTolerance).join(QLatin1Char('\n')), QString());
        checkSessionValues(s, QStringLiteral("file"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(encoder->isVisible());
        QCOMPARE(text(*encoder, "txtEncCounts"), QStringLiteral("2000"));
        QCOMPARE(text(*velocity, "CmdScale"), QStringLiteral("20"));
        QCOMPARE(text(*advanced, "txtCmdOffset"), QStringLiteral("20"));
        QCOMPARE(text(*advanced, "txtAnalogDeadband"), QStringLiteral("10"));
        click(*encoder, "cmdCancel");
        click(*advanced, "cmdCancel");
        click(*velocity, "cmdCancel");
        p.prompt.clear();
        // Saved again unchanged, the file is the same file.
        QFile first(path);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray firstBytes = first.readAll();
        first.close();
        choose(main, "MenuSave");
        QCOMPARE(p.prompt.titles(), QStringList());
        QVERIFY(first.open(QIODevice::ReadOnly));
        QCOMPARE(first.readAll(), firstBytes);
        first.close();

        // --- Upload: the settings, the open dialogs and the summary grid
        // from the drive.
        s.EncoderCounts = 1000;
        s.RegenExternal = false;
        press(main, "Motor");
        type(*motor, "txtDriveCurrent", QStringLiteral("1.5"));  // never OK'd
        press(main, "Regen");
        press(main, "Upload");
        QCOMPARE(p.prompt.titles(), QStringList());
        QVERIFY(motor->isVisible());
        QCOMPARE(text(*motor, "txtDriveCurrent"), QStringLiteral("3.90"));
        QVERIFY(control<QRadioButton>(*motor, "optCustom").isChecked());
        QVERIFY(control<QRadioButton>(*regen, "optExtRes").isChecked());
        QCOMPARE(text(*regen, "RegenOhms"), QStringLiteral("25"));
        click(*motor, "cmdCancel");
        click(*regen, "cmdCancel");
        checkSessionValues(s, QStringLiteral("upload"), Source::Drive);
        if (QTest::currentTestFailed())
            return;
        const QString summary = gridText(main.summary());
        for (const char* shown : {"Bench motor 7", "3.9", "60", "Velocity Mode", "20.000", "25", "200",
                                  "Open at limit", "Close to enable", "Open to release", "2000", "80%"})
            QVERIFY2(summary.contains(QLatin1String(shown)), qPrintable(QLatin1String(shown) + QLatin1String(" in\n") + summary));

        // --- Printed to a PDF: each dialog's values are on the page.
        const QString pdf = dir.filePath(QStringLiteral("session.pdf"));
        main.printCommand().setPrinterChooser([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        choose(main, "MenuPrint");
        QCOMPARE(p.prompt.titles(), QStringList());
        const QString printed = pdfText(pdf);
        for (const char* shown : {"KORV4-Ky", "Bench motor 7", "3.9", "60", "3.5", "12.5", "150", "120", "800",
                                  "2000", "80", "350", "450", "2500", "200", "25"})
            QVERIFY2(printed.contains(QLatin1String(shown)), qPrintable(QLatin1String(shown) + QLatin1String(" in\n") + printed));

        // --- The status monitor and the terminal, on a drive speaking TMX.
        {
            SimulatedTmx tmx(p.drive);
            choose(main, "MenuIOStatus");
            ExecStatus& monitor = p.tools().statusMonitor();
            QVERIFY(monitor.isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(monitor.poll().cyclesRun() >= 2, Patience);
            control<QAbstractButton>(monitor, "OK").click();
            QVERIFY(!monitor.isVisible());

            choose(main, "MenuTerminal");
            TMXterm& term = p.tools().terminal();
            QVERIFY(term.isVisible());
            QPlainTextEdit* box = term.commandText();
            QTest::keyClicks(box, QStringLiteral("VE"));
            QTest::keyClick(box, Qt::Key_Return);
            QTRY_VERIFY_WITH_TIMEOUT(term.history()->toPlainText().contains(QStringLiteral("VE=")), Patience);
            control<QAbstractButton>(term, "Quit").click();
            QVERIFY(!term.isVisible());
            QVERIFY(!cfg.state().TerminalMode);
        }
        QCOMPARE(p.prompt.titles(), QStringList());

        // --- The link is back to the configuration protocol.
        InitVars(s);
        press(main, "Upload");
        QCOMPARE(p.prompt.titles(), QStringList());
        checkSessionValues(s, QStringLiteral("final upload"), Source::Drive);
        if (QTest::currentTestFailed())
            return;
        // What came back goes back unchanged.
        press(main, "Download");
        QCOMPARE(p.prompt.titles(), QStringList());
        QCOMPARE(p.drive.downloadsTaken, 2);
        QCOMPARE(p.drive.image.toHex(' '), firstImage.toHex(' '));

        // --- File, Exit: nothing is left unsaved, so nothing is asked.
        press(main, "Encoder");
        QSignalSpy ending(&main, &MainForm::programEnding);
        choose(main, "MenuExit");
        QCOMPARE(ending.count(), 1);
        QCOMPARE(p.prompt.titles(), QStringList());
    }
};

QTEST_MAIN(TestUserSession)
#include "tst_usersession.moc"
