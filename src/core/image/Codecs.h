#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Byte-level codecs of the configuration link. Multi-byte numbers travel high
// byte first. DriveFloat is an exponent byte e and a 24-bit mantissa m,
// value = m / 2^e, never negative.

// Reads numbers from a byte array at the cursor UploadIndex, advancing it by
// the bytes consumed. A byte past the end of the array reads as 0, so a short
// reply can never read outside its buffer.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& bytes, int start = 0) : m_bytes(bytes), UploadIndex(start) {}
    // The reader keeps a reference to the bytes: a temporary array would be
    // gone before the first read.
    explicit ByteReader(QByteArray&&, int = 0) = delete;

    std::uint8_t Str2Num8();
    int Str2Num16();          // 0..65535
    int Str2Num16Signed();    // two's complement: -32768..32767
    int SignedStr2Num16();    // the same value as Str2Num16Signed for every pair
    int Str2Num24();          // 0..16777215
    double Str2Float();       // DriveFloat

private:
    std::uint8_t byteAt(int index) const;
    const QByteArray& m_bytes;

public:
    int UploadIndex;  // index of the next byte to read
};

// Writers. Each writes its bytes through the out-parameters.
// SplitNum16: 0..65535 as they are, -32768..-1 as their two's complement
// (-1 gives FF FF); values beyond either end are held at that end so the
// field never wraps.
void SplitNum16(int value, std::uint8_t& high, std::uint8_t& low);
// SignedString16: value + 65536 when negative; takes -65536..65535 and holds
// anything outside at the nearer end.
void SignedString16(int value, std::uint8_t& high, std::uint8_t& low);
// SplitNum24: 0..16777215, held at the nearer end outside it.
void SplitNum24(int value, std::uint8_t& high, std::uint8_t& middle, std::uint8_t& low);
// SplitFloat: the DriveFloat bytes of value. Values below 2^22 are doubled
// until they reach it (23 significant bits kept); a value of 2^22 or more
// goes with exponent 0. A negative or NaN value writes zeros; a value whose
// mantissa would need more than 24 bits writes the largest one (00 FF FF FF).
void SplitFloat(double value, std::uint8_t& exponent, std::uint8_t& m2, std::uint8_t& m1,
                std::uint8_t& m0);

// The characters of text from blank (32) to tilde (126), in order, with
// trailing blanks removed; every other character is dropped.
QString NoBadChars(const QString& text);

// A name as the drive image carries it: plain characters only, blank (32)
// to tilde (126). An accented letter goes as its bare letter ("é" as "e"),
// any other character outside that range as "?" so the name keeps its
// length, and control characters are dropped. Not cut to length.
QString PlainImageText(const QString& text);
