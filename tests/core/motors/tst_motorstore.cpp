#include "Configurator.h"
#include "DriveImage.h"
#include "MotorStore.h"
#include "SampleMotor.h"
#include "ScriptedPrompt.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

MotorRecord motor(const QString& partNumber, double current = 2.0)
{
    MotorRecord m = SampleMotor(partNumber, current);
    m.Torque = 83;
    m.inertia = 120;
    return m;
}

}  // namespace

class TestMotorStore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void addMotorRecord();
    void hostilePartNumberIsData();
    void fieldsByNameIgnoreCase();
    void wholeNumberFieldsRoundHalfToEven();
    void navigationAndSeek();
    void walkOverManyRows();
    void openFailures_data();
    void openFailures();
    void closedStoreAddsNothing();
    void builtDatabaseListsTheSeed();
    void openMotorDatabaseTellsWhyAndRefuses();

private:
    QTemporaryDir m_dir;
    QString m_path;
    void makeDatabase(const QList<MotorRecord>& rows);
};

void TestMotorStore::init()
{
    // A connection left in use or a failed statement shows as a warning.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QVERIFY(m_dir.isValid());
    static int n = 0;
    m_path = m_dir.filePath(QStringLiteral("motors %1.db").arg(++n));
}

void TestMotorStore::makeDatabase(const QList<MotorRecord>& rows)
{
    QString error;
    QVERIFY2(MotorStore::create(m_path, &error), qPrintable(error));
    MotorStore store;
    QVERIFY2(store.open(m_path, &error), qPrintable(error));
    for (const MotorRecord& r : rows)
        QVERIFY2(store.addRowWithWindings(r, &error), qPrintable(error));
}

void TestMotorStore::addMotorRecord()
{
    makeDatabase({motor("KV23-B"), motor("KV17-A"), motor("KV34-D")});
    MotorStore store;
    QVERIFY(store.open(m_path));
    QCOMPARE(store.partNumbers(), QStringList({"KV17-A", "KV23-B", "KV34-D"}));
    QCOMPARE(store.currentRecord().partNumber, QStringLiteral("KV17-A"));

    // Known part number: selected, nothing added, the row not rewritten.
    QCOMPARE(store.AddMotorRecord(motor("KV34-D", 9.9)), MotorStore::AddResult::Selected);
    QCOMPARE(store.partNumbers().size(), 3);
    QCOMPARE(store.currentRecord().partNumber, QStringLiteral("KV34-D"));
    QCOMPARE(store.currentRecord().current, 2.0);

    // New one: exactly one row, in key order, selected; R and L are not
    // stored by an add and read as 0.
    QCOMPARE(store.AddMotorRecord(motor("KV23-C", 3.4)), MotorStore::AddResult::Added);
    QCOMPARE(store.partNumbers(), QStringList({"KV17-A", "KV23-B", "KV23-C", "KV34-D"}));
    const MotorRecord added = store.currentRecord();
    QCOMPARE(added.partNumber, QStringLiteral("KV23-C"));
    QCOMPARE(added.current, 3.4);
    QCOMPARE(added.harmonicPhase, -6);
    QCOMPARE(added.leadangleRps, 25);
    QCOMPARE(store.field("PartNoX").toString(), QStringLiteral("KV23-C"));
    QVERIFY(!store.field("R").isNull());
    QCOMPARE(store.field("R").toDouble(), 0.0);
    QCOMPARE(store.field("L").toDouble(), 0.0);

    // Empty part number: nothing changes, not even the current record.
    QCOMPARE(store.AddMotorRecord(motor(QString())), MotorStore::AddResult::Ignored);
    QCOMPARE(store.partNumbers().size(), 4);
    QCOMPARE(store.currentRecord().partNumber, QStringLiteral("KV23-C"));

    // The rows are in the file, not just in this object.
    MotorStore other;
    QVERIFY(other.open(m_path));
    QCOMPARE(other.partNumbers().size(), 4);
}

void TestMotorStore::hostilePartNumberIsData()
{
    makeDatabase({motor("KV17-A")});
    const QString hostile = QStringLiteral("A'; DROP TABLE x; --\"");
    {
        MotorStore store;
        QVERIFY(store.open(m_path));
        QCOMPARE(store.AddMotorRecord(motor(hostile)), MotorStore::AddResult::Added);
        QCOMPARE(store.currentRecord().partNumber, hostile);
        QCOMPARE(store.AddMotorRecord(motor(hostile)), MotorStore::AddResult::Selected);
    }
    MotorStore store;
    QVERIFY(store.open(m_path));
    QCOMPARE(store.partNumbers(), QStringList({hostile, "KV17-A"}));
    QVERIFY(store.seek(hostile));
    QCOMPARE(store.field("part number").toString(), hostile);
}

