#include "AlarmHistory.h"
#include "DriveTools.h"
#include "EditMotor.h"
#include "ExecStatus.h"
#include "Harmonizer.h"
#include "MainForm.h"
#include "MemorySerialPort.h"
#include "Program.h"
#include "ReferenceWindows.h"
#include "ScriptedPrompt.h"
#include "SelfTest.h"
#include "ServoFault.h"
#include "SettingsDialogs.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "TMXterm.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

// The name a screen reader gives the control: its accessible name, a
// button's caption, or the text of the label that names it (its buddy). A
// list's current entry is not its name, though on this platform the
// accessibility layer offers it as one.
QString AccessibleName(QWidget* w)
{
    if (!w->accessibleName().trimmed().isEmpty())
        return w->accessibleName().trimmed();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text().remove(QLatin1Char('&')).trimmed();
    for (QLabel* label : w->window()->findChildren<QLabel*>()) {
        if (label->buddy() == w)
            return label->text().remove(QLatin1Char('&')).trimmed();
    }
    return {};
}

// The caption a screen reader says for a list. On this platform the
// accessibility layer offers a list's current entry as its name, so the
// list is labelled through a relation: the label whose buddy it is, or the
// frame it sits in.
QString ListLabel(QComboBox* list)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    if (!iface)
        return {};
    for (const auto& relation : iface->relations(QAccessible::Label)) {
        const QString text = relation.first ? relation.first->text(QAccessible::Name).trimmed() : QString();
        if (!text.isEmpty())
            return text;
    }
    return {};
}

// Whether the widget is something a user clicks or types into (a part of
// another control, such as a list's scroll bar or a combo box's own edit
// line and popup, is named by the control it belongs to).
bool IsControl(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QTabBar*>(p) ||
            qobject_cast<QAbstractItemView*>(p) || qobject_cast<QMenuBar*>(p))
            return false;
    }
    if (qobject_cast<QScrollBar*>(w))
        return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
}

// The faults of one window: an empty title, controls without a name. Its
// controls in every state count, shown or not.
QStringList Faults(QWidget* window, const QString& label, int& controls)
{
    QStringList faults;
    if (window->windowTitle().trimmed().isEmpty())
        faults << label + QStringLiteral(": the window has no title");
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !IsControl(w))
            continue;
        ++controls;
        if (AccessibleName(w).isEmpty())
            faults << QStringLiteral("%1: %2 \"%3\" has no accessible name")
                          .arg(label, QString::fromLatin1(w->metaObject()->className()), w->objectName());
        if (auto* list = qobject_cast<QComboBox*>(w); list && ListLabel(list).isEmpty())
            faults << QStringLiteral("%1: the list \"%2\" has no label").arg(label, w->objectName());
    }
    return faults;
}

// The whole program over an in-memory port with a simulated drive that
// speaks both the configuration link and TMX text, so the tools that need
// an open port open.
struct ProgramRig {
    ScriptedPrompt prompt;
    MemorySerialPort port;
    SimulatedDrive drive{port};
    SimulatedTmx tmx{drive};
    Program program{prompt, port, qEnvironmentVariable("KORV4_BIN")};

