#pragma once

#include "Settings.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

// Every member of Settings in one table, so tests can walk the whole record:
// compare two records field by field, check every value lies in its range,
// make random records. A new member of Settings needs a row here.
struct SettingsField {
    using Member = std::variant<bool Settings::*, int Settings::*, std::int16_t Settings::*,
                                double Settings::*, float Settings::*, QString Settings::*>;

    const char* name;
    Member member;
    // The range a user can give the value (what the dialogs clamp to). For a
    // text: its length. Booleans: 0..1.
    double lo;
    double hi;
    // The range a stored value may take and still go into the drive image,
    // a file and a dialog soundly (what a decoded drive image may leave).
    double validLo;
    double validHi;
    // How far a value may move in a drive image round trip; relative to the
    // value when imageRelative is set. A negative tolerance: the image does
    // not carry the field.
    double imageTolerance;
    bool imageRelative = false;

    bool isText() const { return std::holds_alternative<QString Settings::*>(member); }
    bool isBool() const { return std::holds_alternative<bool Settings::*>(member); }
    bool isInteger() const;  // bool, int and int16 members
    bool inImage() const { return imageTolerance >= 0; }
};

const std::vector<SettingsField>& SettingsFields();
const SettingsField* FindSettingsField(const QString& name);

// A field's value as a number (bool 0/1; not for text) or as text (any kind).
double FieldNumber(const Settings& s, const SettingsField& f);
void SetFieldNumber(Settings& s, const SettingsField& f, double value);  // integers rounded half to even
QString FieldText(const Settings& s, const SettingsField& f);
void SetFieldText(Settings& s, const SettingsField& f, const QString& text);

// How far two values of a field may lie apart; +infinity skips the field.
using FieldTolerance = std::function<double(const SettingsField& f, double value)>;
// Exactly equal (float members compared as floats).
double ExactTolerance(const SettingsField& f, double value);
// What writing a number as text keeps: 15 significant digits of a double,
// 7 of a single (configuration files, printouts); integers and texts exact.
double TextNumberTolerance(const SettingsField& f, double value);
// The field's drive image tolerance; fields the image does not carry skipped.
double ImageTolerance(const SettingsField& f, double value);

// The names of the fields in which a and b differ by more than the tolerance
// ("name: a-value != b-value"), in table order; empty when they agree.
QStringList DifferingFields(const Settings& a, const Settings& b,
                            const FieldTolerance& tolerance = ExactTolerance);
QStringList DifferingNames(const Settings& a, const Settings& b,
                           const FieldTolerance& tolerance = ExactTolerance);

// The fields outside their valid range ("name = value"): a text longer or
// shorter than allowed or holding a control character, a number
// outside validLo..validHi, NaN or infinite.
QStringList FieldsOutOfRange(const Settings& s);
