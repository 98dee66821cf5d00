#pragma once

#include <QString>
#include <functional>
#include <optional>

// What leaving a settings dialog's number box does to the typed text: the
// leading number is clamped into [min, max] (no number counts as 0), then
// optionally adjusted further (snapped to a step, rounded), then written
// back as text. No message is ever shown for a value out of range.
struct BoxRule {
    double min = 0;
    double max = 0;
    // A further step after the clamp, for boxes whose value must be, say, a
    // multiple of 4. Empty: the clamped value stands.
    std::function<double(double)> adjust;
    // How the value is written back. Empty: plain decimal text ("20000",
    // "0.5", "1.875"), "." as the decimal point whatever the locale.
    std::function<QString(double)> format;

    // The value the text stands for once the box has been left.
    double value(const QString& text) const;
    // The text the box holds once it has been left.
    QString normalised(const QString& text) const;
};

// What OK reads from a box the opener filled: while it has not been edited
// since the filling and holds a number, the filled value as it stands, out
// of the box's range or not (OK must not change what the user never
// touched); nullopt when the box was edited (even back to the same text)
// or holds no number, and the text is then normalised as leaving the box
// would.
std::optional<double> UntouchedValue(const QString& text, bool edited, double filledValue);

// Plain decimal text of a number, as the settings dialogs show numbers.
QString BoxText(double value);
