#include "EncoderDialog.h"
#include "MainFormRig.h"
#include "NumberBox.h"
#include "SettingsDialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The program's main window with its settings dialogs, started.
struct Rig : MainFormRig {
    SettingsDialogs dialogs{cfg, main, transfer};
    EncoderDialog& d = dialogs.encoderDialog();
    Rig() { start(); }

    void open() { RunHook(main.hooks().showEncoderDialog); }
    template <typename T>
    T* child(const char* name) { return d.findChild<T*>(QLatin1String(name)); }
    QCheckBox* check(const char* name) { return child<QCheckBox>(name); }
    NumberBox* box(const char* name) { return child<NumberBox>(name); }
    void ok() { QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton); }
};

}  // namespace

class TestEncoderDialog : public QObject {
    Q_OBJECT
private slots:
    // The opener shows the settings, each control running its own rule;
    // OK stores what is shown.
    void fillAndOk_data()
    {
        QTest::addColumn<bool>("prevent");
        QTest::addColumn<bool>("detect");
        QTest::addColumn<bool>("hardStop");
        QTest::addColumn<bool>("cw");
        QTest::addColumn<QString>("diagram");
        QTest::newRow("both stall switches") << true << true << true << false << "EncoderPhaseAB";
        QTest::newRow("hard stop without prevention") << false << false << true << true << "EncoderPhaseBA";
        QTest::newRow("prevention with hard stop") << true << false << true << true << "EncoderPhaseBA";
    }
    void fillAndOk()
    {
        QFETCH(bool, prevent);
        QFETCH(bool, detect);
        QFETCH(bool, hardStop);
        QFETCH(bool, cw);
        QFETCH(QString, diagram);
        Rig rig;
        // The dialog was last left the other way round.
        rig.open();
        rig.check("chkStallDetect")->setChecked(!detect);
        rig.child<QRadioButton>(cw ? "optCCW" : "optCW")->setChecked(true);
        rig.child<QPushButton>("cmdCancel")->click();

        Settings& s = rig.cfg.settings();
        s.StallPrevent = prevent;
        s.StallDetect = detect;
        s.HardStopFault = hardStop;
        s.EncoderDirCW = cw;
        s.EncoderCounts = 2000;
        s.MaxTorquePct = 70;
        s.HardStopTimeMs = 300;
        s.EncoderSingleEnded = true;
        rig.cfg.state().SettingsChanged = false;
        rig.open();
        QVERIFY(rig.d.isVisible());
        const bool shownPrevent = prevent && !detect;
        const bool shownHardStop = hardStop && prevent;
        QCOMPARE(rig.check("chkCorrect")->isChecked(), shownPrevent);
        QCOMPARE(rig.check("chkStallDetect")->isChecked(), detect);
        QCOMPARE(rig.check("chkAttemptsFault")->isChecked(), shownHardStop);
        QCOMPARE(rig.child<QRadioButton>("optCW")->isChecked(), cw);
        QCOMPARE(rig.d.diagram(), diagram);
        QCOMPARE(rig.box("txtEncCounts")->text(), QStringLiteral("2000"));
        QCOMPARE(rig.child<QLabel>("lblLines")->text(), QStringLiteral("counts/turn (500 lines)"));
        QCOMPARE(rig.box("txtMaxTorque")->text(), QStringLiteral("70"));
        QCOMPARE(rig.box("txtAttempts")->text(), QStringLiteral("300"));
        QVERIFY(!rig.cfg.state().SettingsChanged);

        rig.ok();
        QVERIFY(!rig.d.isVisible());
        QCOMPARE(s.StallPrevent, shownPrevent);
        QCOMPARE(s.StallDetect, detect);
        QCOMPARE(s.HardStopFault, shownHardStop);
        QCOMPARE(s.EncoderDirCW, cw);
        QCOMPARE(s.EncoderCounts, 2000);
        QCOMPARE(s.MaxTorquePct, 70);
        QCOMPARE(s.HardStopTimeMs, 300);
        QVERIFY(s.EncoderSingleEnded);
        QVERIFY(rig.cfg.state().SettingsChanged);
        QVERIFY(rig.main.summary().isRefreshed(SummaryGrid::EncoderBlock));
        QCOMPARE(rig.main.summary().cellText(20, 0),
                 shownPrevent || detect ? QStringLiteral("Encoder:") : QStringLiteral("Encoder: not used"));
    }

