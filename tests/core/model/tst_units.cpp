#include "Units.h"

#include <QLocale>
#include <QTest>

class TestUnits : public QObject {
    Q_OBJECT
private slots:
    void unitNames_data();
    void unitNames();
    void conversions_data();
    void conversions();
    void formatSig_data();
    void formatSig();
    void formatSigIgnoresLocale();
    void leadingNumber_data();
    void leadingNumber();
    void limitVal_data();
    void limitVal();
};

void TestUnits::unitNames_data()
{
    QTest::addColumn<bool>("torque");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("oz in") << true << 0 << "oz in";
    QTest::newRow("lb in") << true << 1 << "lb in";
    QTest::newRow("g cm") << true << 2 << "g cm";
    QTest::newRow("kg cm") << true << 3 << "kg cm";
    QTest::newRow("N m") << true << 4 << "N m";
    QTest::newRow("torque past the table") << true << 9 << "N m";
    QTest::newRow("torque negative code") << true << -1 << "N m";
    QTest::newRow("oz in sec2") << false << 0 << "oz in sec2";
    QTest::newRow("g cm2") << false << 1 << "g cm2";
    QTest::newRow("kg cm2") << false << 2 << "kg cm2";
    QTest::newRow("kg m2") << false << 3 << "kg m2";
    QTest::newRow("inertia past the table") << false << 7 << "kg m2";
}

void TestUnits::unitNames()
{
    QFETCH(bool, torque);
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(torque ? TorqueUnitName(code) : InertiaUnitName(code), name);
}

void TestUnits::conversions_data()
{
    // kind: 0 torque to N m, 1 inertia to kg m2, 2 inertia from kg m2
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("expected");
    QTest::newRow("141.6 oz in") << 0 << 141.6 << 0 << 1.0;
    QTest::newRow("10 lb in") << 0 << 10.0 << 1 << 1.13;
    QTest::newRow("1000 g cm") << 0 << 1000.0 << 2 << 0.098066;
    QTest::newRow("10 kg cm") << 0 << 10.0 << 3 << 0.98066;
    QTest::newRow("5 N m") << 0 << 5.0 << 4 << 5.0;
    QTest::newRow("5, code 9") << 0 << 5.0 << 9 << 5.0;
    QTest::newRow("300 g cm2") << 1 << 300.0 << 1 << 0.00003;
    QTest::newRow("1 oz in sec2") << 1 << 1.0 << 0 << 0.0070616;
    QTest::newRow("1 kg cm2") << 1 << 1.0 << 2 << 0.0001;
    QTest::newRow("2 kg m2") << 1 << 2.0 << 3 << 2.0;
    QTest::newRow("to g cm2") << 2 << 0.00003 << 1 << 300.0;
    QTest::newRow("to oz in sec2") << 2 << 0.0070616 << 0 << 1.0;
    QTest::newRow("to kg cm2") << 2 << 0.0001 << 2 << 1.0;
    QTest::newRow("to kg m2, code 7") << 2 << 0.25 << 7 << 0.25;
}

void TestUnits::conversions()
{
    QFETCH(int, kind);
    QFETCH(double, value);
    QFETCH(int, code);
    QFETCH(double, expected);
    const double got = kind == 0 ? TorqueToNm(value, code)
                       : kind == 1 ? InertiaToKgm2(value, code)
                                   : InertiaFromKgm2(value, code);
    QVERIFY2(qAbs(got - expected) <= 1e-12 * qAbs(expected), qPrintable(QString::number(got, 'g', 17)));
}

