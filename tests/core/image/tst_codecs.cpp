#include "Codecs.h"

#include <QTest>
#include <cmath>

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(static_cast<char>(v));
    return b;
}

QByteArray floatBytes(double v)
{
    std::uint8_t e, m2, m1, m0;
    SplitFloat(v, e, m2, m1, m0);
    return bytes({e, m2, m1, m0});
}

}  // namespace

class TestCodecs : public QObject {
    Q_OBJECT
private slots:
    void splitFloat_data();
    void splitFloat();
    void str2Float_data();
    void str2Float();
    void floatRoundTripIsExactForWrittenValues();
    void readers16_data();
    void readers16();
    void readersAdvanceTheCursor();
    void readingPastTheEndGivesZeros();
    void writers16_data();
    void writers16();
    void splitNum24();
    void noBadChars_data();
    void noBadChars();
};

void TestCodecs::splitFloat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("0") << 0.0 << bytes({0, 0, 0, 0});
    QTest::newRow("1.0") << 1.0 << bytes({0x16, 0x40, 0, 0});
    QTest::newRow("0.5") << 0.5 << bytes({0x17, 0x40, 0, 0});
    QTest::newRow("2.5") << 2.5 << bytes({0x15, 0x50, 0, 0});
    QTest::newRow("118") << 118.0 << bytes({0x10, 0x76, 0, 0});
    QTest::newRow("300") << 300.0 << bytes({0x0E, 0x4B, 0, 0});
    QTest::newRow("0.1") << 0.1 << bytes({0x1A, 0x66, 0x66, 0x66});
    QTest::newRow("2^22 not doubled") << 4194304.0 << bytes({0, 0x40, 0, 0});
    QTest::newRow("2^24 - 1") << 16777215.0 << bytes({0, 0xFF, 0xFF, 0xFF});
    // A value just below 2^23 after doubling rounds up to 2^23, which fits.
    QTest::newRow("rounds up to 2^23") << (8388607.75 / 2) << bytes({1, 0x80, 0, 0});
    // Outside the format: no sign, at most 24 mantissa bits.
    QTest::newRow("negative") << -1.0 << bytes({0, 0, 0, 0});
    QTest::newRow("NaN") << std::nan("") << bytes({0, 0, 0, 0});
    QTest::newRow("2^24 saturates") << 16777216.0 << bytes({0, 0xFF, 0xFF, 0xFF});
    QTest::newRow("rounds to 2^24, saturates") << 16777215.6 << bytes({0, 0xFF, 0xFF, 0xFF});
    QTest::newRow("huge saturates") << 1e30 << bytes({0, 0xFF, 0xFF, 0xFF});
    QTest::newRow("infinity saturates") << HUGE_VAL << bytes({0, 0xFF, 0xFF, 0xFF});
    QTest::newRow("too small for the exponent") << 1e-300 << bytes({0, 0, 0, 0});
}

void TestCodecs::splitFloat()
{
    QFETCH(double, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(floatBytes(value).toHex(' '), expected.toHex(' '));
}

void TestCodecs::str2Float_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<double>("value");
    QTest::newRow("1.0") << bytes({0x16, 0x40, 0, 0}) << 1.0;
    QTest::newRow("zero mantissa, any exponent") << bytes({5, 0, 0, 0}) << 0.0;
    QTest::newRow("0.1 as written") << bytes({0x1A, 0x66, 0x66, 0x66}) << 0x666666 / 67108864.0;
    QTest::newRow("largest") << bytes({0, 0xFF, 0xFF, 0xFF}) << 16777215.0;
    QTest::newRow("smallest exponent step") << bytes({255, 0, 0, 1}) << std::ldexp(1.0, -255);
}

void TestCodecs::str2Float()
{
    QFETCH(QByteArray, input);
    QFETCH(double, value);
    ByteReader r(input);
    QCOMPARE(r.Str2Float(), value);
    QCOMPARE(r.UploadIndex, 4);
}

void TestCodecs::floatRoundTripIsExactForWrittenValues()
{
    const double values[] = {1.0, 118.0, 300.0, 0.0070616, 1e-6, 4194303.0, 5000.123, 0.1};
    for (double v : values) {
        const QByteArray written = floatBytes(v);
        const double read = ByteReader(written).Str2Float();
        QVERIFY2(std::fabs(read - v) <= v * std::ldexp(1.0, -23), qPrintable(QString::number(v)));
        const QByteArray rewritten = floatBytes(read);
        QCOMPARE(ByteReader(rewritten).Str2Float(), read);
    }
}

