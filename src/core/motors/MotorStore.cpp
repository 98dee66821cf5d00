#include "MotorStore.h"

#include "Rounding.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const char* const Table = "motor params";

// The columns of "motor params" in the order the table holds them, with
// their SQL types. R and L default to 0 so a row added without them reads
// as 0, never as an empty value.
struct Column {
    const char* name;
    const char* type;
};
const Column Columns[] = {
    {"part number", "TEXT NOT NULL DEFAULT ''"},
    {"PartNoX", "TEXT NOT NULL DEFAULT ''"},
    {"current", "REAL NOT NULL DEFAULT 0"},
    {"Torque", "REAL NOT NULL DEFAULT 0"},
    {"TorqueUnit", "INTEGER NOT NULL DEFAULT 0"},
    {"inertia", "REAL NOT NULL DEFAULT 0"},
    {"InertiaUnit", "INTEGER NOT NULL DEFAULT 0"},
    {"harmonic gain", "INTEGER NOT NULL DEFAULT 0"},
    {"harmonic phase", "INTEGER NOT NULL DEFAULT 0"},
    {"leadangle deg", "INTEGER NOT NULL DEFAULT 0"},
    {"leadangle rps", "INTEGER NOT NULL DEFAULT 0"},
    {"PWMmaxPct", "REAL NOT NULL DEFAULT 0"},
    {"R", "REAL NOT NULL DEFAULT 0"},
    {"L", "REAL NOT NULL DEFAULT 0"},
};

QString quoted(const char* identifier)
{
    return QLatin1Char('"') + QString::fromLatin1(identifier) + QLatin1Char('"');
}

// Key order and key equality of the "PartNoX" index ignore case, as the
// motor list always did.
const char* const KeyOrder = "\"PartNoX\" COLLATE NOCASE, rowid";

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("korv4-motors-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString sqlErrorText(const QSqlError& e)
{
    const QString text = e.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

// Runs the statements that create the table and its index on an open database.
bool createSchema(QSqlDatabase& db, QString* error)
{
    QStringList columns;
    for (const Column& c : Columns)
        columns << quoted(c.name) + QLatin1Char(' ') + QString::fromLatin1(c.type);
    const QStringList statements = {
        QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(Table), columns.join(QStringLiteral(", "))),
        QStringLiteral("CREATE INDEX \"PartNoX\" ON %1 (\"PartNoX\" COLLATE NOCASE)").arg(quoted(Table)),
    };
    for (const QString& sql : statements) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            if (error)
                *error = sqlErrorText(q.lastError());
            return false;
        }
    }
    return true;
}

}  // namespace

// Every read goes through the "PartNoX" index: the first row, the rows
// after a given one, a key looked up, the part numbers in key order. Nothing
// reads the whole table, so the cost of each does not grow with it.
struct MotorStore::Impl {
    QString connection = nextConnectionName();
    QSqlDatabase db;
    bool open = false;
    int errorNumber = NoError;
    // The current record (column 0 our own row id); empty (no fields)
    // before the first row of an empty table and after the last.
    QSqlRecord current;
    // The rows that follow the current one in key order, read a page at a
    // time so walking the table costs one query per page.
    QList<QSqlRecord> ahead;

    static constexpr int PageRows = 256;

    QString select(const QString& where, int limit) const
    {
        return QStringLiteral("SELECT rowid AS \"korv4 rowid\", * FROM %1 %2 ORDER BY %3 LIMIT %4")
            .arg(quoted(Table), where, QLatin1String(KeyOrder))
            .arg(limit);
    }

