#include "BoxRule.h"

#include <QtTest>

#include <cmath>

class TestBoxRule : public QObject {
    Q_OBJECT
private slots:
    void normalised_data();
    void normalised();
};

void TestBoxRule::normalised_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("multipleOf4");
    QTest::addColumn<QString>("shown");
    // A box of 200..51200, optionally snapped down to a multiple of 4.
    QTest::newRow("in range") << "20000" << false << "20000";
    QTest::newRow("above") << "999999" << false << "51200";
    QTest::newRow("below") << "12" << false << "200";
    QTest::newRow("no number") << "abc" << false << "200";
    QTest::newRow("empty") << "" << false << "200";
    QTest::newRow("leading number") << "1234abc" << false << "1234";
    QTest::newRow("blanks") << " 2 000 " << false << "2000";
    QTest::newRow("decimal") << "1000.5" << false << "1000.5";
    QTest::newRow("snapped") << "10003" << true << "10000";
    QTest::newRow("snapped at max") << "51203" << true << "51200";
}

void TestBoxRule::normalised()
{
    QFETCH(QString, typed);
    QFETCH(bool, multipleOf4);
    QFETCH(QString, shown);
    BoxRule rule{200, 51200, {}, {}};
    if (multipleOf4)
        rule.adjust = [](double v) { return 4 * std::floor(v / 4); };
    QCOMPARE(rule.normalised(typed), shown);
    // Leaving the box again changes nothing.
    QCOMPARE(rule.normalised(rule.normalised(typed)), shown);
}

QTEST_GUILESS_MAIN(TestBoxRule)
#include "tst_boxrule.moc"
