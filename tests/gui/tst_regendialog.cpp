#include "MainFormRig.h"
#include "NumberBox.h"
#include "RegenDialog.h"
#include "SettingsDialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

struct Rig : MainFormRig {
    SettingsDialogs dialogs{cfg, main, transfer};
    RegenDialog& d = dialogs.regenDialog();
    Rig() { start(); }

    void open() { RunHook(main.hooks().showRegenDialog); }
    template <typename T>
    T* child(const char* name) { return d.findChild<T*>(QLatin1String(name)); }
    // Whether the boxes (else the fixed labels) are the ones seen.
    bool boxesShown()
    {
        const bool boxes = child<NumberBox>("RegenWatts")->isVisible() && child<NumberBox>("RegenOhms")->isVisible()
                           && child<NumberBox>("RegenSecs")->isVisible();
        const bool labels = child<QLabel>("lblRegenWatts")->isVisible() && child<QLabel>("lblRegenOhms")->isVisible()
                            && child<QLabel>("lblRegenSecs")->isVisible();
        return boxes && !labels;
    }
    // A click on an option's mark, as a user clicks it.
    void choose(const char* option)
    {
        auto* b = child<QRadioButton>(option);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    bool labelsShown()
    {
        return !child<NumberBox>("RegenWatts")->isVisible() && child<QLabel>("lblRegenWatts")->isVisible()
               && child<QLabel>("lblRegenSecs")->text() == QStringLiteral(".3125");
    }
};

}  // namespace

class TestRegenDialog : public QObject {
    Q_OBJECT
private slots:
    // The internal resistor shows its fixed values and leaves the
    // configuration unchanged; a switch to the external one, by the opener
    // as by the user, marks it changed and shows the boxes.
    void openingShowsTheResistor()
    {
        Rig rig;
        rig.open();
        QVERIFY(rig.labelsShown());
        QCOMPARE(rig.d.picture(), QStringLiteral("RegenInternal"));
        QVERIFY(!rig.cfg.state().SettingsChanged);
        rig.child<QPushButton>("cmdCancel")->click();

        Settings& s = rig.cfg.settings();
        s.RegenExternal = true;
        s.RegenResWatts = 200;
        s.RegenResOhms = 25;
        s.RegenResSecs = 0.5;
        rig.open();
        QVERIFY(rig.boxesShown());
        QCOMPARE(rig.d.picture(), QStringLiteral("RegenExternal"));
        QVERIFY(!rig.child<QLabel>("RegenPicture")->pixmap().isNull());
        QCOMPARE(rig.child<NumberBox>("RegenWatts")->text(), QStringLiteral("200"));
        QCOMPARE(rig.child<NumberBox>("RegenOhms")->text(), QStringLiteral("25"));
        QCOMPARE(rig.child<NumberBox>("RegenSecs")->text(), QStringLiteral("0.5"));
        QVERIFY(rig.cfg.state().SettingsChanged);

        // OK writes them and the summary reads them.
        rig.cfg.state().SettingsChanged = false;
        QTest::mouseClick(rig.child<QPushButton>("cmdOK"), Qt::LeftButton);
        QVERIFY(!rig.d.isVisible());
        QVERIFY(rig.cfg.state().SettingsChanged);
        QCOMPARE(rig.main.summary().cellText(8, 0), QStringLiteral("Regen resistor (external)"));
        QCOMPARE(rig.main.summary().cellText(9, 0), QStringLiteral("25"));
    }

    // The internal resistor keeps the last external values in the settings.
    void internalKeepsExternalValues()
    {
        Rig rig;
        Settings& s = rig.cfg.settings();
        s.RegenExternal = true;
        s.RegenResWatts = 300;
        rig.open();
        rig.choose("optIntRes");
        QVERIFY(rig.labelsShown());
        rig.d.OK_Click();
        QVERIFY(!s.RegenExternal);
        QCOMPARE(s.RegenResWatts, 300.0);
        QCOMPARE(s.RegenResSecs, 0.3125);
        QCOMPARE(rig.main.summary().cellText(8, 0), QStringLiteral("Regen resistor (internal)"));
    }

    // Cancel writes nothing, but a change of resistor has marked the
    // configuration changed already.
    void cancelAfterAClick()
    {
        Rig rig;
        rig.open();
        rig.choose("optExtRes");
        rig.child<NumberBox>("RegenOhms")->setText(QStringLiteral("10"));
        rig.child<QPushButton>("cmdCancel")->click();
        QVERIFY(!rig.cfg.settings().RegenExternal);
        QCOMPARE(rig.cfg.settings().RegenResOhms, 40.0);
        QVERIFY(rig.cfg.state().SettingsChanged);
    }

    void clampedBeforeOk_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::newRow("ohms below") << "RegenOhms" << "1" << 5.0;
        QTest::newRow("watts above") << "RegenWatts" << "2000" << 1000.0;
        QTest::newRow("seconds zero") << "RegenSecs" << "0" << 0.01;
        QTest::newRow("seconds above") << "RegenSecs" << "9" << 8.0;
        QTest::newRow("seconds fraction") << "RegenSecs" << "1.25" << 1.25;
    }
    void clampedBeforeOk()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        Rig rig;
        rig.cfg.settings().RegenExternal = true;
        rig.open();
        rig.d.findChild<NumberBox*>(box)->setText(typed);
        rig.d.pressOkIfVisible();
        const Settings& s = rig.cfg.settings();
        const double got = box == QLatin1String("RegenOhms")    ? s.RegenResOhms
                           : box == QLatin1String("RegenWatts") ? s.RegenResWatts
                                                                : s.RegenResSecs;
        QCOMPARE(got, stored);
    }

    void titleAndNames()
    {
        Rig rig;
        rig.open();
        QCOMPARE(rig.d.windowTitle(), QStringLiteral("Regen Clamp"));
        int named = 0;
        for (QWidget* w : rig.d.findChildren<QWidget*>()) {
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)) {
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
                ++named;
            }
        }
        QCOMPARE(named, 8);  // 2 options, 3 boxes, OK, Cancel, Help
        QVERIFY(!rig.child<QPushButton>("cmdOK")->isDefault());
    }
};

QTEST_MAIN(TestRegenDialog)
#include "tst_regendialog.moc"