    // Runs a prepared read and collects its rows; the statement is finished
    // before returning, so no read stays open on the file.
    QList<QSqlRecord> rowsOf(const QString& sql, const QVariantList& values) const
    {
        QList<QSqlRecord> rows;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            return rows;
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec())
            return rows;
        while (q.next())
            rows.append(q.record());
        q.finish();
        return rows;
    }

    void clearCurrent()
    {
        current = QSqlRecord();
        ahead.clear();
    }

    void moveFirst()
    {
        clearCurrent();
        if (!open)
            return;
        ahead = rowsOf(select(QString(), PageRows), {});
        if (!ahead.isEmpty())
            current = ahead.takeFirst();
    }

    void moveNext()
    {
        if (!hasRow())
            return;
        if (ahead.isEmpty()) {
            // The rows after the current key, or with the same key and a
            // later row id (the order of rows with equal keys).
            ahead = rowsOf(select(QStringLiteral("WHERE \"PartNoX\" >= ? COLLATE NOCASE AND "
                                                 "(\"PartNoX\" > ? COLLATE NOCASE OR rowid > ?)"),
                                  PageRows),
                           {key(), key(), rowId()});
        }
        if (ahead.isEmpty()) {
            clearCurrent();
            return;
        }
        current = ahead.takeFirst();
    }

    bool seek(const QString& partNoX)
    {
        if (!open)
            return false;
        const QList<QSqlRecord> found =
            rowsOf(select(QStringLiteral("WHERE \"PartNoX\" = ? COLLATE NOCASE"), 1), {partNoX});
        if (found.isEmpty())
            return false;
        ahead.clear();
        current = found.first();
        return true;
    }

    bool hasRow() const { return !current.isEmpty(); }
    bool hasCurrent() const { return open && hasRow(); }
    qint64 rowId() const { return current.value(0).toLongLong(); }
    QString key() const { return current.value(QStringLiteral("PartNoX")).toString(); }
};

MotorStore::MotorStore() : d(new Impl) {}

MotorStore::~MotorStore()
{
    close();
    const QString name = d->connection;
    delete d;
    // Only once no QSqlDatabase handle of the connection is left.
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
}

bool MotorStore::open(const QString& path, QString* error)
{
    close();
    auto fail = [&](int number, const QString& text) {
        d->errorNumber = number;
        if (error)
            *error = text;
        close();
        return false;
    };
    // SQLite would make an empty file of a missing one; a missing database
    // must be reported, never replaced by an empty one.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return fail(FileNotFound, QStringLiteral("The motor database \"%1\" was not found.")
                                      .arg(QDir::toNativeSeparators(path)));
    if (!QSqlDatabase::contains(d->connection))
        d->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->connection);
    else
        d->db = QSqlDatabase::database(d->connection, false);
    d->db.setDatabaseName(path);
    if (!d->db.open())
        return fail(NotADatabase, QStringLiteral("The motor database \"%1\" could not be opened: %2")
                                      .arg(QDir::toNativeSeparators(path), sqlErrorText(d->db.lastError())));
    QSqlQuery q(d->db);
    q.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?"));
    q.addBindValue(QString::fromLatin1(Table));
    if (!q.exec())
        return fail(NotADatabase, QStringLiteral("\"%1\" is not a motor database: %2")
                                      .arg(QDir::toNativeSeparators(path), sqlErrorText(q.lastError())));
    if (!q.next())
        return fail(NoMotorTable, QStringLiteral("\"%1\" has no table \"%2\".")
                                      .arg(QDir::toNativeSeparators(path), QString::fromLatin1(Table)));
    q.finish();
    d->open = true;
    d->errorNumber = NoError;
    d->moveFirst();
    return true;
}

int MotorStore::errorNumber() const
{
    return d->errorNumber;
}

bool MotorStore::isOpen() const
{
    return d->open;
}

void MotorStore::close()
{
    d->clearCurrent();
    d->open = false;
    if (d->db.isValid())
        d->db.close();
    d->db = QSqlDatabase();
}

