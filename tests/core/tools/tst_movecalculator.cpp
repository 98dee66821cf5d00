#include "MoveCalculator.h"

#include <QTest>

class TestMoveCalculator : public QObject {
    Q_OBJECT
private slots:
    void minimumDistance_data();
    void minimumDistance();
    void choices();
};

void TestMoveCalculator::minimumDistance_data()
{
    QTest::addColumn<QString>("velocity");
    QTest::addColumn<QString>("decel");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("shown");
    QTest::newRow("initial values") << "1" << "25" << "20000" << "400";
    QTest::newRow("no velocity: the minimum") << "0" << "25" << "20000" << "1";
    QTest::newRow("no deceleration") << "1" << "0" << "20000" << "N/A";
    QTest::newRow("empty deceleration") << "1" << "" << "20000" << "N/A";
    QTest::newRow("deceleration not a number") << "1" << "abc" << "20000" << "N/A";
    QTest::newRow("negative deceleration") << "1" << "-5" << "20000" << "N/A";
    QTest::newRow("small values") << "2" << "10" << "200" << "40";
    QTest::newRow("large distance") << "10" << "5" << "1000" << "10000";
    QTest::newRow("2.5 steps round up") << "1" << "1" << "5" << "3";
    QTest::newRow("1.5 steps rounds up") << "1" << "1" << "3" << "2";
    QTest::newRow("negative velocity") << "-2" << "10" << "200" << "40";
    QTest::newRow("leading numbers") << "1.5rev" << "25 x" << "20000" << "900";
    QTest::newRow("far too fast") << "1e200" << "1" << "20000" << "N/A";
    QTest::newRow("velocity past the double range") << "1e999" << "1e999" << "20000" << "N/A";
    QTest::newRow("plain digits, no separators") << "500" << "0.5" << "50800" << "12700000000";
    // Past the 15 digits a double holds, the exponent form, not digits of noise.
    QTest::newRow("15 digits stay plain") << "1" << "0.5" << "999999999999999" << "999999999999999";
    QTest::newRow("16 digits in exponent form") << "1" << "0.5" << "1000000000000000" << "1E+15";
    QTest::newRow("16 digits round to 15") << "1" << "0.5" << "1234567890123456" << "1.23456789012346E+15";
    QTest::newRow("1e150") << "1e150" << "25" << "20000" << "4E+302";
}

void TestMoveCalculator::minimumDistance()
{
    QFETCH(QString, velocity);
    QFETCH(QString, decel);
    QFETCH(QString, resolution);
    QFETCH(QString, shown);
    QCOMPARE(MinimumDistanceText(velocity, decel, resolution), shown);
}

void TestMoveCalculator::choices()
{
    const QStringList list = ResolutionChoices();
    QCOMPARE(list.size(), 16);
    QCOMPARE(list.at(DefaultResolutionRow), QStringLiteral("20000"));
    QCOMPARE(list.front(), QStringLiteral("200"));
    QCOMPARE(list.back(), QStringLiteral("50800"));
    QCOMPARE(MinimumDistanceText(DefaultVelocityText(), DefaultDecelText(), list.at(DefaultResolutionRow)),
             QStringLiteral("400"));
}

QTEST_APPLESS_MAIN(TestMoveCalculator)
#include "tst_movecalculator.moc"
