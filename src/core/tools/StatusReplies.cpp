#include "StatusReplies.h"

#include "HexDigit.h"

#include <algorithm>

namespace {

constexpr QChar Cr = QLatin1Char('\r');
constexpr int KeyLength = 3;
constexpr int WordDigits = 4;

struct ModelRow {
    int model;
    StatusLayout layout;
    bool mainIO;
};

// Drives with only the X inputs and Y outputs, and drives with all rows.
const ModelRow kModelRows[] = {
    {41, StatusLayout::Compact, false},  {42, StatusLayout::Compact, false},
    {44, StatusLayout::Compact, false},  {45, StatusLayout::Compact, false},
    {43, StatusLayout::Designed, true},  {46, StatusLayout::Designed, true},
    {73, StatusLayout::Designed, true},  {74, StatusLayout::Designed, true},
    {76, StatusLayout::Designed, true},  {77, StatusLayout::Designed, true},
};

const ModelRow* FindModel(int model)
{
    for (const ModelRow& row : kModelRows)
        if (row.model == model)
            return &row;
    return nullptr;
}

unsigned LeadingHex(QStringView text, qsizetype maxDigits)
{
    unsigned value = 0;
    for (qsizetype i = 0; i < text.size() && i < maxDigits; ++i) {
        const int d = HexDigit(text.at(i));
        if (d < 0)
            break;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

// A number as a reply carries it: blanks, a sign, digits, a decimal point
// and digits; reading stops at anything else (nothing read is 0).
double LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    bool point = false;
    while (i < text.size() && (text.at(i).isDigit() || (!point && text.at(i) == QLatin1Char('.')))) {
        point = point || text.at(i) == QLatin1Char('.');
        ++i;
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toString().toDouble(&ok);
    return ok ? v : 0.0;
}

// The value after the key, up to the first carriage return behind it or
// the end of the reply.
std::optional<QStringView> Value(const QString& reply, const QString& key)
{
    const qsizetype p = reply.indexOf(key);
    if (p < 0)
        return std::nullopt;
    QStringView value = QStringView(reply).mid(p + KeyLength);
    const qsizetype cr = value.indexOf(Cr);
    return cr < 0 ? value : value.left(cr);
}

// The value between the key and the reply's first carriage return, when
// that lies after the key.
std::optional<QStringView> ValueUpToFirstCr(const QString& reply, const QString& key)
{
    const qsizetype p = reply.indexOf(key);
    const qsizetype cr = reply.indexOf(Cr);
    if (p < 0 || cr < p + KeyLength)
        return std::nullopt;
    return QStringView(reply).mid(p + KeyLength, cr - p - KeyLength);
}

QString TwoPlaces(double v)
{
    return QString::number(v, 'f', 2);
}

}  // namespace

bool operator==(const StatusDisplay& a, const StatusDisplay& b)
{
    return a.alarmWord == b.alarmWord && a.statusWord == b.statusWord && a.inputs == b.inputs
           && a.outputs == b.outputs && a.speed == b.speed && a.volts == b.volts && a.encoder == b.encoder
           && a.enabled == b.enabled && a.layout == b.layout;
}

const std::array<StatusLampRow, LampCount> kStatusLamps = {{
    {"Enabled", LampColour::Green, true},
    {"Sampling", LampColour::Green, false},
    {"Fault", LampColour::Red, true},
    {"Motion", LampColour::Green, true},
    {"P2P Move", LampColour::Green, true},
    {"Jogging", LampColour::Green, true},
    {"Stopping", LampColour::Yellow, true},
    {"Wait Input", LampColour::Green, true},
    {"Saving", LampColour::Green, false},
    {"Alarm", LampColour::Yellow, true},
    {"Homing", LampColour::Green, true},
    {"Wait Time", LampColour::Green, true},
    {"Wizard 1", LampColour::Green, false},
    {"Wizard 2", LampColour::Green, false},
}};

const std::array<LampColour, LampCount> kAlarmLampColours = {
    LampColour::Yellow, LampColour::Yellow, LampColour::Yellow, LampColour::Red, LampColour::Red,
    LampColour::Red,    LampColour::Red,    LampColour::Red,    LampColour::Red, LampColour::Red,
    LampColour::Yellow, LampColour::Yellow, LampColour::Yellow, LampColour::Yellow,
};

const DigitQuery kInputQuery{"IS", "IS=", false, {7, 6, 5, 4, 3, 2, 1, 0}};
const DigitQuery kOutputQuery{"IO", "IO=", true, {-1, -1, -1, -1, 3, 2, 1, 0}};
const DigitQuery kExtInputQuery{"ISX", "IS=", false, {8, 15, 14, 13, 12, 11, 10, 9}};
const DigitQuery kExtOutputQuery{"IOY", "IO=", true, {-1, -1, -1, -1, -1, 6, 5, 4}};

namespace StatusReplies {

bool ApplyDigits(const DigitQuery& query, const QString& reply, StatusDisplay& display)
{
    const std::optional<QStringView> value = Value(reply, QLatin1String(query.key));
    if (!value)
        return false;
    for (qsizetype i = 0; i < value->size() && i < qsizetype(query.leds.size()); ++i) {
        const int led = query.leds[static_cast<size_t>(i)];
        if (led < 0)
            continue;
        const Led shown = value->at(i) == QLatin1Char('1') ? Led::Black : Led::Lit;
        if (query.outputs)
            display.outputs[static_cast<size_t>(led)] = shown;
        else
            display.inputs[static_cast<size_t>(led)] = shown;
    }
    return true;
}

std::optional<unsigned> HexWord(const QString& reply, const QString& key)
{
    const qsizetype p = reply.indexOf(key);
    if (p < 0)
        return std::nullopt;
    return LeadingHex(QStringView(reply).mid(p + KeyLength), WordDigits);
}

std::optional<unsigned> HexUpToCr(const QString& reply, const QString& key)
{
    const std::optional<QStringView> value = ValueUpToFirstCr(reply, key);
    if (!value)
        return std::nullopt;
    return LeadingHex(*value, value->size());
}

std::optional<double> Number(const QString& reply, const QString& key)
{
    const std::optional<QStringView> value = Value(reply, key);
    if (!value)
        return std::nullopt;
    return LeadingNumber(*value);
}

std::optional<double> NumberUpToCr(const QString& reply, const QString& key)
{
    const std::optional<QStringView> value = ValueUpToFirstCr(reply, key);
    if (!value)
        return std::nullopt;
    return LeadingNumber(*value);
}

QString Character(const QString& reply, const QString& key)
{
    const std::optional<QStringView> value = Value(reply, key);
    if (!value || value->isEmpty() || value->at(0) == QLatin1Char('\n'))
        return QString();
    return value->left(1).toString();
}

int ModelNumber(const QString& reply)
{
    const QString key = QStringLiteral("MN=");
    if (const std::optional<double> n = Number(reply, key))
        return static_cast<int>(std::clamp(*n, -32768.0, 32767.0));  // a 16-bit number
    if (reply.isEmpty())
        return 0;
    constexpr int DigitZero = 48;
    return reply.at(0).unicode() - DigitZero;
}

bool Answered(const QString& reply, const QString& key)
{
    const qsizetype p = reply.indexOf(key);
    return p >= 0 && reply.indexOf(Cr, p + KeyLength) >= 0;
}

QString SpeedText(double rpm)
{
    const QString text = TwoPlaces(rpm / 60.0);
    return rpm < 600 ? QStringLiteral("  ") + text : text;
}

QString VoltsText(double volts)
{
    const QString text = TwoPlaces(volts);
    return volts < 10 ? QStringLiteral("  ") + text : text;
}

QString EncoderText(double count)
{
    const QString text = QString::number(count, 'g', 15);
    return count < 0 ? text : QLatin1Char(' ') + text;
}

std::optional<StatusLayout> LayoutForModel(int modelNumber)
{
    const ModelRow* row = FindModel(modelNumber);
    if (!row)
        return std::nullopt;
    return row->layout;
}

bool HasMainIO(int modelNumber)
{
    const ModelRow* row = FindModel(modelNumber);
    return row && row->mainIO;
}

}  // namespace StatusReplies