    // Typed numbers are clamped, also when OK is pressed with the focus
    // still in the box.
    void clampedBeforeOk_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("counts below") << "txtEncCounts" << "50" << 100;
        QTest::newRow("counts above") << "txtEncCounts" << "99999" << 65535;
        QTest::newRow("counts half") << "txtEncCounts" << "4000.5" << 4000;
        QTest::newRow("torque below") << "txtMaxTorque" << "5" << 10;
        QTest::newRow("hard stop zero") << "txtAttempts" << "0" << 1;
    }
    void clampedBeforeOk()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        Rig rig;
        rig.open();
        NumberBox* b = rig.d.findChild<NumberBox*>(box);
        b->setText(typed);
        rig.d.pressOkIfVisible();
        const Settings& s = rig.cfg.settings();
        const int got = box == QLatin1String("txtEncCounts") ? s.EncoderCounts
                        : box == QLatin1String("txtMaxTorque") ? s.MaxTorquePct : s.HardStopTimeMs;
        QCOMPARE(got, stored);
    }

    // Ticking one stall switch unticks the other; unticking ticks nothing.
    // The line count follows the typed counts.
    void clicks()
    {
        Rig rig;
        rig.open();
        QCheckBox* prevent = rig.check("chkCorrect");
        QCheckBox* detect = rig.check("chkStallDetect");
        QTest::mouseClick(prevent, Qt::LeftButton);
        QVERIFY(prevent->isChecked() && !detect->isChecked());
        QTest::mouseClick(detect, Qt::LeftButton);
        QVERIFY(!prevent->isChecked() && detect->isChecked());
        QTest::mouseClick(detect, Qt::LeftButton);
        QVERIFY(!prevent->isChecked() && !detect->isChecked());
        QTest::mouseClick(rig.child<QRadioButton>("optCW"), Qt::LeftButton);
        QCOMPARE(rig.d.diagram(), QStringLiteral("EncoderPhaseBA"));
        QVERIFY(!rig.child<QLabel>("DC7encpic")->pixmap().isNull());
        rig.box("txtEncCounts")->setText(QStringLiteral("1001"));
        QCOMPARE(rig.child<QLabel>("lblLines")->text(), QStringLiteral("counts/turn (250.25 lines)"));
    }

    void cancelChangesNothing()
    {
        Rig rig;
        const Settings before = rig.cfg.settings();
        rig.open();
        QTest::mouseClick(rig.check("chkCorrect"), Qt::LeftButton);
        rig.box("txtEncCounts")->setText(QStringLiteral("1234"));
        rig.child<QPushButton>("cmdCancel")->click();
        QVERIFY(!rig.d.isVisible());
        QCOMPARE(rig.cfg.settings().StallPrevent, before.StallPrevent);
        QCOMPARE(rig.cfg.settings().EncoderCounts, before.EncoderCounts);
        QVERIFY(!rig.cfg.state().SettingsChanged);
        QVERIFY(!rig.main.summary().isRefreshed(SummaryGrid::EncoderBlock));
    }

    void titleAndNames()
    {
        Rig rig;
        rig.open();
        QCOMPARE(rig.d.windowTitle(), QStringLiteral("Encoder Feedback (optional)"));
        const QList<QWidget*> controls = rig.d.findChildren<QWidget*>();
        int named = 0;
        for (QWidget* w : controls) {
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)) {
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
                ++named;
            }
        }
        QCOMPARE(named, 12);  // 3 boxes, 2 options, 4 check boxes, OK, Cancel, Help
        QVERIFY(!rig.child<QPushButton>("cmdOK")->isDefault());
    }
};

QTEST_MAIN(TestEncoderDialog)
#include "tst_encoderdialog.moc"
