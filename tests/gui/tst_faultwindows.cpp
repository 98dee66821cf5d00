#include "AccessibleName.h"
#include "AlarmHistory.h"
#include "AlarmLamp.h"
#include "DriveTools.h"
#include "FaultCommands.h"
#include "MainFormRig.h"
#include "ServoFault.h"
#include "SimulatedDrive.h"
#include "Twips.h"
#include "Wait.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

// The main window and the drive tools on a pseudo-terminal, the simulated
// drive at the other end.
struct ToolsRig {
    SimulatedDrive drive;
    std::unique_ptr<DeviceRig> rig;
    std::unique_ptr<DriveTools> tools;

    ToolsRig()
    {
        qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
        rig = std::make_unique<DeviceRig>();
        rig->link.StartComm();
        rig->prompt.clear();
        tools = std::make_unique<DriveTools>(rig->link, rig->queries, rig->main);
    }
    ScriptedPrompt& prompt() { return rig->prompt; }
    void menu(const char* name) { rig->main.menuEntry(QString::fromLatin1(name))->trigger(); }
};

// Runs inspect on each modal window that comes up (inside its own event
// loop), then closes it if inspect left it open.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QDialog*)> inspect) : m_inspect(std::move(inspect))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog == m_current)
                return;
            m_current = dialog;
            ++count;
            m_inspect(dialog);
            if (dialog->isVisible())
                dialog->reject();
            m_current = nullptr;
        });
        m_timer.start();
    }
    int count = 0;

private:
    std::function<void(QDialog*)> m_inspect;
    QTimer m_timer;
    QDialog* m_current = nullptr;
};

int litLamps(const AlarmHistory& window, QList<QPair<int, int>>* red)
{
    int grey = 0;
    for (int code = 1; code <= 8; ++code) {
        for (int bit = 0; bit < 16; ++bit) {
            const QColor fill = window.lamp(code, bit)->fill();
            if (fill == AlarmLamp::red())
                *red << qMakePair(code, bit);
            else if (fill == AlarmLamp::lightGrey())
                ++grey;
        }
    }
    return grey;
}

}  // namespace

