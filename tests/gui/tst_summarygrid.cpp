#include "MainFormRig.h"
#include "PictureButton.h"
#include "SimulatedDrive.h"
#include "SummaryGrid.h"
#include "WiringBoard.h"

#include <QProgressBar>
#include <QtTest>

namespace {

QStringList GreenLines(MainFormRig& rig)
{
    QStringList green;
    for (const QString& line : WiringBoard::lineNames()) {
        if (rig.main.board().lineColor(line) == WiringBoard::Green() && line != "CommLine" &&
            !line.startsWith("DriveLine"))
            green << line;
    }
    return green;
}

QStringList Rows(const SummaryGrid& grid, int from, int to)
{
    QStringList rows;
    for (int row = from; row <= to; ++row)
        rows << grid.cellText(row, 0) + " | " + grid.cellText(row, 1);
    return rows;
}

}  // namespace

// The summary grid inside the main window: each refresh writes its block,
// keeps the dividers and turns its wiring lines green.
class TestSummaryGrid : public QObject {
    Q_OBJECT
private slots:
    void refreshTurnsLinesGreen_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<QStringList>("green");
        QTest::newRow("motor") << 0 << QStringList{"MotorLine1", "MotorLine2"};
        QTest::newRow("motion") << 4 << QStringList{"MotionLine"};
        QTest::newRow("regen") << 8 << QStringList{"RegenLine1", "RegenLine2"};
        QTest::newRow("I/O") << 12 << QStringList{"IOLine"};
        QTest::newRow("encoder") << 20 << QStringList{"EncoderLine"};
    }
    void refreshTurnsLinesGreen()
    {
        QFETCH(int, block);
        QFETCH(QStringList, green);
        MainFormRig rig;
        rig.start();
        SummaryGrid& grid = rig.main.summary();
        QVERIFY(GreenLines(rig).isEmpty());
        switch (block) {
        case 0: grid.SummarizeMotor(0); break;
        case 4: grid.SummarizeMotion(4); break;
        case 8: grid.SummarizeRegen(8); break;
        case 12: grid.SummarizeIO(12); break;
        default: grid.SummarizeEncoder(20); break;
        }
        QCOMPARE(GreenLines(rig), green);
        // Only the block's own rows changed: the others still show their
        // titles and the dividers are where they were.
        for (int first : {0, 4, 8, 12, 20}) {
            if (first != block)
                QVERIFY(grid.cellText(first + 1, 0).isEmpty());
            QVERIFY(grid.isMerged(first));
        }
        for (int divider : {3, 7, 11, 19})
            QVERIFY(grid.isDivider(divider));
        QCOMPARE(grid.rowHeight(22), 32);
    }

    void motionTitleFromTheDescription()
    {
        MainFormRig rig;
        rig.start();
        rig.main.summary().SummarizeMotion(4);
        QCOMPARE(rig.main.summary().cellText(4, 0), QStringLiteral("Mode: Pulse & Direction"));
        QCOMPARE(rig.main.summary().cellText(5, 0), QStringLiteral("25000"));
    }

    void motorTitleFromTheDatabase()
    {
        MainFormRig rig;
        rig.start();
        rig.main.summary().SummarizeMotor(0);
        const QString key = rig.cfg.motors().field(QStringLiteral("PartNoX")).toString();
        QCOMPARE(rig.main.summary().cellText(0, 0), QStringLiteral("Motor: ") + key);
        rig.cfg.settings().UseCustomMotor = true;
        rig.main.summary().SummarizeMotor(0);
        QCOMPARE(rig.main.summary().cellText(0, 1), QStringLiteral("Motor: custom motor"));
    }

    // The motion refresh redraws the encoder block only once that block has
    // been shown, since its stall line depends on the mode.
    void encoderRedrawGate()
    {
        MainFormRig rig;
        rig.start();
        SummaryGrid& grid = rig.main.summary();
        Settings& s = rig.cfg.settings();
        s.StallPrevent = true;

        grid.SummarizeMotion(4);
        QCOMPARE(Rows(grid, 20, 22), QStringList({"Encoder: | Encoder:", " | ", " | "}));
        QCOMPARE(rig.main.board().lineColor("EncoderLine"), WiringBoard::Yellow());

        s.ControlMode = 11;
        rig.cfg.ShowMotionDesc();
        grid.SummarizeEncoder(20);
        QCOMPARE(grid.cellText(22, 0), QStringLiteral("Prevent stalls by limiting torque demand to 100%"));
        QVERIFY(grid.isMerged(22));

        s.ControlMode = 7;  // stand-alone step positioning: no stall prevention
        rig.cfg.ShowMotionDesc();
        grid.SummarizeMotion(4);
        QCOMPARE(Rows(grid, 20, 22), QStringList({"Encoder: | Encoder:", "4000 | Counts/rev", " | "}));
        QCOMPARE(grid.cellText(4, 0), QStringLiteral("Mode: Pulse & Direction"));
    }

    void ioRowsAndDivider()
    {
        MainFormRig rig;
        rig.start();
        rig.cfg.settings().MotionOutputMode = 6;
        rig.main.summary().SummarizeIO(12);
        QCOMPARE(Rows(rig.main.summary(), 13, 18),
                 QStringList({"Fault Out | not used", "Alarm In | not used", "Limits | Closed at limit",
                              "Enable | not used", "Motion Out | Tach 400 ppr", "Brake Out | not used"}));
        QVERIFY(rig.main.summary().isDivider(19));
    }

    // A good upload fills every block, turns every line green and leaves the
    // progress bar at 0.
    void uploadFillsTheGrid()
    {
        MainFormRig rig(true);
        rig.openDatabase();
        rig.main.summary().SummaryInit();
        QVERIFY(rig.port.open(1));
        SimulatedDrive drive(rig.port);
        drive.image = SimulatedDrive::sampleImage();
        QSignalSpy progress(&rig.transfer, &DriveTransfer::progressChanged);
        rig.prompt.clear();

        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        QTest::mouseClick(rig.main.pictureButton("Upload"), Qt::LeftButton);

        QCOMPARE(rig.prompt.messages.size(), 0);
        QCOMPARE(GreenLines(rig).size(), 7);
        for (int first : {0, 4, 8, 12, 20})
            QVERIFY(rig.main.summary().isRefreshed(SummaryGrid::Block(first)));
        QVERIFY(!rig.main.summary().cellText(1, 1).isEmpty());
        QCOMPARE(rig.main.progressBar().value(), 0);
        QVERIFY(!progress.isEmpty());
        QVERIFY(!rig.cfg.state().SettingsChanged);
    }
};

QTEST_MAIN(TestSummaryGrid)
#include "tst_summarygrid.moc"