    MainForm& main() { return *program.mainForm(); }
    WindowHooks& hooks() { return main().hooks(); }
    SettingsDialogs& dialogs() { return *program.dialogs(); }
    DriveTools& tools() { return *program.tools(); }
};

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    // Every window of the program opened as the user opens it: each has a
    // title, and every control in it a name a screen reader can say.
    void everyWindowNamed()
    {
        ProgramRig rig;
        rig.port.missingPorts = {2, 3, 4, 5, 6, 7, 8};
        QVERIFY(rig.program.start());
        QVERIFY(rig.port.isOpen());
        rig.prompt.clear();

        QStringList faults;
        QSet<QWidget*> seen;
        int controls = 0;
        // Checks the window the step opened (the active modal one, or else
        // every top-level window that became visible), then lets `close`
        // put it away.
        const auto check = [&](const QString& label, const std::function<void()>& open) {
            open();
            QCoreApplication::processEvents();
            bool found = false;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (!w->isVisible() || seen.contains(w) || qobject_cast<QMenu*>(w))
                    continue;
                seen.insert(w);
                found = true;
                faults << Faults(w, label + QStringLiteral(" (") + w->objectName() + QStringLiteral(")"), controls);
            }
            if (!found)
                faults << label + QStringLiteral(": no window opened");
        };
        // A window shown modal with exec(): checked from inside its loop.
        const auto checkModal = [&](const QString& label, const std::function<void()>& open) {
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) {
                    faults << label + QStringLiteral(": no window opened");
                    return;
                }
                faults << Faults(modal, label, controls);
                seen.insert(modal);
                modal->close();
            });
            open();
        };

        MainForm& main = rig.main();
        check(QStringLiteral("main window"), [] {});
        check(QStringLiteral("motor dialog"), [&] { RunHook(rig.hooks().showMotorDialog); });
        check(QStringLiteral("custom-motor editor"), [&] { rig.dialogs().editMotor().showFilled(); });
        check(QStringLiteral("motion-mode menu"), [&] { main.Motion_Click(false); });
        check(QStringLiteral("step input dialog"), [&] { RunHook(rig.hooks().showPulseDirDialog); });
        rig.program.configurator().settings().VelAnalog = true;  // Advanced... is on its analog frame
        check(QStringLiteral("velocity dialog"), [&] { RunHook(rig.hooks().showVelocityDialog); });
        check(QStringLiteral("advanced analog settings"), [&] {
            // The velocity dialog's Advanced... button.
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* advanced = w->isVisible() ? w->findChild<QPushButton*>(QStringLiteral("Advanced")) : nullptr;
                if (advanced)
                    advanced->click();
            }
        });
        check(QStringLiteral("serial mode dialog"),
              [&] { RunHook(rig.hooks().showTMXDialog, 2, QStringLiteral("TMX Configuration")); });
        check(QStringLiteral("encoder dialog"), [&] { RunHook(rig.hooks().showEncoderDialog); });
        check(QStringLiteral("I/O dialog"), [&] { RunHook(rig.hooks().showIODialog); });
        check(QStringLiteral("regen dialog"), [&] { RunHook(rig.hooks().showRegenDialog); });
        check(QStringLiteral("help viewer"), [&] { main.OpenHelpPage(QStringLiteral("index.html")); });
        checkModal(QStringLiteral("About box"), [&] { main.MenuAbout_Click(); });

        check(QStringLiteral("terminal"), [&] { RunHook(rig.hooks().showTerminal); });
        rig.tools().terminal().Quit_Click();
        check(QStringLiteral("status monitor"), [&] { RunHook(rig.hooks().showStatusMonitor); });
        rig.tools().statusMonitor().OK_Click();
        check(QStringLiteral("self test"), [&] { RunHook(rig.hooks().showSelfTest); });
        rig.tools().selfTest().StopSelfTest_Click();
        check(QStringLiteral("smoothing wizard"), [&] { rig.tools().harmonizer().showWizard(); });
        rig.tools().harmonizer().reject();
        check(QStringLiteral("fault window"), [&] {
            rig.tools().servoFault().ShowRedBoxes(1);
            rig.tools().servoFault().show();
        });
        rig.tools().servoFault().OK_Click();
        check(QStringLiteral("alarm history"), [&] { rig.tools().alarmHistory().show(); });
        rig.tools().alarmHistory().OK_Click();

        ReferenceWindows& ref = rig.tools().reference();
        check(QStringLiteral("command card"), [&] { ref.showSummary(); });
        check(QStringLiteral("servo card"), [&] { ref.showZepHelp(); });
        check(QStringLiteral("calculator"), [&] { ref.showCalculator(); });
        for (const CodeListPage& page : CodeListPages())
            check(page.window, [&] { ref.showCodeList(page.list); });

        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("\n") + faults.join(QLatin1Char('\n'))));
        QVERIFY(seen.size() >= 20 + int(CodeListPages().size()));
        qInfo("%d windows, %d controls", int(seen.size()), controls);
    }

    void listsSayWhatTheyAre_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("label");
        QTest::newRow("model list") << "MainForm" << "ModelList" << "Drive";
        QTest::newRow("port list") << "MainForm" << "CommList" << "Port";
        QTest::newRow("motor list") << "MotorDialog" << "MotorList" << "Motor";
        QTest::newRow("a list in a frame") << "MotorDialog" << "JUnits" << "Load Inertia";
    }

    // A list is announced by what it is, beside the entry it shows: the
    // model list as "Drive", not only "KORV4-J".
    void listsSayWhatTheyAre()
    {
        QFETCH(QString, window);
        QFETCH(QString, list);
        ProgramRig rig;
        rig.port.missingPorts = {2, 3, 4, 5, 6, 7, 8};
        QVERIFY(rig.program.start());
        RunHook(rig.hooks().showMotorDialog);
        QWidget* w = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == window)
                w = top;
        }
        QVERIFY(w);
        auto* combo = w->findChild<QComboBox*>(list);
        QVERIFY(combo);
        QVERIFY(!combo->currentText().isEmpty());
        QTEST(ListLabel(combo), "label");
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
