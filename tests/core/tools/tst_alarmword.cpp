#include "AlarmWord.h"

#include <QtTest>

class TestAlarmWord : public QObject {
    Q_OBJECT
private slots:
    void faultMask_data();
    void faultMask();
    void captions_data();
    void captions();
    void lampCounts();
    void messageWord_data();
    void messageWord();
    void historyWords_data();
    void historyWords();
};

void TestAlarmWord::faultMask_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<bool>("raises");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("CCW limit only") << 2 << false;
    QTest::newRow("CW limit only") << 4 << false;
    QTest::newRow("under voltage only") << 64 << false;
    QTest::newRow("all unmasked bits") << (0x3FFF & ~0xC2B9) << false;
    QTest::newRow("motor stalled") << 1 << true;
    QTest::newRow("stall and resistance") << 8193 << true;
    QTest::newRow("overtemp") << 8 << true;
    QTest::newRow("regen") << 16 << true;
    QTest::newRow("over voltage") << 32 << true;
    QTest::newRow("motor short") << 128 << true;
    QTest::newRow("bad encoder") << 512 << true;
    QTest::newRow("reserved 14") << 0x4000 << true;
    QTest::newRow("reserved 15") << 0x8000 << true;
    QTest::newRow("limit with bad encoder") << (2 | 512) << true;
}

void TestAlarmWord::faultMask()
{
    QFETCH(int, word);
    QFETCH(bool, raises);
    QCOMPARE(AlarmWord::faultMask(), 0xC2B9);
    QCOMPARE(AlarmWord::raisesFaultWindow(word), raises);
}

void TestAlarmWord::captions_data()
{
    QTest::addColumn<int>("bit");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("monitor");
    QTest::newRow("0") << 0 << "motor stalled" << "motor stall" << "motor stall";
    QTest::newRow("3") << 3 << "drive overtemp" << "drive overtemp" << "over temp";
    QTest::newRow("7") << 7 << "motor short" << "over current" << "overcurrent";
    QTest::newRow("8") << 8 << "open motor winding" << "open motor winding" << "open phase";
    QTest::newRow("11") << 11 << "save failed" << "save failed" << "flash memory";
    QTest::newRow("12") << 12 << "move while disabled" << "move attempted while disabled" << "move while dis";
    QTest::newRow("13") << 13 << "motor resistance error" << "motor resistance" << "motor ohms";
    QTest::newRow("14") << 14 << "" << "reserved" << "";
    QTest::newRow("15") << 15 << "" << "reserved" << "";
    QTest::newRow("out of range") << 16 << "" << "" << "";
    QTest::newRow("negative") << -1 << "" << "" << "";
}

void TestAlarmWord::captions()
{
    QFETCH(int, bit);
    QFETCH(QString, fault);
    QFETCH(QString, history);
    QFETCH(QString, monitor);
    QCOMPARE(AlarmWord::caption(AlarmView::FaultWindow, bit), fault);
    QCOMPARE(AlarmWord::caption(AlarmView::AlarmHistory, bit), history);
    QCOMPARE(AlarmWord::caption(AlarmView::StatusMonitor, bit), monitor);
}

void TestAlarmWord::lampCounts()
{
    QCOMPARE(AlarmWord::lampCount(AlarmView::FaultWindow), 14);
    QCOMPARE(AlarmWord::lampCount(AlarmView::StatusMonitor), 14);
    QCOMPARE(AlarmWord::lampCount(AlarmView::AlarmHistory), 16);
}

void TestAlarmWord::messageWord_data()
{
    QTest::addColumn<int>("d1");
    QTest::addColumn<int>("d2");
    QTest::addColumn<int>("word");
    QTest::newRow("zero") << 0 << 0 << 0;
    QTest::newRow("stall") << 0 << 1 << 1;
    QTest::newRow("bit 7 from d1") << 1 << 0 << 128;
    QTest::newRow("stall and resistance") << 64 << 1 << 8193;
    // Two 7-bit data bytes: bits 14 and 15 can never come from a message.
    QTest::newRow("largest") << 127 << 127 << 0x3FFF;
}

void TestAlarmWord::messageWord()
{
    QFETCH(int, d1);
    QFETCH(int, d2);
    QFETCH(int, word);
    QCOMPARE(AlarmWord::fromMessage(d1, d2), word);
}

void TestAlarmWord::historyWords_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<int>>("words");
    const QList<int> zeros(8, 0);
    QTest::newRow("all zeros") << QByteArray(16, '\0') << zeros;
    QByteArray word7(16, '\0');
    word7[14] = char(0xFF);
    word7[15] = char(0xFF);
    QTest::newRow("word 7 = FFFF") << word7 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0xFFFF};
    QTest::newRow("high byte first") << QByteArray::fromHex("0080" "0201" "0000000000000000000000000000")
                                     << QList<int>{128, 0x0201, 0, 0, 0, 0, 0, 0};
    QTest::newRow("twenty bytes") << QByteArray::fromHex("0001000200030004000500060007" "0008" "FFFFFFFF")
                                  << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("short reply") << QByteArray::fromHex("1234") << QList<int>{0x1234, 0, 0, 0, 0, 0, 0, 0};
}

void TestAlarmWord::historyWords()
{
    QFETCH(QByteArray, reply);
    QFETCH(QList<int>, words);
    for (int i = 0; i < AlarmWord::kHistoryWords; ++i)
        QCOMPARE(AlarmWord::historyWord(reply, i), words.at(i));
    QCOMPARE(AlarmWord::historyWord(reply, 8), 0);
}

QTEST_GUILESS_MAIN(TestAlarmWord)
#include "tst_alarmword.moc"
