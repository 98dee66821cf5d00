#pragma once

// The kinds of field the drive image is made of: how many bytes each takes
// and what numbers it reads as (before a setting's scale).
enum class Enc {
    U8,    // one byte
    U16,   // unsigned, high byte first
    S16,   // two's complement
    U16s,  // written as U16, read as two's complement
    F4,    // DriveFloat
    C13,   // 13 characters, blank padded
};

constexpr int ImageTextLength = 13;

constexpr int EncodedSize(Enc e)
{
    switch (e) {
    case Enc::U8: return 1;
    case Enc::U16:
    case Enc::S16:
    case Enc::U16s: return 2;
    case Enc::F4: return 4;
    case Enc::C13: return ImageTextLength;
    }
    return 0;
}

// The smallest and largest number a field of that kind reads as; a text
// field reads as no number (0 to 0). Writing holds a number inside it.
struct FieldSpan {
    double min;
    double max;
};

constexpr FieldSpan EncodedSpan(Enc e)
{
    switch (e) {
    case Enc::U8: return {0, 255};
    case Enc::U16: return {0, 65535};
    case Enc::S16:
    case Enc::U16s: return {-32768, 32767};
    case Enc::F4: return {0, 16777215};  // a 24-bit mantissa, never negative
    case Enc::C13: break;
    }
    return {0, 0};
}
