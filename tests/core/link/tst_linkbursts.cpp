// A drive that talks much more than anyone asks: a long burst of power-up
// greetings and reflash notices, and reply text that nobody reads for an
// hour. The link must stay shallow, keep the newest news, and stay small.

#include "DriveQueries.h"
#include "LinkRig.h"
#include "Wait.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

class TestLinkBursts : public QObject {
    Q_OBJECT
private slots:
    void messagesWaitForTheOneBeingHandled();
    void greetingBurst();
    void chattyDriveForAnHour();
};

void TestLinkBursts::messagesWaitForTheOneBeingHandled()
{
    // While the first reflash box is up, the drive greets twice, reports its
    // revision and asks for a reflash again.
    LinkRig rig;
    int boxes = 0;
    QStringList seenInsideFirstBox;
    QStringList labels;
    connect(&rig.cfg, &Configurator::driveVersionChanged, this, [&](const QString& v) { labels << v; });
    rig.prompt.whileShown = [&](const ScriptedPrompt::Message&) {
        if (++boxes > 1)
            return;
        rig.port.feed(LinkRig::bytes({255, 1, 41, 255, 2, 44, 241, 7, 'k', 240, 0, 0}), 3);
        WaitSeconds(0.2);
        seenInsideFirstBox = labels;
        seenInsideFirstBox << QString::number(rig.prompt.beeps) << QString::fromLatin1(rig.drive.received);
    };
    rig.arrive(LinkRig::bytes({240, 0, 0}));
    QTRY_COMPARE_WITH_TIMEOUT(boxes, 2, 3000);

    QCOMPARE(seenInsideFirstBox, (QStringList{"0", ""}));
    // Only the newer greeting counts, then the revision, then the second box.
    QCOMPARE(labels, (QStringList{"1.02", "1.07 k"}));
    QCOMPARE(rig.drive.received, QByteArray("QT"));
    QCOMPARE(rig.prompt.beeps, 1);
    QCOMPARE(rig.cfg.modelIndex(), 3);
    QCOMPARE(rig.prompt.titles(), (QStringList{"Firmware reflash", "Firmware reflash"}));
}

void TestLinkBursts::greetingBurst()
{
    LinkRig rig;
    constexpr int Greetings = 20000;
    constexpr int Reflashes = 30;
    QByteArray burst;
    int reflashesSent = 0;
    for (int i = 0; i < Greetings; ++i) {
        // The first greeting says firmware 1.01, model row 0; the newest
        // 1.99, model row 4; those between name every model in turn.
        const int firmware = i == 0 ? 1 : i == Greetings - 1 ? 99 : 50;
        const int model = i == 0 ? 41 : i == Greetings - 1 ? 45 : 41 + i % 6;
        burst += LinkRig::bytes({255, firmware, model});
        if (i % (Greetings / Reflashes) == Greetings / Reflashes / 2 && reflashesSent < Reflashes) {
            // The DSP's and the Ky chip's reflash notices, both.
            burst += LinkRig::bytes({reflashesSent % 3 == 0 ? 239 : 240, 0, 0});
            ++reflashesSent;
        }
    }
    QCOMPARE(reflashesSent, Reflashes);

    // How deep the handling ran, what it did, and when it was last busy.
    int deepest = 0;
    QStringList versions;
    connect(&rig.cfg, &Configurator::modelIndexChanged, this, [&] { deepest = qMax(deepest, WaitDepth()); });
    connect(&rig.cfg, &Configurator::driveVersionChanged, this, [&](const QString& v) { versions << v; });
    int boxesUp = 0, mostBoxesUp = 0;
    rig.prompt.whileShown = [&](const ScriptedPrompt::Message&) {
        deepest = qMax(deepest, WaitDepth());
        mostBoxesUp = qMax(mostBoxesUp, ++boxesUp);
        WaitSeconds(0.05);  // the user reads the box; the drive goes on talking
        --boxesUp;
    };
    QElapsedTimer clock;
    clock.start();
    qint64 lastBusy = -1, burstEnd = -1;
    QTimer probe;
    connect(&probe, &QTimer::timeout, this, [&] {
        if (WaitDepth() > 0)
            lastBusy = clock.elapsed();
    });
    probe.start(5);
    connect(&rig.drive, &SimulatedDrive::pacedSendDone, this, [&] { burstEnd = clock.elapsed(); });

    rig.drive.sendPaced(burst, 600, 5);
    QTRY_VERIFY_WITH_TIMEOUT(burstEnd >= 0, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(versions.size() >= 2 && versions.last() == QStringLiteral("1.99"), 10000);
    QTest::qWait(1500);
    qInfo("%lld greetings handled of %d, %lld boxes; deepest wait %d; burst %lld ms, busy until %lld ms after "
          "its end",
          static_cast<long long>(versions.size()), Greetings, static_cast<long long>(rig.prompt.messages.size()),
          deepest, burstEnd, lastBusy - burstEnd);

    QVERIFY2(deepest <= 2, qPrintable(QString::number(deepest)));
    QCOMPARE(versions.first(), QStringLiteral("1.01"));
    QCOMPARE(versions.last(), QStringLiteral("1.99"));
    QVERIFY2(versions.size() < 200, qPrintable(QString::number(versions.size())));
    // Every greeting handled was answered, the first and the newest among them.
    QCOMPARE(rig.drive.received.count("QT"), versions.size());
    QCOMPARE(rig.cfg.modelIndex(), 4);
    QCOMPARE(rig.cfg.state().DriveModelCode, 45);
    QCOMPARE(rig.cfg.state().FirmwareVersion, 1.99f);
    QVERIFY(!rig.prompt.messages.isEmpty());
    QCOMPARE(mostBoxesUp, 1);
    for (const ScriptedPrompt::Message& m : rig.prompt.messages)
        QCOMPARE(m.title, QStringLiteral("Firmware reflash"));
    QVERIFY2(lastBusy - burstEnd < 3000, qPrintable(QString::number(lastBusy - burstEnd)));
    QVERIFY(rig.link.unreadBytes().isEmpty());
}

void TestLinkBursts::chattyDriveForAnHour()
{
    // 9600 bit/s is 960 characters a second: an hour of text no query asks
    // for, in one arrival a second, the last one ending in a known line.
    LinkRig rig;
    constexpr int Seconds = 3600;
    constexpr int PerSecond = 960;
    QByteArray second;
    while (second.size() < PerSecond)
        second += "AL=0000\rIV=0\r";
    second.truncate(PerSecond);
    QByteArray hour;
    hour.reserve(Seconds * PerSecond);
    for (int s = 0; s < Seconds; ++s)
        hour += second;
    hour.replace(hour.size() - 8, 8, "LAST=42\r");
    rig.arrive(hour, PerSecond);

    const QString& text = rig.link.RxText();
    QVERIFY2(text.size() <= 64 * 1024, qPrintable(QString::number(text.size())));
    QVERIFY(text.size() >= 1024);
    QVERIFY(text.endsWith(QStringLiteral("LAST=42\r")));
    QCOMPARE(text.right(1000), QString::fromLatin1(hour.right(1000)));

    // A query after the chat still gets its answer.
    rig.drive.servoStatus = 0x1234;
    QCOMPARE(rig.queries.GetServoStatus(), 0x1234);
}

QTEST_GUILESS_MAIN(TestLinkBursts)
#include "tst_linkbursts.moc"