void TestUnits::formatSig_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("text");
    QTest::newRow("1000000: seven digits") << 1000000.0 << "1000000";
    QTest::newRow("just below a million rounds up") << 999999.7 << "1000000";
    QTest::newRow("123456.4") << 123456.4 << "123456";
    QTest::newRow("a little above two thousand") << 2047.6 << "2048";
    // An exact decimal half rounds away from zero, as the format patterns
    // do, judged on the decimal the number stands for, not its binary.
    QTest::newRow("half of a whole number, up") << 2048.5 << "2049";
    QTest::newRow("half of a whole number, even above") << 2049.5 << "2050";
    QTest::newRow("half of a whole number, odd") << 4338.5 << "4339";
    QTest::newRow("half at one decimal") << 12.25 << "12.3";
    QTest::newRow("half at three decimals") << 1.0625 << "1.063";
    QTest::newRow("half stored a hair below") << 1.0005 << "1.001";
    QTest::newRow("half at four decimals, small") << 0.00012345 << ".0001235";
    QTest::newRow("half carries through nines") << 9.9995 << "10.0";
    QTest::newRow("half below a million") << 999999.5 << "1000000";
    QTest::newRow("negative half") << -0.000000125 << "-.00000013";
    QTest::newRow("not quite half") << 12.2499999 << "12.2";
    QTest::newRow("150.2") << 150.2 << "150";
    QTest::newRow("12.34") << 12.34 << "12.3";
    QTest::newRow("10") << 10.0 << "10.0";
    QTest::newRow("3.6") << 3.6 << "3.6";
    QTest::newRow("1") << 1.0 << "1.0";
    QTest::newRow("2.12345") << 2.12345 << "2.123";
    QTest::newRow("0.5") << 0.5 << ".5";
    QTest::newRow("0.12345") << 0.12345 << ".1235";
    QTest::newRow("0.05") << 0.05 << ".05";
    QTest::newRow("0.0070616") << 0.0070616 << ".007062";
    QTest::newRow("0.0003") << 0.0003 << ".0003";
    QTest::newRow("zero") << 0.0 << ".00000";
    QTest::newRow("1e-7: eight places") << 1e-7 << ".0000001";
    QTest::newRow("1e-9 shows zero") << 1e-9 << ".00000";
    QTest::newRow("negative two") << -2.0 << "-2.00000";
    QTest::newRow("negative small") << -0.25 << "-.25000";
}

void TestUnits::formatSig()
{
    QFETCH(double, x);
    QFETCH(QString, text);
    QCOMPARE(FormatSig(x), text);
}

void TestUnits::formatSigIgnoresLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = FormatSig(12.34);
    const double parsed = LeadingNumber(QStringLiteral("1.5"));
    QLocale::setDefault(before);
    QCOMPARE(text, QStringLiteral("12.3"));
    QCOMPARE(parsed, 1.5);
}

void TestUnits::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "5" << 5.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("blanks ignored") << " 1 2.5 " << 12.5;
    QTest::newRow("decimal point") << "0.25A" << 0.25;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("negative") << "-3.5 s" << -3.5;
    QTest::newRow("exponent") << "1e3x" << 1000.0;
    QTest::newRow("dangling exponent") << "2e" << 2.0;
    QTest::newRow("comma is not a point") << "1,5" << 1.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
}

void TestUnits::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(LeadingNumber(text), value);
}

void TestUnits::limitVal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");
    QTest::newRow("above max") << "12abc" << 1.0 << 10.0 << 10.0;
    QTest::newRow("empty gives min") << "" << 1.0 << 10.0 << 1.0;
    QTest::newRow("inside") << "5" << 0.0 << 10.0 << 5.0;
    QTest::newRow("fraction inside") << "0.55" << 0.5 << 6.0 << 0.55;
    QTest::newRow("below min") << "0.2" << 0.5 << 6.0 << 0.5;
    QTest::newRow("bounds kept") << "-200" << -128.0 << 128.0 << -128.0;
    QTest::newRow("overflowing exponent") << "1e999" << 0.0 << 10.0 << 10.0;
}

void TestUnits::limitVal()
{
    QFETCH(QString, text);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);
    QCOMPARE(LimitVal(text, min, max), value);
}

QTEST_APPLESS_MAIN(TestUnits)
#include "tst_units.moc"
