#pragma once

#include <QString>
#include <QStringList>

// Text as a user sees it: a sequence of characters, each one grapheme
// cluster (a letter with its combining accents, a character beyond the
// basic plane in its two code units, an emoji sequence). A limit on a
// name's length counts these and never splits one.

// The characters of the text, in order.
QStringList Characters(const QString& text);
// How many characters the text has.
int CharacterCount(const QString& text);
