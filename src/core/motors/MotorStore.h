#pragma once

#include "MotorRecord.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// The motor database: table "motor params" in an SQLite file, visited in the
// order of its key "PartNoX". It offers what the motor dialog's data control
// offered: open by path, first / next / end in key order, seek equal with a
// found flag, read a field of the current record by name (case-insensitive),
// and add a row. Its current record is the program's "database motor".
class MotorStore {
public:
    MotorStore();
    ~MotorStore();
    MotorStore(const MotorStore&) = delete;
    MotorStore& operator=(const MotorStore&) = delete;

    // Opens the file; false with a readable reason when it is missing, not a
    // database or lacks the table. A missing file is never created.
    bool open(const QString& path, QString* error = nullptr);
    // The number of the last failure of open (0 after a good open):
    // FileNotFound, NotADatabase or NoMotorTable.
    enum ErrorNumber { NoError = 0, FileNotFound = 3024, NotADatabase = 3025, NoMotorTable = 3026 };
    int errorNumber() const;

    // Creates a new, empty motor database file with the table and its index,
    // replacing any file of that name. The one definition of the schema.
    static bool create(const QString& path, QString* error = nullptr);
    bool isOpen() const;
    void close();

    // Navigation in key order. The current record follows the cursor.
    void moveFirst();
    void moveNext();
    bool atEnd() const;  // also true for an empty table

    // Seek "=" on the key; found makes that row current, not found leaves the
    // current record as it was.
    bool seek(const QString& partNoX);

    bool hasCurrent() const;
    // A field of the current record by name, matched without regard to case;
    // an invalid QVariant when there is no current record or no such field.
    QVariant field(const QString& name) const;
    // The current record as a MotorRecord (zeros and empty when none).
    MotorRecord currentRecord() const;

    // Every "part number" in key order (the motor list).
    QStringList partNumbers() const;

    // Adds a motor row (part number and its key, the fields AddMotorRecord
    // stores; R and L stay empty). Values are bound, never spliced into SQL.
    bool addRow(const MotorRecord& r, QString* error = nullptr);
    // The same with the winding R and L stored too (the seed listing has them).
    bool addRowWithWindings(const MotorRecord& r, QString* error = nullptr);

    // Adds the motor when its part number is new, then makes it current;
    // an empty part number changes nothing.
    enum class AddResult { Ignored, Selected, Added, Failed };
    AddResult AddMotorRecord(const MotorRecord& r);

private:
    bool insert(const MotorRecord& r, bool windings, QString* error);
    struct Impl;
    Impl* d;
};
