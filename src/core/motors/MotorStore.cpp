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

struct MotorStore::Impl {
    QString connection = nextConnectionName();
    QSqlDatabase db;
    bool open = false;
    int errorNumber = NoError;
    // The table in key order; the cursor indexes it. The table is small (a
    // few dozen motors), so it is read whole after opening and after an add.
    QList<QSqlRecord> rows;
    int cursor = 0;

    void reload(qint64 keepRowId)
    {
        rows.clear();
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT rowid AS \"korv4 rowid\", * FROM %1 ORDER BY %2")
                        .arg(quoted(Table), QLatin1String(KeyOrder))))
            return;
        while (q.next())
            rows.append(q.record());
        cursor = 0;
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i).value(0).toLongLong() == keepRowId)
                cursor = i;
        }
    }
    bool hasCurrent() const { return open && cursor >= 0 && cursor < rows.size(); }
    qint64 currentRowId() const { return hasCurrent() ? rows.at(cursor).value(0).toLongLong() : -1; }
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
    d->reload(-1);
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
    d->rows.clear();
    d->cursor = 0;
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
    d->cursor = 0;
}

void MotorStore::moveNext()
{
    if (d->cursor < d->rows.size())
        ++d->cursor;
}

bool MotorStore::atEnd() const
{
    return !d->hasCurrent();
}

bool MotorStore::seek(const QString& partNoX)
{
    if (!d->open)
        return false;
    for (int i = 0; i < d->rows.size(); ++i) {
        if (d->rows.at(i).value(QStringLiteral("PartNoX")).toString().compare(partNoX, Qt::CaseInsensitive) == 0) {
            d->cursor = i;
            return true;
        }
    }
    return false;
}

bool MotorStore::hasCurrent() const
{
    return d->hasCurrent();
}

QVariant MotorStore::field(const QString& name) const
{
    if (!d->hasCurrent())
        return QVariant();
    const QSqlRecord& r = d->rows.at(d->cursor);
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
    for (const QSqlRecord& r : d->rows)
        list << r.value(QStringLiteral("part number")).toString();
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
    const qint64 keep = d->currentRowId();
    if (!insertRow(d->db, r, windings, error))
        return false;
    d->reload(keep);
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
