#include "Calculator.h"
#include "CodeListWindow.h"
#include "DriveTools.h"
#include "MainFormRig.h"
#include "ReferenceCardWindow.h"
#include "ReferenceWindows.h"
#include "AccessibleName.h"
#include "TMXterm.h"
#include "Twips.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(CodeList)

namespace {

// The main window with its drive tools, as the program makes them.
struct ToolsRig : MainFormRig {
    DriveTools tools{link, queries, main};
    ReferenceWindows& ref() { return tools.reference(); }
    // What the terminal's Help does.
    ReferenceCardWindow& openSummary()
    {
        RunHook(main.hooks().showTmxCommandCard);
        return ref().summary();
    }
    ReferenceCardWindow& openZep()
    {
        openSummary().button("ZEPservo")->click();
        return ref().zepHelp();
    }
};

// Every control a user can click or type into names itself.
void VerifyAccessibleNames(const QWidget& window)
{
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)
            || qobject_cast<const QComboBox*>(w))
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(window.objectName() + "." + w->objectName()));
    }
}

}  // namespace

class TestReferenceWindows : public QObject {
    Q_OBJECT
private slots:
    void cards_data();
    void cards();
    void codeLists_data();
    void codeLists();
    void summaryOkKeepsBitRatesServoCardAndCalculator();
    void servoCardOkClosesItsLists();
    void calculator();
    void calculatorResultIsRead_data();
    void calculatorResultIsRead();
    void singleInstances();
    void terminalHelpOpensTheCommandCard();
};

void TestReferenceWindows::cards_data()
{
    QTest::addColumn<bool>("zep");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("codeButtons");
    QTest::addColumn<QStringList>("checks");  // index, command, description, ...
    QTest::newRow("Summary") << false << "TMX Commands" << 44 << 9
                             << QStringList{"0", "AC", "accel rate (1-3000 rev/s/s)",
                                            "18", "JE", "jog enable",
                                            "19", "JS", "jog speed (.025-50 rev/sec)",
                                            "30", "SK", "stop & kill buffer",
                                            "37", "WT", "wait time (.01 - 300 sec)",
                                            "38", "DA", "Define Address (RS485)",
                                            "43", "IE", "immediate encoder request"};
    QTest::newRow("ZEPhelp") << true << "Additional ZEP Servo Commands" << 33 << 6
                             << QStringList{"0", "AI", "alarm input setting",
                                            "13", "ISX", "input status, extended I/O",
                                            "17", "IX", "immediate position error read",
                                            "18", "KD", "derivative gain",
                                            "32", "VM", "velocity, maximum"};
}

void TestReferenceWindows::cards()
{
    QFETCH(bool, zep);
    QFETCH(QString, caption);
    QFETCH(int, rows);
    QFETCH(int, codeButtons);
    QFETCH(QStringList, checks);
    ToolsRig rig;
    rig.start();
    ReferenceCardWindow& card = zep ? rig.openZep() : rig.openSummary();
    QVERIFY(card.isVisible());
    QVERIFY(!card.isModal());
    QVERIFY(card.parentWidget() == nullptr);
    QCOMPARE(card.windowTitle(), caption);
    QCOMPARE(card.commandLabels().size(), rows);
    QCOMPARE(card.descriptionLabels().size(), rows);
    for (int i = 0; i < checks.size(); i += 3) {
        const int at = checks.at(i).toInt();
        QCOMPARE(card.commandLabels().at(at)->text(), checks.at(i + 1));
        QCOMPARE(card.descriptionLabels().at(at)->text(), checks.at(i + 2));
    }
    int buttons = 0;
    for (const QAbstractButton* b : card.findChildren<QAbstractButton*>())
        buttons += b->text().isEmpty() ? 1 : 0;
    QCOMPARE(buttons, codeButtons);
    VerifyAccessibleNames(card);

    // Two columns: the left column's first row and the right column's first
    // row stand side by side, and each description follows its command.
    const QList<QLabel*>& cmd = card.commandLabels();
    const int rightTop = zep ? 18 : 19;
    QCOMPARE(cmd.at(rightTop)->y(), cmd.at(0)->y());
    QVERIFY(cmd.at(rightTop)->x() > card.descriptionLabels().at(0)->geometry().right());
    QVERIFY(cmd.at(1)->y() > cmd.at(0)->y());
    if (!zep) {
        // The second block starts under its heading, below both columns.
        const QLabel* heading = card.findChild<QLabel*>(QStringLiteral("heading"));
        QVERIFY(heading);
        QCOMPARE(heading->text(), QStringLiteral("Additional commands for encoder feedback or RS485 multi-drop"));
        QVERIFY(heading->y() > cmd.at(37)->y());
        QVERIFY(cmd.at(38)->y() > heading->y());
        QCOMPARE(cmd.at(41)->y(), cmd.at(38)->y());
    }
}