void TestMotorStore::fieldsByNameIgnoreCase()
{
    makeDatabase({motor("KV17-A")});
    MotorStore store;
    QVERIFY(store.open(m_path));
    QCOMPARE(store.field("Part Number").toString(), QStringLiteral("KV17-A"));
    QCOMPARE(store.field("INERTIA").toDouble(), 120.0);
    QCOMPARE(store.field("Inertia").toDouble(), 120.0);
    QCOMPARE(store.field("harmonic PHASE").toInt(), -6);
    QCOMPARE(store.field("r").toDouble(), 1.5);  // the seed path keeps the windings
    QVERIFY(!store.field("no such field").isValid());
}

void TestMotorStore::wholeNumberFieldsRoundHalfToEven()
{
    // A database edited by hand may hold fractions where whole numbers belong.
    makeDatabase({});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "by hand");
        db.setDatabaseName(m_path);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec("INSERT INTO \"motor params\" (\"part number\", \"PartNoX\", \"harmonic gain\", "
                                   "\"harmonic phase\", \"leadangle deg\", \"leadangle rps\", \"TorqueUnit\") "
                                   "VALUES ('KV', 'KV', 2.5, -2.5, 3.5, 24.5, 1.5)"));
    }
    QSqlDatabase::removeDatabase("by hand");
    MotorStore store;
    QVERIFY(store.open(m_path));
    const MotorRecord m = store.currentRecord();
    QCOMPARE(m.harmonicGain, 2);
    QCOMPARE(m.harmonicPhase, -2);
    QCOMPARE(m.leadangleDeg, 4);
    QCOMPARE(m.leadangleRps, 24);
    QCOMPARE(m.TorqueUnit, std::int16_t(2));
}

void TestMotorStore::navigationAndSeek()
{
    makeDatabase({motor("b"), motor("C"), motor("a")});
    MotorStore store;
    QVERIFY(store.open(m_path));
    QStringList visited;
    for (store.moveFirst(); !store.atEnd(); store.moveNext())
        visited << store.field("PartNoX").toString();
    QCOMPARE(visited, QStringList({"a", "b", "C"}));
    QVERIFY(!store.hasCurrent());

    QVERIFY(store.seek("C"));
    QVERIFY(!store.seek("nothing"));
    QCOMPARE(store.currentRecord().partNumber, QStringLiteral("C"));
    QVERIFY(store.seek("B"));  // the key ignores case
    QCOMPARE(store.currentRecord().partNumber, QStringLiteral("b"));

    QVERIFY(MotorStore::create(m_path));
    QVERIFY(store.open(m_path));
    QVERIFY(store.atEnd());
    QVERIFY(!store.hasCurrent());
    QVERIFY(store.partNumbers().isEmpty());
    QCOMPARE(store.currentRecord().current, 0.0);
}

void TestMotorStore::walkOverManyRows()
{
    // More rows than one read fetches, keys added in no order, and two keys
    // equal but for case (they keep the order they were added in).
    QStringList keys;
    for (int i = 0; i < 700; ++i)
        keys << QStringLiteral("M%1").arg((i * 337) % 700, 3, 10, QLatin1Char('0'));
    keys.insert(350, QStringLiteral("m123"));
    QList<MotorRecord> rows;
    for (const QString& k : keys)
        rows << motor(k);
    makeDatabase(rows);
    QStringList expected = keys;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(expected.indexOf("m123"), expected.indexOf("M123") + 1);

    MotorStore store;
    QVERIFY(store.open(m_path));
    QCOMPARE(store.partNumbers(), expected);
    QStringList visited;
    for (store.moveFirst(); !store.atEnd(); store.moveNext())
        visited << store.field("part number").toString();
    QCOMPARE(visited, expected);
    store.moveNext();
    QVERIFY(store.atEnd());

    QVERIFY(store.seek("m123"));
    QCOMPARE(store.field("part number").toString(), QStringLiteral("M123"));  // the first of equal keys
    store.moveNext();
    QCOMPARE(store.field("part number").toString(), QStringLiteral("m123"));
    store.moveNext();
    QCOMPARE(store.field("part number").toString(), QStringLiteral("M124"));

    // Rows added during a walk: the current record stays, and the walk
    // meets the new rows in their place, also beyond the rows read ahead.
    QVERIFY(store.seek("M100"));
    store.moveNext();
    QVERIFY(store.addRow(motor("M101a")));
    QVERIFY(store.addRow(motor("M650a")));
    QCOMPARE(store.field("part number").toString(), QStringLiteral("M101"));
    QStringList rest;
    for (; !store.atEnd(); store.moveNext())
        rest << store.field("part number").toString();
    QCOMPARE(rest.mid(0, 3), QStringList({"M101", "M101a", "M102"}));
    QCOMPARE(rest.mid(rest.indexOf("M650"), 3), QStringList({"M650", "M650a", "M651"}));
    QCOMPARE(rest.size(), 700 + 1 - 101 + 2);
}

