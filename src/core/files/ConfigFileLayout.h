#pragma once

#include "ConfigFileContent.h"

#include <QList>
#include <optional>
#include <variant>

// The layout of a ".cnf" file: its 25 lines as one table of items, in file
// order. The writer and the reader both walk this table, so the two cannot
// drift apart.

// How an item is written. Bare: the text as it is (the version line).
// Written: items separated by ",", text quoted, booleans as #TRUE#/#FALSE#.
// Printed: a number with a sign blank and a trailing blank, each after the
// first of its line starting at the next 14-character print zone.
enum class ItemForm { Bare, Written, Printed };

// A fixed text the writer puts in and the reader skips.
struct FixedText {
    const char* text;
};

using FileItemTarget = std::variant<
    QString ConfigFileContent::*, std::int16_t ConfigFileContent::*,
    double Settings::*, float Settings::*, int Settings::*, std::int16_t Settings::*,
    bool Settings::*, QString Settings::*,
    double MotorRecord::*, int MotorRecord::*, std::int16_t MotorRecord::*, QString MotorRecord::*,
    FixedText>;

struct FileItem {
    int line;               // 1..25
    ItemForm form;
    FileItemTarget target;
    // Items added to the format later: read only from files of version
    // 0.0.sinceRevision or later (0: every file has them).
    int sinceRevision;
    // What an older file gives in their place; none: the value stays.
    std::optional<double> olderFileValue;
};

const QList<FileItem>& ConfigFileItems();

// Printed numbers after the first of a line start at positions 1, 15, 29, ...
constexpr int ConfigFileZoneWidth = 14;

// The value an item names inside a content record (const or not).
template <class Content>
auto& ItemOwner(Content& c, const ConfigFileContent*) { return c; }
template <class Content>
auto& ItemOwner(Content& c, const Settings*) { return c.settings; }
template <class Content>
auto& ItemOwner(Content& c, const MotorRecord*) { return c.motor; }

template <class Content, class Value, class Class>
auto& ItemValue(Content& c, Value Class::*member)
{
    return ItemOwner(c, static_cast<const Class*>(nullptr)).*member;
}
