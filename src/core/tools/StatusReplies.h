#pragma once

#include <QString>
#include <array>
#include <optional>

// How the status monitor reads the drive's TMX replies and what each one
// shows. A reply is the command's first two letters, "=", the value and a
// carriage return ("AL=0009\r"); the value is read from the reply buffer
// after its key.

// An input or output LED: black is high (open), lit is low (closed).
enum class Led { Black, Lit };

// Which rows the monitor shows. Designed: both input columns and all seven
// output rows. Compact: only the X inputs and the Y outputs, moved up into
// the first places (drives that have only those).
enum class StatusLayout { Designed, Compact };

constexpr int InputLedCount = 16;   // IN1..IN8 at 0..7, X0..X7 at 8..15
constexpr int OutputLedCount = 7;   // OUT1..OUT4 at 0..3, Y1..Y3 at 4..6
constexpr int LampCount = 14;       // alarm and status lamps, one per bit

// Everything the monitor shows, as the replies left it.
struct StatusDisplay {
    unsigned alarmWord = 0;   // lamp i lit when bit i is set
    unsigned statusWord = 0;
    std::array<Led, InputLedCount> inputs{};
    std::array<Led, OutputLedCount> outputs{};
    QString speed;            // rev/s
    QString volts;
    QString encoder;
    bool enabled = true;      // Enable shown green (Disable grey), else the other way
    StatusLayout layout = StatusLayout::Designed;
};

bool operator==(const StatusDisplay& a, const StatusDisplay& b);
inline bool operator!=(const StatusDisplay& a, const StatusDisplay& b) { return !(a == b); }

// The lamps of the status word: caption and colour; bits whose lamps lie
// out of sight below the frame are not visible but kept all the same.
enum class LampColour { Green, Yellow, Red };
struct StatusLampRow {
    const char* caption;
    LampColour colour;
    bool visible;
};
extern const std::array<StatusLampRow, LampCount> kStatusLamps;
// The colours of the alarm lamps, by bit.
extern const std::array<LampColour, LampCount> kAlarmLampColours;

// A query whose reply value is one digit per input or output.
struct DigitQuery {
    const char* command;
    const char* key;
    bool outputs;                 // false: input LEDs
    std::array<int, 8> leds;      // LED for value characters 1..8, -1: unused
};
extern const DigitQuery kInputQuery;           // "IS": IN8..IN1
extern const DigitQuery kOutputQuery;          // "IO": OUT4..OUT1
extern const DigitQuery kExtInputQuery;        // "ISX": X0, X7..X1
extern const DigitQuery kExtOutputQuery;       // "IOY": Y3..Y1

namespace StatusReplies {

// Shows the digits of a digit query's reply: "1" black, any other lit. Only
// the LEDs the value covers change (a short value leaves the rest). False
// when the key is not in the reply.
bool ApplyDigits(const DigitQuery& query, const QString& reply, StatusDisplay& display);

// Up to four hexadecimal digits after the key, read up to the first
// character that is not one ("AL=0009" -> 9); none when the key is missing.
std::optional<unsigned> HexWord(const QString& reply, const QString& key);
// The hexadecimal value between the key and the carriage return; none
// unless the reply's first carriage return comes after the key.
std::optional<unsigned> HexUpToCr(const QString& reply, const QString& key);
// The decimal number after the key ("IV=-300" -> -300); none when the key
// is missing.
std::optional<double> Number(const QString& reply, const QString& key);
// The decimal number between the key and the first carriage return, as
// HexUpToCr.
std::optional<double> NumberUpToCr(const QString& reply, const QString& key);
// The one character after the key ("MO=2" -> "2"); empty when the key or
// the character is missing.
QString Character(const QString& reply, const QString& key);

// The drive's answer to "MN": a single character whose code is 48 above
// the model number ("Y" -> 41), or "MN=" and the number; 0 when nothing came.
int ModelNumber(const QString& reply);

// The key is there and a carriage return follows it.
bool Answered(const QString& reply, const QString& key);

// What the numbers show.
QString SpeedText(double rpm);        // rev/s, "#0.00", two blanks below 600 rpm
QString VoltsText(double volts);      // "#0.00", two blanks below 10
QString EncoderText(double count);    // the number, a blank before it unless negative

// The layout a model number asks for; none: keep what is shown.
std::optional<StatusLayout> LayoutForModel(int modelNumber);
// Drives that have the IN and OUT rows, which each poll then reads too.
bool HasMainIO(int modelNumber);

}  // namespace StatusReplies
