#include "ProcessorTime.h"
#include "Wait.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

class TestWait : public QObject {
    Q_OBJECT
private slots:
    void waitSecondsHandlesEventsAndEndsOnTime_data();
    void waitSecondsHandlesEventsAndEndsOnTime();
    void waitUntilEndsWhenDone();
    void waitUntilTimesOut();
    void waitingCostsAlmostNoProcessor();
    void depthCountsNestedWaits();
};

void TestWait::waitSecondsHandlesEventsAndEndsOnTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::newRow("0 still yields") << 0.0;
    QTest::newRow("0.1") << 0.1;
}

void TestWait::waitSecondsHandlesEventsAndEndsOnTime()
{
    QFETCH(double, seconds);
    bool ran = false;
    QMetaObject::invokeMethod(this, [&] { ran = true; }, Qt::QueuedConnection);
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(seconds);
    QVERIFY(ran);
    QVERIFY(clock.elapsed() >= qint64(seconds * 1000));
    QVERIFY(clock.elapsed() < qint64(seconds * 1000) + 40);
}

void TestWait::waitUntilEndsWhenDone()
{
    bool flag = false;
    QTimer::singleShot(20, [&] { flag = true; });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(WaitUntil([&] { return flag; }, 1.0));
    QVERIFY(clock.elapsed() < 200);
    // Already true: no waiting at all.
    QVERIFY(WaitUntil([] { return true; }, 0.0));
}

void TestWait::waitUntilTimesOut()
{
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!WaitUntil([] { return false; }, 0.2));
    QVERIFY(clock.elapsed() >= 200);
    QVERIFY(clock.elapsed() < 260);
}

void TestWait::waitingCostsAlmostNoProcessor()
{
    const double before = ProcessCpuSeconds();
    QVERIFY(!WaitUntil([] { return false; }, 0.5));
    WaitSeconds(0.5);
    const double used = ProcessCpuSeconds() - before;
    QVERIFY2(used < 0.05, qPrintable(QStringLiteral("%1 s of processor in 1 s").arg(used)));
}

void TestWait::depthCountsNestedWaits()
{
    QCOMPARE(WaitDepth(), 0);
    int inner = -1;
    QMetaObject::invokeMethod(this, [&] { inner = WaitDepth(); }, Qt::QueuedConnection);
    WaitSeconds(0);
    QCOMPARE(inner, 1);
    QCOMPARE(WaitDepth(), 0);
}

QTEST_GUILESS_MAIN(TestWait)
#include "tst_wait.moc"
