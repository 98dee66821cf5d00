// What every settings dialog does alike, whoever built it: its caption and
// the keyboard: Enter in a number box presses no button (the dialog stays
// open, nothing is written), Enter on a focused button presses that button,
// Escape is Cancel.

#include "EditMotor.h"
#include "MainFormRig.h"
#include "NumberBox.h"
#include "SettingsDialog.h"
#include "SettingsDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

namespace {

struct Rig : MainFormRig {
    Rig()
    {
        start();
        cfg.state().SettingsChanged = false;
    }
    SettingsDialogs dialogs{cfg, main, transfer};

    SettingsDialog* find(const QString& name)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<SettingsDialog*>(w); d && d->objectName() == name)
                return d;
        return nullptr;
    }

    // Opens the dialog as the program does, with its number boxes in use
    // (an external resistor, the analog input); the opening's own marks
    // are forgotten.
    SettingsDialog* open(const QString& name)
    {
        cfg.settings().RegenExternal = true;
        cfg.settings().VelAnalog = true;
        WindowHooks& hooks = main.hooks();
        if (name == QLatin1String("MotorDialog"))
            RunHook(hooks.showMotorDialog);
        else if (name == QLatin1String("EditMotor"))
            dialogs.editMotor().showFilled();
        else if (name == QLatin1String("EncoderDialog"))
            RunHook(hooks.showEncoderDialog);
        else if (name == QLatin1String("IOdialog"))
            RunHook(hooks.showIODialog);
        else if (name == QLatin1String("RegenDialog"))
            RunHook(hooks.showRegenDialog);
        else if (name == QLatin1String("PulseDirDialog"))
            RunHook(hooks.showPulseDirDialog);
        else if (name == QLatin1String("VelocityDialog"))
            RunHook(hooks.showVelocityDialog);
        else if (name == QLatin1String("TMXdialog"))
            RunHook(hooks.showTMXDialog, 2, QStringLiteral("TMX Configuration"));
        else if (name == QLatin1String("AdvancedSettings")) {
            RunHook(hooks.showVelocityDialog);
            SettingsDialog* velocity = find(QStringLiteral("VelocityDialog"));
            if (!velocity)
                return nullptr;
            velocity->findChild<QPushButton*>(QStringLiteral("Advanced"))->click();
            velocity->hide();
        }
        cfg.state().SettingsChanged = false;
        SettingsDialog* d = find(name);
        return d && d->isVisible() ? d : nullptr;
    }
};

NumberBox* firstVisibleBox(SettingsDialog& d)
{
    for (NumberBox* box : d.numberBoxes())
        if (box->isVisible())
            return box;
    return nullptr;
}

}  // namespace

class TestDialogKeys : public QObject {
    Q_OBJECT
private slots:
    void everyDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("motor") << "MotorDialog" << "Motor";
        QTest::newRow("custom motor") << "EditMotor" << "Define Custom Motor";
        QTest::newRow("encoder") << "EncoderDialog" << "Encoder Feedback (optional)";
        QTest::newRow("I/O") << "IOdialog" << "I/O Configuration";
        QTest::newRow("regen") << "RegenDialog" << "Regen Clamp";
        QTest::newRow("step input") << "PulseDirDialog" << "Pulse & Direction Control";
        QTest::newRow("velocity") << "VelocityDialog" << "Velocity Control Mode";
        QTest::newRow("advanced analog") << "AdvancedSettings" << "Advanced Analog Settings";
        QTest::newRow("TMX") << "TMXdialog" << "TMX Configuration";
    }
    void everyDialog()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        Rig rig;
        SettingsDialog* d = rig.open(name);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), title);

        for (QPushButton* b : d->findChildren<QPushButton*>())
            QVERIFY2(!b->isDefault() && !b->autoDefault(), qPrintable(b->objectName()));

        // Enter in a number box: the dialog stays, nothing is written.
        NumberBox* box = firstVisibleBox(*d);
        QVERIFY(box);
        box->setFocus();
        box->setText(QStringLiteral("1"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(d->isVisible());
        QVERIFY(!rig.cfg.state().SettingsChanged);

        // Escape is Cancel: hidden, nothing written.
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QVERIFY(!rig.cfg.state().SettingsChanged);

        // Enter on a focused Cancel cancels (nothing written); on a focused
        // OK it presses OK (the advanced analog OK only hands its values to
        // the velocity dialog, so the hidden window is what shows it).
        for (const char* button : {"cmdCancel", "cmdOK"}) {
            d->show();
            auto* b = d->findChild<QPushButton*>(QLatin1String(button));
            QVERIFY2(b, button);
            b->setFocus();
            QTest::keyClick(b, Qt::Key_Return);
            QVERIFY2(!d->isVisible(), button);
            if (QByteArray(button) == "cmdCancel")
                QVERIFY(!rig.cfg.state().SettingsChanged);
            else if (name != QLatin1String("AdvancedSettings"))
                QVERIFY(rig.cfg.state().SettingsChanged);
        }
    }

    // A dialog whose choices show or enable other controls sets them right
    // again each time it becomes the active window.
    void activationSetsDependentControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("dependent");
        QTest::addColumn<bool>("byVisibility");
        QTest::newRow("step input: direction frame") << "PulseDirDialog" << "FrameDir" << true;
        QTest::newRow("velocity: analog frame") << "VelocityDialog" << "FrameAnalog" << false;
    }
    void activationSetsDependentControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, dependent);
        QFETCH(bool, byVisibility);
        Rig rig;
        rig.cfg.settings().PulseType = 2;  // quadrature: the direction frame shows
        SettingsDialog* d = rig.open(name);
        QVERIFY(d);
        auto* w = d->findChild<QWidget*>(dependent);
        QVERIFY(w);
        const bool shown = byVisibility ? w->isVisible() : w->isEnabled();
        QVERIFY(shown);
        byVisibility ? w->setVisible(false) : w->setEnabled(false);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(d, &activate);
        QCOMPARE(byVisibility ? w->isVisible() : w->isEnabled(), shown);
    }
};

QTEST_MAIN(TestDialogKeys)
#include "tst_dialogkeys.moc"
