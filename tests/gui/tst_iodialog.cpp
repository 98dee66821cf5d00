#include "HelpScreen.h"
#include "EncoderDialog.h"
#include "IOdialog.h"
#include "PictureButton.h"
#include "RegenDialog.h"
#include "MainFormRig.h"
#include "NumberBox.h"
#include "SettingsDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest>

namespace {

// The program's main window with its settings dialogs, started (which
// fills the limit-sensor list).
struct Rig : MainFormRig {
    SettingsDialogs dialogs{cfg, main, transfer};
    IOdialog& d = dialogs.ioDialog();
    Rig() { start(); }

    void open() { RunHook(main.hooks().showIODialog); }
    template <typename T>
    T* child(const char* name) { return d.findChild<T*>(QLatin1String(name)); }
    bool selected(const char* option) { return child<QRadioButton>(option)->isChecked(); }
    void ok() { QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton); }
};

}  // namespace

class TestIODialog : public QObject {
    Q_OBJECT
private slots:
    void limitListFilledAtStartUp()
    {
        Rig rig;
        QComboBox* limits = rig.child<QComboBox>("ListLimits");
        QCOMPARE(limits->count(), 3);
        QCOMPARE(limits->itemText(2), QStringLiteral("not used"));
        QCOMPARE(limits->currentIndex(), 0);
        QVERIFY(!rig.d.isVisible());
    }

    // Codes from a file or a drive, what the opener shows and what OK
    // without changes stores.
    void fillAndOk_data()
    {
        QTest::addColumn<QList<int>>("modes");  // enable, reset, alarm out, brake, motion, limits
        QTest::addColumn<QStringList>("shown"); // the options selected, the tach row, the limit row
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("tach 400, closed limits")
            << QList<int>{1, 1, 1, 1, 6, 1}
            << QStringList{"optServoOpen", "optCloseAlarm", "optBrakeClose", "optMotionTach", "400 pulses/rev", "closed"}
            << QList<int>{1, 1, 1, 1, 6, 1};
        QTest::newRow("reset by opening, no limits")
            << QList<int>{2, 2, 2, 2, 2, 3}
            << QStringList{"optServoClosed", "optOpenAlarm", "optBrakeOpen", "optMotionClosed", "100 pulses/rev", "not used"}
            << QList<int>{2, 3, 2, 2, 2, 3};
        QTest::newRow("automatic enable, nothing used")
            << QList<int>{3, 3, 3, 3, 3, 2}
            << QStringList{"optEnableAuto", "optNoAlarm", "optBrakeClose", "optMotionOff", "100 pulses/rev", "open"}
            << QList<int>{3, 3, 3, 3, 3, 2};
    }
    void fillAndOk()
    {
        QFETCH(QList<int>, modes);
        QFETCH(QStringList, shown);
        QFETCH(QList<int>, stored);
        Rig rig;
        Settings& s = rig.cfg.settings();
        s.EnableInputMode = modes[0];
        s.AlarmResetMode = modes[1];
        s.AlarmOutputMode = modes[2];
        s.BrakeOutputMode = modes[3];
        s.MotionOutputMode = modes[4];
        s.LimitMode = modes[5];
        s.BrakeReleaseDelay = 350;
        s.BrakeEngageDelay = 450;
        s.MaxAccel = 2500;
        rig.open();
        QVERIFY(rig.d.isVisible());
        for (int i = 0; i < 4; ++i)
            QVERIFY2(rig.selected(qPrintable(shown[i])), qPrintable(shown[i]));
        QCOMPARE(rig.child<QCheckBox>("chkAlarmInput")->isChecked(), modes[1] == 1);
        QCOMPARE(rig.child<QCheckBox>("chkBrake")->isChecked(), modes[3] != 3);
        QCOMPARE(rig.child<QComboBox>("TachPPR")->currentText(), shown[4]);
        QCOMPARE(rig.child<QComboBox>("ListLimits")->currentText(), shown[5]);
        QCOMPARE(rig.child<NumberBox>("txtBrakeDelay")->text(), QStringLiteral("350"));
        QCOMPARE(rig.child<NumberBox>("txtBrakeEngage")->text(), QStringLiteral("450"));
        QCOMPARE(rig.child<NumberBox>("txtMaxAccel")->text(), QStringLiteral("2500"));

        rig.ok();
        QVERIFY(!rig.d.isVisible());
        QCOMPARE((QList<int>{s.EnableInputMode, s.AlarmResetMode, s.AlarmOutputMode, s.BrakeOutputMode,
                             s.MotionOutputMode, s.LimitMode}),
                 stored);
        QCOMPARE(s.BrakeReleaseDelay, 350);
        QCOMPARE(s.BrakeEngageDelay, 450);
        QCOMPARE(s.MaxAccel, 2500.0);
        QVERIFY(rig.cfg.state().SettingsChanged);
        QVERIFY(rig.main.summary().isRefreshed(SummaryGrid::IOBlock));
        if (modes[4] == 6)
            QCOMPARE(rig.main.summary().cellText(17, 1), QStringLiteral("Tach 400 ppr"));
    }