void TestMotorStore::openFailures_data()
{
    QTest::addColumn<QByteArray>("content");  // "missing": no file at all
    QTest::addColumn<int>("number");
    QTest::newRow("missing") << QByteArray("missing") << int(MotorStore::FileNotFound);
    QTest::newRow("not a database") << QByteArray("part number,current\nKV,2\n") << int(MotorStore::NotADatabase);
    QTest::newRow("no motor table") << QByteArray("sqlite, no table") << int(MotorStore::NoMotorTable);
}

void TestMotorStore::openFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(int, number);
    if (content == "sqlite, no table") {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "no table");
            db.setDatabaseName(m_path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("CREATE TABLE other (a TEXT)"));
        }
        QSqlDatabase::removeDatabase("no table");
    } else if (content != "missing") {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    MotorStore store;
    QString error;
    QVERIFY(!store.open(m_path, &error));
    QVERIFY(!store.isOpen());
    QCOMPARE(store.errorNumber(), number);
    QVERIFY2(error.size() > 10, qPrintable(error));
    QCOMPARE(QFile::exists(m_path), content != "missing");
}

void TestMotorStore::closedStoreAddsNothing()
{
    MotorStore store;
    QString error;
    QVERIFY(!store.addRow(motor("KV"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(store.AddMotorRecord(motor("KV")), MotorStore::AddResult::Failed);
    QVERIFY(!store.seek("KV"));
    QVERIFY(!store.field("current").isValid());
}

void TestMotorStore::builtDatabaseListsTheSeed()
{
    QFile seed(qEnvironmentVariable("KORV4_SEED"));
    QVERIFY(seed.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&seed);
    const QStringList header = in.readLine().split(',');
    QCOMPARE(header.first(), QStringLiteral("part number"));
    QList<QStringList> motors;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            motors << line.split(',');
    }
    QVERIFY(motors.size() >= 10);

    MotorStore store;
    QString error;
    QVERIFY2(store.open(qEnvironmentVariable("KORV4_BIN") + "/korv4 motors.db", &error), qPrintable(error));
    // The program run from the build folder adds the motors of uploads and
    // opened files to this database, so it may hold more than the listing.
    const QStringList listed = store.partNumbers();
    for (int i = 1; i < listed.size(); ++i)
        QVERIFY2(listed.at(i - 1).compare(listed.at(i), Qt::CaseInsensitive) <= 0, qPrintable(listed.at(i)));
    Settings ratioOne;
    for (const QStringList& items : motors) {
        QVERIFY2(store.seek(items.first()), qPrintable(items.first()));
        for (int c = 0; c < header.size(); ++c) {
            const QVariant stored = store.field(header.at(c));
            const bool same = c == 0 ? stored.toString() == items.at(c) : stored.toDouble() == items.at(c).toDouble();
            QVERIFY2(same, qPrintable(items.first() + ", " + header.at(c) + ": " + stored.toString()));
        }
        // Torque and rotor inertia in units that fit the motor: its
        // anti-resonance with a load like its rotor lies where steppers' do.
        const MotorRecord m = store.currentRecord();
        QVERIFY2(m.current > 0 && m.R > 0 && m.L > 0, qPrintable(m.partNumber));
        const int hz = ARfreq(ratioOne, m);
        QVERIFY2(hz >= 60 && hz <= 300, qPrintable(m.partNumber + ": " + QString::number(hz) + " Hz"));
    }
}

void TestMotorStore::openMotorDatabaseTellsWhyAndRefuses()
{
    ScriptedPrompt prompt;
    Configurator app(prompt);
    QVERIFY(!app.openMotorDatabase(m_path));
    QCOMPARE(prompt.messages.size(), 1);
    const ScriptedPrompt::Message& m = prompt.messages.first();
    QCOMPARE(m.title, QStringLiteral("KORV4 Configurator"));
    QCOMPARE(m.buttons, Prompt::Buttons::Ok);
    QVERIFY2(m.text.startsWith("Error 3024: The motor database"), qPrintable(m.text));
    QVERIFY(m.text.endsWith(" Can't load motor database.  The KORV4 Configurator cannot operate without it.  "
                            "Please try re-installing the software."));
    QVERIFY(!QFile::exists(m_path));

    makeDatabase({motor("KV17-A")});
    prompt.clear();
    QVERIFY(app.openMotorDatabase(m_path));
    QVERIFY(prompt.messages.isEmpty());
    QCOMPARE(app.databaseMotor().partNumber, QStringLiteral("KV17-A"));
}

QTEST_GUILESS_MAIN(TestMotorStore)
#include "tst_motorstore.moc"
