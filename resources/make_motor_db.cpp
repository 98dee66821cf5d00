// Builds "korv4 motors.db" from the readable seed listing: the first line
// names the columns, every further line is one motor. The file is replaced.
#include "MotorStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

// A listing item as a number; false when it is not one, so a typing slip in
// the listing stops the build instead of becoming a motor with a 0 in it.
bool toNumber(const QString& text, double& out)
{
    bool ok = false;
    out = text.toDouble(&ok);
    return ok;
}

template <typename Int>
bool toWhole(const QString& text, Int& out)
{
    bool ok = false;
    out = static_cast<Int>(text.toInt(&ok));
    return ok;
}

// How one column of the listing goes into a MotorRecord.
struct SeedColumn {
    const char* name;
    bool (*set)(MotorRecord&, const QString&);
};

const SeedColumn SeedColumns[] = {
    {"part number", [](MotorRecord& m, const QString& v) { m.partNumber = v; return !v.isEmpty(); }},
    {"current", [](MotorRecord& m, const QString& v) { return toNumber(v, m.current); }},
    {"Torque", [](MotorRecord& m, const QString& v) { return toNumber(v, m.Torque); }},
    {"TorqueUnit", [](MotorRecord& m, const QString& v) { return toWhole(v, m.TorqueUnit); }},
    {"inertia", [](MotorRecord& m, const QString& v) { return toNumber(v, m.inertia); }},
    {"InertiaUnit", [](MotorRecord& m, const QString& v) { return toWhole(v, m.InertiaUnit); }},
    {"harmonic gain", [](MotorRecord& m, const QString& v) { return toWhole(v, m.harmonicGain); }},
    {"harmonic phase", [](MotorRecord& m, const QString& v) { return toWhole(v, m.harmonicPhase); }},
    {"leadangle deg", [](MotorRecord& m, const QString& v) { return toWhole(v, m.leadangleDeg); }},
    {"leadangle rps", [](MotorRecord& m, const QString& v) { return toWhole(v, m.leadangleRps); }},
    {"PWMmaxPct", [](MotorRecord& m, const QString& v) { return toNumber(v, m.PWMmaxPct); }},
    {"R", [](MotorRecord& m, const QString& v) { return toNumber(v, m.R); }},
    {"L", [](MotorRecord& m, const QString& v) { return toNumber(v, m.L); }},
};

int failure(const QString& what)
{
    std::fprintf(stderr, "make_motor_db: %s\n", qPrintable(what));
    return 1;
}

// Writes the motors of the listing into a new database file.
int build(const QString& seedPath, const QString& dbPath)
{
    QFile seed(seedPath);
    if (!seed.open(QIODevice::ReadOnly | QIODevice::Text))
        return failure(QStringLiteral("cannot read %1").arg(seedPath));
    QTextStream in(&seed);
    const QStringList header = in.readLine().split(QLatin1Char(','));
    QList<int> columnOf;  // seed column -> row of SeedColumns
    for (const QString& h : header) {
        int found = -1;
        for (int k = 0; k < static_cast<int>(std::size(SeedColumns)); ++k) {
            if (h.trimmed().compare(QLatin1String(SeedColumns[k].name), Qt::CaseInsensitive) == 0)
                found = k;
        }
        if (found < 0)
            return failure(QStringLiteral("unknown column \"%1\"").arg(h));
        columnOf << found;
    }

    QString error;
    if (!MotorStore::create(dbPath, &error))
        return failure(error);
    MotorStore store;
    if (!store.open(dbPath, &error))
        return failure(error);
    int line = 1;
    while (!in.atEnd()) {
        ++line;
        const QString text = in.readLine();
        if (text.trimmed().isEmpty())
            continue;
        const QStringList items = text.split(QLatin1Char(','));
        if (items.size() != columnOf.size())
            return failure(QStringLiteral("line %1: %2 items, expected %3").arg(line).arg(items.size()).arg(columnOf.size()));
        MotorRecord m;
        for (int i = 0; i < items.size(); ++i) {
            const SeedColumn& column = SeedColumns[columnOf.at(i)];
            if (!column.set(m, items.at(i).trimmed()))
                return failure(QStringLiteral("line %1: \"%2\" is no value for %3")
                                   .arg(line).arg(items.at(i), QLatin1String(column.name)));
        }
        if (!store.addRowWithWindings(m, &error))
            return failure(QStringLiteral("line %1: %2").arg(line).arg(error));
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return failure(QStringLiteral("usage: make_motor_db <seed.csv> <database>"));
    const QString seedPath = QString::fromLocal8Bit(argv[1]);
    const QString dbPath = QString::fromLocal8Bit(argv[2]);
    // Built aside and put in place whole: a listing that stops half way must
    // not leave a database that the next build takes as up to date.
    const QString partial = dbPath + QStringLiteral(".partial");
    const int result = build(seedPath, partial);
    if (result == 0 && (!QFile::exists(dbPath) || QFile::remove(dbPath)) && QFile::rename(partial, dbPath))
        return 0;
    QFile::remove(partial);
    return result != 0 ? result : failure(QStringLiteral("cannot replace %1").arg(dbPath));
}