void TestCodecs::readers16_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("unsignedValue");
    QTest::addColumn<int>("signedValue");
    QTest::newRow("FF FF") << bytes({0xFF, 0xFF}) << 65535 << -1;
    QTest::newRow("80 00") << bytes({0x80, 0x00}) << 32768 << -32768;
    QTest::newRow("7F FF") << bytes({0x7F, 0xFF}) << 32767 << 32767;
    QTest::newRow("00 00") << bytes({0, 0}) << 0 << 0;
    QTest::newRow("A2 40") << bytes({0xA2, 0x40}) << 41536 << -24000;
}

void TestCodecs::readers16()
{
    QFETCH(QByteArray, input);
    QFETCH(int, unsignedValue);
    QFETCH(int, signedValue);
    QCOMPARE(ByteReader(input).Str2Num16(), unsignedValue);
    QCOMPARE(ByteReader(input).Str2Num16Signed(), signedValue);
    QCOMPARE(ByteReader(input).SignedStr2Num16(), signedValue);
}

void TestCodecs::readersAdvanceTheCursor()
{
    const QByteArray data = bytes({0x01, 0x02, 0x03, 0x12, 0x34, 0x56, 0x07});
    ByteReader r(data);
    QCOMPARE(r.Str2Num16(), 0x0102);
    QCOMPARE(int(r.Str2Num8()), 3);
    QCOMPARE(r.UploadIndex, 3);
    QCOMPARE(r.Str2Num24(), 0x123456);
    QCOMPARE(r.UploadIndex, 6);
}

void TestCodecs::readingPastTheEndGivesZeros()
{
    const QByteArray data = bytes({0x12});
    ByteReader r(data);
    QCOMPARE(r.Str2Num16(), 0x1200);
    QCOMPARE(r.Str2Float(), 0.0);
    QCOMPARE(r.UploadIndex, 6);
}

void TestCodecs::writers16_data()
{
    QTest::addColumn<bool>("signedWriter");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("SplitNum16 -1") << false << -1 << bytes({0xFF, 0xFF});
    QTest::newRow("SplitNum16 -24000") << false << -24000 << bytes({0xA2, 0x40});
    QTest::newRow("SplitNum16 51200") << false << 51200 << bytes({0xC8, 0x00});
    QTest::newRow("SplitNum16 0") << false << 0 << bytes({0, 0});
    QTest::newRow("SplitNum16 65535") << false << 65535 << bytes({0xFF, 0xFF});
    QTest::newRow("SplitNum16 above 65535 held") << false << 100000 << bytes({0xFF, 0xFF});
    QTest::newRow("SplitNum16 below -32768 held") << false << -40000 << bytes({0x80, 0x00});
    QTest::newRow("SignedString16 -24000") << true << -24000 << bytes({0xA2, 0x40});
    QTest::newRow("SignedString16 20000") << true << 20000 << bytes({0x4E, 0x20});
    QTest::newRow("SignedString16 -1") << true << -1 << bytes({0xFF, 0xFF});
    QTest::newRow("SignedString16 -65536") << true << -65536 << bytes({0, 0});
    QTest::newRow("SignedString16 above 65535 held") << true << 70000 << bytes({0xFF, 0xFF});
}

void TestCodecs::writers16()
{
    QFETCH(bool, signedWriter);
    QFETCH(int, value);
    QFETCH(QByteArray, expected);
    std::uint8_t hi = 0, lo = 0;
    if (signedWriter)
        SignedString16(value, hi, lo);
    else
        SplitNum16(value, hi, lo);
    QCOMPARE(bytes({hi, lo}).toHex(' '), expected.toHex(' '));
}

void TestCodecs::splitNum24()
{
    std::uint8_t h, m, l;
    SplitNum24(0x123456, h, m, l);
    QCOMPARE(bytes({h, m, l}).toHex(), QByteArray("123456"));
    SplitNum24(-5, h, m, l);
    QCOMPARE(bytes({h, m, l}).toHex(), QByteArray("000000"));
    SplitNum24(0x7FFFFFFF, h, m, l);
    QCOMPARE(bytes({h, m, l}).toHex(), QByteArray("ffffff"));
}

void TestCodecs::noBadChars_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::newRow("tab and trailing blanks") << QStringLiteral("AB\tC  ") << "ABC";
    QTest::newRow("13 NULs") << QString(13, QChar(0)) << "";
    QTest::newRow("tilde stays") << "a~" << "a~";
    QTest::newRow("DEL dropped") << QStringLiteral("a\x7F" "b") << "ab";
    QTest::newRow("high characters dropped") << QString::fromLatin1("M\xE9t\xFF") << "Mt";
    QTest::newRow("leading blanks stay") << "  x " << "  x";
    QTest::newRow("blank before a dropped char trimmed") << QStringLiteral("x \x01") << "x";
}

void TestCodecs::noBadChars()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QCOMPARE(NoBadChars(input), output);
}

QTEST_APPLESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