void TestReferenceWindows::codeLists_data()
{
    QTest::addColumn<CodeList>("list");
    QTest::addColumn<bool>("fromZep");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<QString>("lastRow");
    QTest::addColumn<QString>("okName");
    QTest::addColumn<QPoint>("offset");  // in pixels
    QTest::newRow("MRcodes") << CodeList::MRcodes << false << "cmdMRcodes" << "Microstep Resolution Codes" << 16
                             << "0 = 200 (Ky-500 only)" << "16 = Ky-500 only: s/r loaded from last DI command"
                             << "Command3" << QPoint(Twips(60), Twips(600));
    QTest::newRow("RScodes") << CodeList::RScodes << false << "cmdRScodes" << "Status Conditions" << 5
                             << "M = motion in progress" << "R = ready (none of above)" << "RScodesOK"
                             << QPoint(Twips(300), Twips(1200));
    QTest::newRow("BRcodes") << CodeList::BRcodes << false << "cmdBRcodes" << "Serial Port Bit Rate Codes" << 5
                             << "1 = 9600 (power up value)" << "5 = 115200" << "Command3" << QPoint(150, 75);
    QTest::newRow("LimCodes") << CodeList::LimCodes << false << "cmdLimitCodes" << "Limit Codes" << 3
                              << "1 = normally open" << "3 = not used" << "limOK" << QPoint(Twips(300), Twips(420));
    QTest::newRow("IOcodes from FS") << CodeList::IOcodes << false << "cmdIOcodes(2)" << "I/O Conditions" << 4
                                     << "H = high (open)" << "F = falling edge" << "IOcodesOK"
                                     << QPoint(Twips(300), Twips(3300));
    QTest::newRow("IOcodes from WI") << CodeList::IOcodes << false << "cmdIOcodes(1)" << "I/O Conditions" << 4
                                     << "H = high (open)" << "F = falling edge" << "IOcodesOK"
                                     << QPoint(Twips(300), Twips(3300));
    QTest::newRow("EFcodes") << CodeList::EFcodes << false << "btnEF" << "Encoder Functions" << 4 << "0 = none"
                             << "3 = both" << "Command1" << QPoint(Twips(300), Twips(3600));
    QTest::newRow("ControlModes") << CodeList::ControlModes << true << "cmdControlModes" << "Control Modes" << 4
                                  << "2 = analog torque" << "21 = point to point moves" << "RScodesOK"
                                  << QPoint(Twips(3000), Twips(600));
    QTest::newRow("DefCodes from SI") << CodeList::DefCodes << true << "cmdLimitCodes(4)" << "I/O Def. Codes" << 3
                                      << "1 = active closed" << "3 = not used" << "limOK"
                                      << QPoint(Twips(300), Twips(3000));
}

void TestReferenceWindows::codeLists()
{
    QFETCH(CodeList, list);
    QFETCH(bool, fromZep);
    QFETCH(QString, button);
    QFETCH(QString, title);
    QFETCH(int, rows);
    QFETCH(QString, firstRow);
    QFETCH(QString, lastRow);
    QFETCH(QString, okName);
    QFETCH(QPoint, offset);
    ToolsRig rig;
    rig.start();
    ReferenceCardWindow& card = fromZep ? rig.openZep() : rig.openSummary();
    card.move(200, 120);
    auto* open = card.findChild<QAbstractButton*>(button);
    QVERIFY(open);
    QVERIFY(!rig.ref().exists(list));
    open->click();
    QVERIFY(rig.ref().exists(list));
    CodeListWindow& window = rig.ref().codeList(list);
    QVERIFY(window.isVisible());
    QVERIFY(window.parentWidget() == nullptr);
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("title"))->text(), title);
    QCOMPARE(window.rowLabels().size(), rows);
    QCOMPARE(window.rowLabels().front()->text(), firstRow);
    QCOMPARE(window.rowLabels().back()->text(), lastRow);
    QCOMPARE(window.pos(), card.pos() + offset);
    VerifyAccessibleNames(window);

    // Moved away and opened again: back beside the card.
    window.move(5, 5);
    open->click();
    QCOMPARE(window.pos(), card.pos() + offset);

    // Its OK hides it and keeps it.
    QPushButton* ok = window.okButton();
    QCOMPARE(ok->objectName(), okName);
    ok->click();
    QVERIFY(!window.isVisible());
    QCOMPARE(&rig.ref().codeList(list), &window);
}

void TestReferenceWindows::summaryOkKeepsBitRatesServoCardAndCalculator()
{
    ToolsRig rig;
    rig.start();
    ReferenceCardWindow& summary = rig.openSummary();
    const QStringList opened{"cmdBRcodes", "cmdMRcodes", "cmdRScodes", "cmdLimitCodes", "cmdIOcodes(0)", "btnEF"};
    for (const QString& name : opened)
        summary.findChild<QAbstractButton*>(name)->click();
    summary.button("calc")->click();
    summary.button("ZEPservo")->click();
    summary.button("OK")->click();

    QVERIFY(!summary.isVisible());
    QVERIFY(rig.ref().codeList(CodeList::BRcodes).isVisible());
    QVERIFY(rig.ref().zepHelp().isVisible());
    QVERIFY(rig.ref().calculator().isVisible());
    for (CodeList list : {CodeList::MRcodes, CodeList::RScodes, CodeList::LimCodes, CodeList::IOcodes,
                          CodeList::EFcodes})
        QVERIFY(!rig.ref().codeList(list).isVisible());
}