    // A brake or a tach the user sets by hand, the way the summary reads it.
    void userChoices()
    {
        Rig rig;
        rig.open();
        QTest::mouseClick(rig.child<QCheckBox>("chkBrake"), Qt::LeftButton);
        QTest::mouseClick(rig.child<QRadioButton>("optBrakeOpen"), Qt::LeftButton);
        QTest::mouseClick(rig.child<QRadioButton>("optMotionTach"), Qt::LeftButton);
        rig.child<QComboBox>("TachPPR")->setCurrentIndex(4);
        rig.child<QComboBox>("ListLimits")->setCurrentIndex(1);
        rig.ok();
        const Settings& s = rig.cfg.settings();
        QCOMPARE(s.BrakeOutputMode, 2);
        QCOMPARE(s.MotionOutputMode, 8);
        QCOMPARE(s.LimitMode, 2);
        QCOMPARE(rig.main.summary().cellText(18, 1), QStringLiteral("Open to release"));

        // An unused brake opens unticked, its option kept from last time.
        rig.cfg.settings().BrakeOutputMode = 3;
        rig.open();
        QVERIFY(!rig.child<QCheckBox>("chkBrake")->isChecked());
        QVERIFY(rig.selected("optBrakeOpen"));
        QVERIFY(rig.child<QRadioButton>("optBrakeOpen")->isEnabled());
    }

    void clampedBeforeOk_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::newRow("decel fraction") << "txtMaxAccel" << "0.4" << 1.0;
        QTest::newRow("decel rounded") << "txtMaxAccel" << "1234.5" << 1234.0;
        QTest::newRow("decel above") << "txtMaxAccel" << "9000" << 5000.0;
        QTest::newRow("release above") << "txtBrakeDelay" << "40000" << 32000.0;
        QTest::newRow("engage negative") << "txtBrakeEngage" << "-3" << 0.0;
    }
    void clampedBeforeOk()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        Rig rig;
        rig.open();
        rig.d.findChild<NumberBox*>(box)->setText(typed);
        rig.d.OK_Click();
        const Settings& s = rig.cfg.settings();
        const double got = box == QLatin1String("txtMaxAccel")     ? s.MaxAccel
                           : box == QLatin1String("txtBrakeDelay") ? s.BrakeReleaseDelay
                                                                   : s.BrakeEngageDelay;
        QCOMPARE(got, stored);
    }

    void cancelChangesNothing()
    {
        Rig rig;
        rig.open();
        QTest::mouseClick(rig.child<QRadioButton>("optServoClosed"), Qt::LeftButton);
        rig.child<QPushButton>("cmdCancel")->click();
        QCOMPARE(rig.cfg.settings().EnableInputMode, 3);
        QVERIFY(!rig.cfg.state().SettingsChanged);
        rig.open();
        QVERIFY(rig.selected("optEnableAuto"));
    }

    // "Show history..." opens the alarm history as the Drive menu does;
    // "Wiring..." and Help open their pages.
    void buttons()
    {
        Rig rig;
        int histories = 0;
        rig.main.hooks().showAlarmHistory = [&] { ++histories; };
        rig.open();
        QTest::mouseClick(rig.child<QPushButton>("ShowHistory"), Qt::LeftButton);
        QCOMPARE(histories, 1);
        QVERIFY(rig.d.isVisible());
        QTest::mouseClick(rig.child<QPushButton>("Wiring"), Qt::LeftButton);
        QVERIFY(rig.main.helpScreen());
        QVERIFY(rig.main.helpScreen()->browser()->source().toString().endsWith("Connecting_IO_to_InOut1.html"));
        QTest::mouseClick(rig.child<QPushButton>("cmdHelp"), Qt::LeftButton);
        QVERIFY(rig.main.helpScreen()->browser()->source().toString().endsWith("ConfigSoftware_InputsOutputs.html"));
        QVERIFY(rig.d.isVisible());
    }

    // The picture buttons and the summary's blocks open the three dialogs.
    void openedByButtonsAndGrid_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("block");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("encoder") << "Encoder" << int(SummaryGrid::EncoderBlock) << "EncoderDialog";
        QTest::newRow("I/O") << "IO" << int(SummaryGrid::IOBlock) << "IOdialog";
        QTest::newRow("regen") << "Regen" << int(SummaryGrid::RegenBlock) << "RegenDialog";
    }
    void openedByButtonsAndGrid()
    {
        QFETCH(QString, button);
        QFETCH(int, block);
        QFETCH(QString, dialog);
        Rig rig;
        const QList<SettingsDialog*> all{&rig.dialogs.encoderDialog(), &rig.dialogs.ioDialog(),
                                         &rig.dialogs.regenDialog()};
        auto shown = [&] {
            QStringList names;
            for (SettingsDialog* d : all)
                if (d->isVisible())
                    names << d->objectName();
            return names;
        };
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        QTest::mouseClick(rig.main.pictureButton(button), Qt::LeftButton);
        QCOMPARE(shown(), QStringList{dialog});
        for (SettingsDialog* d : all)
            d->Cancel_Click();
        rig.main.Summary_Click(block, {});
        QCOMPARE(shown(), QStringList{dialog});
    }

    void titleAndNames()
    {
        Rig rig;
        rig.open();
        QCOMPARE(rig.d.windowTitle(), QStringLiteral("I/O Configuration"));
        int named = 0;
        for (QWidget* w : rig.d.findChildren<QWidget*>()) {
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
                ++named;
            }
        }
        // 12 options, 2 check boxes, 3 boxes, 2 lists, 5 buttons.
        QCOMPARE(named, 24);
        QVERIFY(!rig.child<QPushButton>("cmdOK")->isDefault());
    }
};

QTEST_MAIN(TestIODialog)
#include "tst_iodialog.moc"