bool MotorStore::create(const QString& path, QString* error)
{
    if (QFile::exists(path) && !QFile::remove(path)) {
        if (error)
            *error = QStringLiteral("\"%1\" could not be replaced.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    const QString name = nextConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            if (error)
                *error = sqlErrorText(db.lastError());
        } else {
            ok = createSchema(db, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

void MotorStore::moveFirst()
{
    d->moveFirst();
}

void MotorStore::moveNext()
{
    d->moveNext();
}

bool MotorStore::atEnd() const
{
    return !d->hasCurrent();
}

bool MotorStore::seek(const QString& partNoX)
{
    return d->seek(partNoX);
}

bool MotorStore::hasCurrent() const
{
    return d->hasCurrent();
}

QVariant MotorStore::field(const QString& name) const
{
    if (!d->hasCurrent())
        return QVariant();
    const QSqlRecord& r = d->current;
    // QSqlRecord matches field names without regard to case.
    const int i = r.indexOf(name);
    if (i <= 0)  // 0 is our own row id, not a field of the table
        return QVariant();
    return r.value(i);
}

MotorRecord MotorStore::currentRecord() const
{
    MotorRecord m;
    if (!d->hasCurrent())
        return m;
    auto num = [this](const char* n) { return field(QString::fromLatin1(n)).toDouble(); };
    // A column that should hold whole numbers may hold a fraction (SQLite
    // keeps what it is given); it is rounded half to even like every other
    // number made whole, not by QVariant's own rounding.
    auto integer = [this](const char* n) { return RoundToInt(field(QString::fromLatin1(n)).toDouble()); };
    m.partNumber = field(QStringLiteral("part number")).toString();
    m.current = num("current");
    m.Torque = num("Torque");
    m.inertia = num("inertia");
    m.PWMmaxPct = num("PWMmaxPct");
    m.R = num("R");
    m.L = num("L");
    m.harmonicGain = integer("harmonic gain");
    m.harmonicPhase = integer("harmonic phase");
    m.TorqueUnit = static_cast<std::int16_t>(integer("TorqueUnit"));
    m.InertiaUnit = static_cast<std::int16_t>(integer("InertiaUnit"));
    m.leadangleDeg = integer("leadangle deg");
    m.leadangleRps = integer("leadangle rps");
    return m;
}

QStringList MotorStore::partNumbers() const
{
    QStringList list;
    if (!d->open)
        return list;
    QSqlQuery q(d->db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT \"part number\" FROM %1 ORDER BY %2")
                    .arg(quoted(Table), QLatin1String(KeyOrder))))
        return list;
    while (q.next())
        list << q.value(0).toString();
    q.finish();
    return list;
}

namespace {

bool insertRow(QSqlDatabase& db, const MotorRecord& r, bool windings, QString* error)
{
    // Column names are ours; every value is bound, so a part number from a
    // file or a drive is stored as the text it is.
    QList<QPair<const char*, QVariant>> values = {
        {"current", r.current},
        {"harmonic gain", r.harmonicGain},
        {"harmonic phase", r.harmonicPhase},
        {"inertia", r.inertia},
        {"part number", r.partNumber},
        {"Torque", r.Torque},
        {"PartNoX", r.partNumber},
        {"TorqueUnit", static_cast<int>(r.TorqueUnit)},
        {"InertiaUnit", static_cast<int>(r.InertiaUnit)},
        {"leadangle rps", r.leadangleRps},
        {"leadangle deg", r.leadangleDeg},
        {"PWMmaxPct", r.PWMmaxPct},
    };
    if (windings) {
        values.append({"R", r.R});
        values.append({"L", r.L});
    }
    QStringList names, marks;
    for (const auto& v : values) {
        names << quoted(v.first);
        marks << QStringLiteral("?");
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(Table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    for (const auto& v : values)
        q.addBindValue(v.second);
    if (!q.exec()) {
        if (error)
            *error = sqlErrorText(q.lastError());
        return false;
    }
    return true;
}

}  // namespace

bool MotorStore::addRow(const MotorRecord& r, QString* error)
{
    return insert(r, false, error);
}

bool MotorStore::addRowWithWindings(const MotorRecord& r, QString* error)
{
    return insert(r, true, error);
}

bool MotorStore::insert(const MotorRecord& r, bool windings, QString* error)
{
    if (!d->open) {
        if (error)
            *error = QStringLiteral("The motor database is not open.");
        return false;
    }
    if (!insertRow(d->db, r, windings, error))
        return false;
    // The current record stays; the new row may belong among those that
    // follow it. With no current record the first row becomes current.
    d->ahead.clear();
    if (!d->hasRow())
        d->moveFirst();
    return true;
}

MotorStore::AddResult MotorStore::AddMotorRecord(const MotorRecord& r)
{
    if (r.partNumber.isEmpty())
        return AddResult::Ignored;
    if (seek(r.partNumber))
        return AddResult::Selected;
    if (!addRow(r))
        return AddResult::Failed;
    seek(r.partNumber);
    return AddResult::Added;
}
