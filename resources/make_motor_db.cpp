// Builds "korv4 motors.db" from the readable seed listing: the first line
// names the columns, every further line is one motor. The file is replaced.
#include "MotorStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

// How one column of the listing goes into a MotorRecord.
struct SeedColumn {
    const char* name;
    void (*set)(MotorRecord&, const QString&);
};

const SeedColumn SeedColumns[] = {
    {"part number", [](MotorRecord& m, const QString& v) { m.partNumber = v; }},
    {"current", [](MotorRecord& m, const QString& v) { m.current = v.toDouble(); }},
    {"Torque", [](MotorRecord& m, const QString& v) { m.Torque = v.toDouble(); }},
    {"TorqueUnit", [](MotorRecord& m, const QString& v) { m.TorqueUnit = static_cast<std::int16_t>(v.toInt()); }},
    {"inertia", [](MotorRecord& m, const QString& v) { m.inertia = v.toDouble(); }},
    {"InertiaUnit", [](MotorRecord& m, const QString& v) { m.InertiaUnit = static_cast<std::int16_t>(v.toInt()); }},
    {"harmonic gain", [](MotorRecord& m, const QString& v) { m.harmonicGain = v.toInt(); }},
    {"harmonic phase", [](MotorRecord& m, const QString& v) { m.harmonicPhase = v.toInt(); }},
    {"leadangle deg", [](MotorRecord& m, const QString& v) { m.leadangleDeg = v.toInt(); }},
    {"leadangle rps", [](MotorRecord& m, const QString& v) { m.leadangleRps = v.toInt(); }},
    {"PWMmaxPct", [](MotorRecord& m, const QString& v) { m.PWMmaxPct = v.toDouble(); }},
    {"R", [](MotorRecord& m, const QString& v) { m.R = v.toDouble(); }},
    {"L", [](MotorRecord& m, const QString& v) { m.L = v.toDouble(); }},
};

int failure(const QString& what)
{
    std::fprintf(stderr, "make_motor_db: %s\n", qPrintable(what));
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return failure(QStringLiteral("usage: make_motor_db <seed.csv> <database>"));
    const QString seedPath = QString::fromLocal8Bit(argv[1]);
    const QString dbPath = QString::fromLocal8Bit(argv[2]);

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
        for (int i = 0; i < items.size(); ++i)
            SeedColumns[columnOf.at(i)].set(m, items.at(i).trimmed());
        if (!store.addRowWithWindings(m, &error))
            return failure(QStringLiteral("line %1: %2").arg(line).arg(error));
    }
    return 0;
}
