#include "ConfigFile.h"
#include "ConfigSamples.h"
#include "ReadValueLimits.h"
#include "SettingsFields.h"

#include <QTest>
#include <random>

// Mutated configuration files never crash the reader; each one is either
// refused with a reason or read completely into values that are already in
// range and that write and read back unchanged.
class TestConfigFileFuzz : public QObject {
    Q_OBJECT
private slots:
    void mutatedFilesReadWholeOrNotAtAll();
};

namespace {

QByteArray Mutate(QByteArray file, std::mt19937& rng)
{
    auto pick = [&](qsizetype n) { return n <= 0 ? qsizetype(0) : qsizetype(rng() % quint32(n)); };
    QList<QByteArray> lines = file.split('\n');
    const int mutations = 1 + int(rng() % 3);
    for (int m = 0; m < mutations; ++m) {
        switch (rng() % 7) {
        case 0: {  // a byte changed
            file = lines.join('\n');
            if (!file.isEmpty())
                file[pick(file.size())] = char(rng() % 256);
            lines = file.split('\n');
            break;
        }
        case 1:  // a line dropped
            if (!lines.isEmpty())
                lines.removeAt(pick(lines.size()));
            break;
        case 2: {  // a line repeated
            if (!lines.isEmpty()) {
                const qsizetype i = pick(lines.size());
                lines.insert(i, lines.at(i));
            }
            break;
        }
        case 3: {  // a huge or odd number put in place of an item
            static const char* const odd[] = {"1E+308", "-1E+308", "99999999999999999999", "1e-400",
                                              "-0", "2147483648", "-32769", "4E+38"};
            const qsizetype i = pick(lines.size());
            QList<QByteArray> items = lines[i].split(',');
            items[pick(items.size())] = odd[rng() % 8];
            lines[i] = items.join(',');
            break;
        }
        case 4: {  // a NUL byte
            const qsizetype i = pick(lines.size());
            lines[i].insert(pick(lines[i].size() + 1), '\0');
            break;
        }
        case 5: {  // cut short
            file = lines.join('\n');
            file.truncate(pick(file.size() + 1));
            lines = file.split('\n');
            break;
        }
        default: {  // two lines swapped
            if (lines.size() > 1)
                lines.swapItemsAt(pick(lines.size()), pick(lines.size()));
            break;
        }
        }
    }
    return lines.join('\n');
}

}  // namespace

void TestConfigFileFuzz::mutatedFilesReadWholeOrNotAtAll()
{
    const QList<QByteArray> goldens = {ConfigSamples::Fixture(QStringLiteral("default.cnf")),
                                       ConfigSamples::Fixture(QStringLiteral("unusual.cnf")),
                                       ConfigSamples::Fixture(QStringLiteral("version-0.0.19.cnf"))};
    std::mt19937 rng(20261210);
    int read = 0;
    int refused = 0;
    for (int round = 0; round < 4000; ++round) {
        const QByteArray file = Mutate(goldens.at(round % goldens.size()), rng);
        const ConfigFileReadResult r = ReadConfigFile(file, Settings());
        if (!r.ok) {
            QVERIFY2(!r.error.isEmpty(), file.constData());
            ++refused;
            continue;
        }
        ++read;
        QVERIFY(r.content.modelRow >= 0 && r.content.modelRow <= 5);
        QVERIFY(r.content.commRow >= -1 && r.content.commRow <= 7);
        const QStringList outside = FieldsOutOfRange(r.content.settings);
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QLatin1Char('\n'))));
        // Already in range: limiting again changes nothing.
        // A save writes the program's own version, with every item.
        ConfigFileContent content = r.content;
        content.version = QStringLiteral("1.0");
        ConfigFileContent limited = content;
        LimitReadSettings(limited.settings);
        LimitReadMotor(limited.motor);
        const QByteArray written = WriteConfigFile(content);
        QCOMPARE(WriteConfigFile(limited), written);
        // And what was read is saved and opened again as it is.
        const ConfigFileReadResult again = ReadConfigFile(written, Settings());
        QVERIFY2(again.ok, qPrintable(again.error));
        QCOMPARE(WriteConfigFile(again.content), written);
    }
    // Both outcomes occur, so the mutations reach the reader's checks.
    QVERIFY(read > 100);
    QVERIFY(refused > 100);
}

QTEST_APPLESS_MAIN(TestConfigFileFuzz)
#include "tst_configfilefuzz.moc"
