#include "MainFormRig.h"
#include "NumberBox.h"
#include "SettingsDialog.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QPushButton>
#include <QtTest>

namespace {

// The smallest settings dialog: one number box for the running current.
class CurrentDialog : public SettingsDialog {
public:
    CurrentDialog(Configurator& c, MainForm& m)
        : SettingsDialog(c, m, QStringLiteral("CurrentDialog"), QStringLiteral("Current"), QString(),
                         SummaryGrid::MotorBlock)
    {
        box = numberBox(QStringLiteral("txtCurrent"), QStringLiteral("Running current"), BoxRule{0.5, 7, {}, {}});
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(box);
        layout->addWidget(standardButtons());
    }
    NumberBox* box = nullptr;
    int fills = 0;

protected:
    void fill() override
    {
        ++fills;
        box->setValue(cfg().settings().RunCurrent);
    }
    void writeSettings() override { cfg().settings().RunCurrent = box->value(); }
};

}  // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT
private slots:
    void okFromCodeNormalisesBoxes_data();
    void okFromCodeNormalisesBoxes();
    void cancelAndCloseBoxWriteNothing();
    void centredOnceAndKeepsItsPlace();
    void refilledWhenTheSettingsAreReplaced();
    void helpOnlyWithAPage();
};

void TestSettingsDialog::okFromCodeNormalisesBoxes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("too large") << "999999" << 7.0;
    QTest::newRow("not a number") << "abc" << 0.5;
    QTest::newRow("in range") << "2.5" << 2.5;
}

void TestSettingsDialog::okFromCodeNormalisesBoxes()
{
    QFETCH(QString, typed);
    QFETCH(double, stored);
    MainFormRig rig;
    rig.start();
    CurrentDialog d(rig.cfg, rig.main);
    d.showFilled();
    rig.cfg.state().SettingsChanged = false;
    d.box->setText(typed);
    d.pressOkIfVisible();
    QCOMPARE(rig.cfg.settings().RunCurrent, stored);
    QCOMPARE(d.box->text(), BoxText(stored));
    QVERIFY(rig.cfg.state().SettingsChanged);
    QVERIFY(!d.isVisible());
    QVERIFY(rig.main.summary().isRefreshed(SummaryGrid::MotorBlock));
    // Hidden: the download's press does nothing.
    rig.cfg.settings().RunCurrent = 1.0;
    d.pressOkIfVisible();
    QCOMPARE(rig.cfg.settings().RunCurrent, 1.0);
}

void TestSettingsDialog::cancelAndCloseBoxWriteNothing()
{
    MainFormRig rig;
    rig.start();
    CurrentDialog d(rig.cfg, rig.main);
    const double before = rig.cfg.settings().RunCurrent;
    d.showFilled();
    d.box->setText(QStringLiteral("3"));
    d.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(rig.cfg.settings().RunCurrent, before);
    QVERIFY(!rig.cfg.state().SettingsChanged);

    d.showFilled();
    QCOMPARE(d.box->value(), before);  // refilled
    d.box->setText(QStringLiteral("3"));
    d.close();
    QVERIFY(!d.isVisible());
    QCOMPARE(rig.cfg.settings().RunCurrent, before);
}

void TestSettingsDialog::centredOnceAndKeepsItsPlace()
{
    MainFormRig rig;
    rig.start();
    rig.main.show();
    CurrentDialog d(rig.cfg, rig.main);
    d.showFilled();
    const QPoint mainCentre = rig.main.frameGeometry().center();
    QVERIFY2((d.frameGeometry().center() - mainCentre).manhattanLength() <= 6,
             qPrintable(QStringLiteral("%1,%2 vs %3,%4").arg(d.frameGeometry().center().x()).arg(d.frameGeometry().center().y()).arg(mainCentre.x()).arg(mainCentre.y())));
    d.hide();
    d.move(d.pos() + QPoint(40, 30));
    const QPoint moved = d.pos();
    d.showFilled();
    QCOMPARE(d.pos(), moved);
}

void TestSettingsDialog::refilledWhenTheSettingsAreReplaced()
{
    MainFormRig rig;
    rig.start();
    CurrentDialog d(rig.cfg, rig.main);
    d.showFilled();
    rig.cfg.settings().RunCurrent = 4.0;
    rig.cfg.SummarizeAll();  // what an upload and an open do
    QCOMPARE(d.box->text(), QStringLiteral("4"));
    d.hide();
    const int fills = d.fills;
    rig.cfg.SummarizeAll();
    QCOMPARE(d.fills, fills);  // hidden: the next opening fills it
}

void TestSettingsDialog::helpOnlyWithAPage()
{
    MainFormRig rig;
    rig.start();
    CurrentDialog d(rig.cfg, rig.main);
    QVERIFY(!d.findChild<QPushButton*>(QStringLiteral("cmdHelp")));
    for (QPushButton* b : d.findChildren<QPushButton*>())
        QVERIFY(!b->accessibleName().isEmpty());
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