class TestFaultWindows : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (!SimulatedDrive().isPresent())
            QSKIP("no pseudo-terminals here");
        // A second modal run of a window already up would warn.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*[Rr]ecursive.*")));
    }

    void faultWindowComesOnceAndTakesLaterFaults()
    {
        ToolsRig t;
        QList<int> litWhenShown;
        bool outsideReceiving = false;
        ModalWatch watch([&](QDialog* d) {
            ServoFault& window = t.tools->servoFault();
            QCOMPARE(d, &window);
            QCOMPARE(d->windowTitle(), QStringLiteral("Drive Error"));
            litWhenShown << window.litWord();
            outsideReceiving = WaitDepth() == 0 && !t.rig->link.exchangeRunning();
            // A second fault while it is up: new lamps, no second window.
            t.drive.sendFault(8193);
            QTRY_COMPARE_WITH_TIMEOUT(window.litWord(), 8193, 2000);
            // Not in the mask: the lamps stay.
            t.drive.sendFault(2);
            QTest::qWait(100);
            QCOMPARE(window.litWord(), 8193);
            QTest::mouseClick(window.closeButton(), Qt::LeftButton);
            QVERIFY(!window.isVisible());
        });
        t.drive.sendFault(1);
        QTRY_COMPARE_WITH_TIMEOUT(watch.count, 1, 3000);
        QCOMPARE(litWhenShown, QList<int>{1});
        QVERIFY(outsideReceiving);
        QTest::qWait(150);
        QCOMPARE(watch.count, 1);
        // Hidden, not destroyed: the lamps of the last fault stay.
        QCOMPARE(t.tools->servoFault().litWord(), 8193);
        // Limits and under voltage alone raise no window.
        t.drive.sendFault(2 | 64);
        QTest::qWait(150);
        QCOMPARE(watch.count, 1);
        QVERIFY(t.prompt().messages.isEmpty());
    }

    void clearFaultButton_data()
    {
        QTest::addColumn<bool>("sticks");
        QTest::addColumn<int>("litAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("clears") << false << 0 << FaultCommands::ClearedText();
        QTest::newRow("sticks") << true << 0x81 << FaultCommands::WillNotClearText();
    }
    void clearFaultButton()
    {
        QFETCH(bool, sticks);
        ToolsRig t;
        t.drive.servoStatus = 0x0200;
        t.drive.faultSticks = sticks;
        bool stayedOpen = false;
        ModalWatch watch([&](QDialog*) {
            ServoFault& window = t.tools->servoFault();
            QTest::mouseClick(window.clearButton(), Qt::LeftButton);
            stayedOpen = window.isVisible();
        });
        t.drive.sendFault(0x81);
        QTRY_COMPARE_WITH_TIMEOUT(watch.count, 1, 3000);
        QVERIFY(stayedOpen);
        QTEST(t.tools->servoFault().litWord(), "litAfter");
        QCOMPARE(t.prompt().messages.size(), 1);
        QTEST(t.prompt().messages[0].text, "message");
        QCOMPARE(t.drive.received, QByteArray("zzny\x80", 5));
    }

    void alarmHistoryFromTheMenu()
    {
        ToolsRig t;
        t.drive.alarmHistory = QByteArray::fromHex("0080" "000000000000000000000000" "FFFF");
        QList<QPair<int, int>> redShown, redAfterClear;
        int greyShown = 0, greyAfterClear = 0;
        ModalWatch watch([&](QDialog* d) {
            AlarmHistory& window = t.tools->alarmHistory();
            QCOMPARE(d, &window);
            QCOMPARE(d->windowTitle(), QStringLiteral("Alarm History"));
            greyShown = litLamps(window, &redShown);
            QTest::mouseClick(window.clearButton(), Qt::LeftButton);
            greyAfterClear = litLamps(window, &redAfterClear);
            QTest::mouseClick(window.closeButton(), Qt::LeftButton);
        });
        t.menu("MenuHistory");
        QCOMPARE(watch.count, 1);
        // Word 0 = 128: lamp 7 of code 1; word 7 = FFFF: all of code 8.
        QList<QPair<int, int>> expected{qMakePair(1, 7)};
        for (int bit = 0; bit < 16; ++bit)
            expected << qMakePair(8, bit);
        QCOMPARE(redShown, expected);
        QCOMPARE(greyShown, 128 - 17);
        QVERIFY(redAfterClear.isEmpty());
        QCOMPARE(greyAfterClear, 128);
        QCOMPARE(t.drive.received, QByteArray("aoa"));
        QVERIFY(t.prompt().messages.isEmpty());
        QCOMPARE(t.rig->main.progressBar().value(), 0);
        QCOMPARE(t.rig->main.progressBar().palette().color(QPalette::Highlight), QColor(0x00, 0xC0, 0x00));
        QVERIFY(!t.tools->alarmHistory().isVisible());
    }

    void silentDriveOpensNoHistory()
    {
        ToolsRig t;
        t.drive.answersAlarmHistory = false;
        ModalWatch watch([](QDialog*) {});
        t.menu("MenuHistory");
        QTest::qWait(50);
        QCOMPARE(watch.count, 0);
        QCOMPARE(t.prompt().titles(), QStringList{"Alarm History Upload "});
    }

    void clearHistoryWithSilentDriveKeepsLamps()
    {
        ToolsRig t;
        t.drive.alarmHistory = QByteArray::fromHex("00010000000000000000000000000000");
        QList<QPair<int, int>> red;
        ModalWatch watch([&](QDialog*) {
            AlarmHistory& window = t.tools->alarmHistory();
            t.drive.silent = true;
            QTest::mouseClick(window.clearButton(), Qt::LeftButton);
            litLamps(window, &red);
        });
        t.menu("MenuHistory");
        QCOMPARE(watch.count, 1);
        QCOMPARE(red, (QList<QPair<int, int>>{qMakePair(1, 0)}));
        QCOMPARE(t.prompt().titles(), QStringList{"Alarm History Upload "});
    }

    void clearAlarmFromTheMenu()
    {
        ToolsRig t;
        t.drive.servoStatus = 0x0200;
        t.menu("MenuClearFault");
        QCOMPARE(t.prompt().messages.size(), 1);
        QCOMPARE(t.prompt().messages[0].text, FaultCommands::ClearedText());
        QTRY_COMPARE_WITH_TIMEOUT(t.drive.received, QByteArray("zy\x80n", 4), 2000);
    }

    void restoreFromTheMenu_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("received");
        QTest::newRow("cancel") << int(Prompt::Answer::Cancel) << QByteArray();
        QTest::newRow("ok") << int(Prompt::Answer::Ok) << QByteArray("i4719Cy\x8E", 8);
    }
    void restoreFromTheMenu()
    {
        QFETCH(int, answer);
        ToolsRig t;
        t.prompt().answers << Prompt::Answer(answer);
        t.menu("MenuRestore");
        QCOMPARE(t.prompt().titles(), QStringList{"Reset Drive Data"});
        QTest::qWait(50);
        QTEST(t.drive.received, "received");
    }

    void closedPortMenusDoNothing()
    {
        ToolsRig t;
        t.rig->port.close();
        ModalWatch watch([](QDialog*) {});
        for (const char* entry : {"MenuHistory", "MenuClearFault", "MenuRestore"})
            t.menu(entry);
        QTest::qWait(50);
        QCOMPARE(watch.count, 0);
        QVERIFY(t.prompt().messages.isEmpty());
        QVERIFY(t.drive.received.isEmpty());
    }

    void namesAndCaptions()
    {
        ToolsRig t;
        ServoFault& fault = t.tools->servoFault();
        AlarmHistory& history = t.tools->alarmHistory();
        QCOMPARE(fault.windowTitle(), QStringLiteral("Drive Error"));
        QCOMPARE(history.windowTitle(), QStringLiteral("Alarm History"));
        QCOMPARE(fault.clearButton()->text(), QStringLiteral("Clear Fault"));
        QCOMPARE(history.clearButton()->text(), QStringLiteral("Clear History"));
        QCOMPARE(fault.closeButton()->text(), QStringLiteral("Close"));
        QCOMPARE(fault.findChildren<AlarmLamp*>().size(), 14 + 1);
        QCOMPARE(history.findChildren<AlarmLamp*>().size(), 128 + 1);
        QCOMPARE(AccessibleName(fault.lamp(7)), QStringLiteral("motor short"));
        QCOMPARE(AccessibleName(history.lamp(1, 7)), QStringLiteral("over current, code 1"));
        for (QWidget* window : {static_cast<QWidget*>(&fault), static_cast<QWidget*>(&history)}) {
            for (QPushButton* b : window->findChildren<QPushButton*>())
                QCOMPARE(AccessibleName(b), b->text());
            for (AlarmLamp* lamp : window->findChildren<AlarmLamp*>())
                QVERIFY2(!AccessibleName(lamp).isEmpty(), qPrintable(lamp->objectName()));
        }
    }

    // The windows at their designed inside sizes, the lamps at their pitch
    // (255-twip squares every 240 twips, so neighbours share a border), and
    // every caption whole inside the window.
    void designedSizesAndPlaces()
    {
        ToolsRig t;
        ServoFault& fault = t.tools->servoFault();
        AlarmHistory& history = t.tools->alarmHistory();
        fault.show();
        history.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fault));
        QVERIFY(QTest::qWaitForWindowExposed(&history));
        QCOMPARE(fault.size(), QSize(Twips(3735), Twips(3720)));
        QCOMPARE(history.size(), QSize(Twips(4515), Twips(5385)));

        QWidget* frame = fault.findChild<QWidget*>(QStringLiteral("Frame1"));
        QVERIFY(frame);
        for (int bit = 0; bit < 14; ++bit) {
            const QPoint at = fault.lamp(bit)->pos();
            QCOMPARE(fault.lamp(bit)->parentWidget(), frame);
            QCOMPARE(at, QPoint(Twips(bit < 7 ? 1320 : 1560), Twips(300 + 240 * (bit % 7))));
            QCOMPARE(fault.lamp(bit)->size(), QSize(Twips(255), Twips(255)));
        }
        for (int code = 1; code <= 8; ++code)
            for (int bit = 0; bit < 16; ++bit)
                QCOMPARE(history.lamp(code, bit)->pos(),
                         QPoint(Twips(2400 + 240 * (code - 1)), Twips(360 + 240 * bit)));

        for (QWidget* window : {static_cast<QWidget*>(&fault), static_cast<QWidget*>(&history)}) {
            for (QWidget* w : window->findChildren<QWidget*>()) {
                const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
                QVERIFY2(window->rect().contains(inWindow), qPrintable(w->objectName()));
                if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && !label->text().isEmpty())
                    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
                if (auto* button = qobject_cast<QPushButton*>(w))
                    QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
            }
            auto* intro = window->findChild<QLabel*>(QStringLiteral("Label2"));
            QVERIFY(intro->height() >= intro->heightForWidth(intro->width()));
        }
        // Captions of the fault window's rows sit beside their lamps: left of
        // the first column, right of the second.
        for (int bit = 0; bit < 14; ++bit) {
            auto* caption = fault.findChild<QLabel*>(QStringLiteral("Label1_%1").arg(bit));
            const QRect lamp = fault.lamp(bit)->geometry();
            QVERIFY(caption->geometry().top() <= lamp.center().y() && caption->geometry().bottom() >= lamp.center().y());
            if (bit < 7)
                QVERIFY(caption->geometry().right() < lamp.left());
            else
                QVERIFY(caption->geometry().left() > lamp.right());
        }
        fault.hide();
        history.hide();
    }

    // Lamps draw their own fill and border: no style sheet of each one's own
    // (129 of them in the history cost megabytes).
    void lampsDrawThemselves()
    {
        ToolsRig t;
        AlarmHistory& history = t.tools->alarmHistory();
        history.DispAlarmHistory(QByteArray::fromHex("0001") + QByteArray(14, '\0'));
        for (AlarmLamp* lamp : history.findChildren<AlarmLamp*>())
            QVERIFY2(lamp->styleSheet().isEmpty(), qPrintable(lamp->objectName()));
        const QImage lit = history.lamp(1, 0)->grab().toImage();
        const QImage grey = history.lamp(1, 1)->grab().toImage();
        const QPoint middle(lit.width() / 2, lit.height() / 2);
        QCOMPARE(lit.pixelColor(middle), AlarmLamp::red());
        QCOMPARE(grey.pixelColor(middle), AlarmLamp::lightGrey());
        QCOMPARE(lit.pixelColor(0, 0), QColor(Qt::black));
        ServoFault& fault = t.tools->servoFault();
        fault.ShowRedBoxes(0);
        const QImage out = fault.lamp(0)->grab().toImage();
        QCOMPARE(out.pixelColor(0, 0), QColor(Qt::black));
        QVERIFY(out.pixelColor(middle) != AlarmLamp::red());
    }
};

QTEST_MAIN(TestFaultWindows)
#include "tst_faultwindows.moc"