void TestReferenceWindows::servoCardOkClosesItsLists()
{
    ToolsRig rig;
    rig.start();
    ReferenceCardWindow& zep = rig.openZep();
    zep.findChild<QAbstractButton*>(QStringLiteral("cmdControlModes"))->click();
    zep.findChild<QAbstractButton*>(QStringLiteral("cmdLimitCodes(0)"))->click();
    rig.ref().summary().findChild<QAbstractButton*>(QStringLiteral("cmdRScodes"))->click();
    zep.button("OK")->click();
    QVERIFY(!zep.isVisible());
    QVERIFY(!rig.ref().codeList(CodeList::ControlModes).isVisible());
    QVERIFY(!rig.ref().codeList(CodeList::DefCodes).isVisible());
    QVERIFY(rig.ref().codeList(CodeList::RScodes).isVisible());
    QVERIFY(rig.ref().summary().isVisible());
}

void TestReferenceWindows::calculator()
{
    ToolsRig rig;
    rig.start();
    rig.openSummary().button("calc")->click();
    Calculator& calc = rig.ref().calculator();
    QVERIFY(calc.isVisible());
    QCOMPARE(calc.windowTitle(), QStringLiteral("Calculator"));
    VerifyAccessibleNames(calc);
    QCOMPARE(calc.MR()->count(), 16);
    QCOMPARE(calc.MR()->currentText(), QStringLiteral("20000"));
    QCOMPARE(calc.VE()->text(), QStringLiteral("1"));
    QCOMPARE(calc.DE()->text(), QStringLiteral("25"));
    QCOMPARE(calc.DI()->text(), QStringLiteral("400"));

    // Every edit works the result out again.
    calc.VE()->clear();
    QTest::keyClicks(calc.VE(), "0");
    QCOMPARE(calc.DI()->text(), QStringLiteral("1"));
    calc.DE()->clear();
    QCOMPARE(calc.DI()->text(), QStringLiteral("N/A"));
    calc.MR()->setCurrentIndex(0);
    calc.VE()->setText(QStringLiteral("2"));
    QTest::keyClicks(calc.DE(), "10");
    QCOMPARE(calc.DI()->text(), QStringLiteral("40"));

    // OK hides it; opened again it keeps the values and the list.
    calc.okButton()->click();
    QVERIFY(!calc.isVisible());
    rig.ref().summary().button("calc")->click();
    QCOMPARE(&rig.ref().calculator(), &calc);
    QCOMPARE(calc.MR()->count(), 16);
    QCOMPARE(calc.MR()->currentText(), QStringLiteral("200"));
    QCOMPARE(calc.DE()->text(), QStringLiteral("10"));
    QCOMPARE(calc.DI()->text(), QStringLiteral("40"));
}

void TestReferenceWindows::calculatorResultIsRead_data()
{
    QTest::addColumn<QString>("velocity");
    QTest::addColumn<QString>("decel");
    QTest::addColumn<QString>("shown");
    QTest::newRow("as opened") << "1" << "25" << "400";
    QTest::newRow("at least one step") << "0" << "25" << "1";
    QTest::newRow("no decel rate") << "1" << "0" << "N/A";
    QTest::newRow("ten thousand") << "10" << "100" << "10000";
}

// A screen reader reads the minimum distance the label shows, after every
// edit, as it reads the drive's firmware version; what the number is comes
// from its description.
void TestReferenceWindows::calculatorResultIsRead()
{
    QFETCH(QString, velocity);
    QFETCH(QString, decel);
    QFETCH(QString, shown);
    ToolsRig rig;
    rig.start();
    rig.openSummary().button("calc")->click();
    Calculator& calc = rig.ref().calculator();
    calc.VE()->setText(velocity);
    calc.DE()->setText(decel);
    QCOMPARE(calc.DI()->text(), shown);
    QCOMPARE(AccessibleName(calc.DI()), shown);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(calc.DI());
    QVERIFY(iface->text(QAccessible::Description).contains(QStringLiteral("Minimum distance (DI)")));
}

void TestReferenceWindows::singleInstances()
{
    ToolsRig rig;
    rig.start();
    ReferenceCardWindow& first = rig.openSummary();
    first.button("OK")->click();
    QVERIFY(!first.isVisible());
    QCOMPARE(&rig.openSummary(), &first);
    QVERIFY(first.isVisible());
    // Without the tools registered the hook is empty and does nothing.
    MainFormRig bare;
    RunHook(bare.main.hooks().showTmxCommandCard);
}

void TestReferenceWindows::terminalHelpOpensTheCommandCard()
{
    ToolsRig rig;
    rig.start();
    rig.tools.terminal().findChild<QPushButton*>(QStringLiteral("Help"))->click();
    QVERIFY(rig.ref().summary().isVisible());
    QCOMPARE(rig.ref().summary().windowTitle(), QStringLiteral("TMX Commands"));
}

QTEST_MAIN(TestReferenceWindows)
#include "tst_referencewindows.moc"
