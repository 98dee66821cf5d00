#include "Codecs.h"

#include "Characters.h"
#include "Rounding.h"

#include <algorithm>
#include <cmath>

std::uint8_t ByteReader::byteAt(int index) const
{
    if (index < 0 || index >= m_bytes.size())
        return 0;
    return static_cast<std::uint8_t>(m_bytes.at(index));
}

std::uint8_t ByteReader::Str2Num8()
{
    return byteAt(UploadIndex++);
}

int ByteReader::Str2Num16()
{
    const int high = byteAt(UploadIndex);
    const int low = byteAt(UploadIndex + 1);
    UploadIndex += 2;
    return high * 256 + low;
}

int ByteReader::Str2Num16Signed()
{
    const int high = byteAt(UploadIndex);
    const int v = Str2Num16();
    return (high & 0x80) ? v - 65536 : v;
}

int ByteReader::SignedStr2Num16()
{
    const int v = Str2Num16();
    return v >= 32768 ? v - 65536 : v;
}

int ByteReader::Str2Num24()
{
    const int high = byteAt(UploadIndex);
    const int v = (high * 256 + byteAt(UploadIndex + 1)) * 256 + byteAt(UploadIndex + 2);
    UploadIndex += 3;
    return v;
}

double ByteReader::Str2Float()
{
    const int e = Str2Num8();
    const int m = Str2Num24();
    return std::ldexp(static_cast<double>(m), -e);
}

void SplitNum16(int value, std::uint8_t& high, std::uint8_t& low)
{
    const int v = std::clamp(value, -32768, 65535) & 0xFFFF;
    high = static_cast<std::uint8_t>(v >> 8);
    low = static_cast<std::uint8_t>(v & 0xFF);
}

void SignedString16(int value, std::uint8_t& high, std::uint8_t& low)
{
    int v = std::clamp(value, -65536, 65535);
    if (v < 0)
        v += 65536;
    high = static_cast<std::uint8_t>(v / 256);
    low = static_cast<std::uint8_t>(v % 256);
}

void SplitNum24(int value, std::uint8_t& high, std::uint8_t& middle, std::uint8_t& low)
{
    const int v = std::clamp(value, 0, 0xFFFFFF);
    high = static_cast<std::uint8_t>(v >> 16);
    middle = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    low = static_cast<std::uint8_t>(v & 0xFF);
}

void SplitFloat(double value, std::uint8_t& exponent, std::uint8_t& m2, std::uint8_t& m1,
                std::uint8_t& m0)
{
    exponent = m2 = m1 = m0 = 0;
    // No sign in the format: zero, negative and NaN all go as zero.
    if (!(value > 0.0))
        return;
    constexpr double Normal = 4194304.0;  // 2^22
    constexpr std::int64_t Largest = 0xFFFFFF;
    double x = value;
    int n = 0;
    // Doubling is exact; the exponent byte bounds how far a tiny value goes.
    while (x < Normal && n < 255) {
        x += x;
        ++n;
    }
    const std::int64_t m = RoundHalfEven(x);
    if (m == 0)
        return;
    if (m > Largest) {
        SplitNum24(static_cast<int>(Largest), m2, m1, m0);
        return;
    }
    exponent = static_cast<std::uint8_t>(n);
    SplitNum24(static_cast<int>(m), m2, m1, m0);
}

QString PlainImageText(const QString& text)
{
    // Character by character, so that a name keeps its length: what one
    // character decomposes into ("½" into "1⁄2", a Hangul syllable into its
    // letters) never takes more than one place.
    QString out;
    out.reserve(text.size());
    for (const QString& character : Characters(text)) {
        QString plain;
        bool shown = false;   // holds something other than accents and controls
        bool foreign = false; // holds something the drive cannot show
        for (const QChar c : character.normalized(QString::NormalizationForm_KD)) {
            if (c.unicode() >= 32 && c.unicode() <= 126) {
                plain.append(c);
                shown = true;
            } else if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Other_Control
                       || c.category() == QChar::Other_Format) {
                continue;  // an accent of the letter before it, or nothing to show
            } else {
                foreign = true;
                shown = true;
            }
        }
        if (!shown)
            continue;
        // An accented letter goes as its bare letter; anything else that is
        // not one plain character is one "?".
        out.append(!foreign && plain.size() == 1 ? plain : QStringLiteral("?"));
    }
    return out;
}

QString NoBadChars(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 32 && c.unicode() <= 126)
            out.append(c);
    }
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}
