#include "ConfigFile.h"
#include "ConfigSamples.h"
#include "ConfiguratorFixture.h"
#include "DriveImage.h"
#include "MotorFields.h"
#include "ReadValueLimits.h"
#include "SettingsFields.h"

#include <QRandomGenerator>
#include <QTest>
#include <random>

// Mutated configuration files never crash the reader; each one is either
// refused with a reason or read completely into values that are already in
// range and that write and read back unchanged. Whatever a drive sends, a
// file saved after the upload opens with what was uploaded.
class TestConfigFileFuzz : public QObject {
    Q_OBJECT
private slots:
    void mutatedFilesReadWholeOrNotAtAll();
    void uploadedImagesOpenAsSaved();
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

// Random whole drive images through Upload, Save As, Open and Download: the
// opened configuration is the uploaded one (numbers to the 15 digits a file
// writes) and the download sends the same image as it would have without
// the file. The only values a file does not keep are the two its format
// itself rules out: a step filter of 0 Hz (bytes 5-6 below 5) opens as
// 1 Hz, and a noise filter below 100 Hz (byte 2 above 150) as 2000 Hz.
void TestConfigFileFuzz::uploadedImagesOpenAsSaved()
{
    ConfiguratorFixture f;
    Configurator& c = f.configurator;
    QRandomGenerator rng(20240523);
    const char knownModes[] = {1, 2, 3, 4, 7};
    int stepFilterRule = 0;
    int noiseFilterRule = 0;
    for (int run = 0; run < 400; ++run) {
        QByteArray image(DriveImageSize, '\0');
        for (int i = 0; i < DriveImageSize - 2; ++i)
            image[i] = static_cast<char>(rng.bounded(256));
        // Half of them in the modes the program knows; the custom motor in
        // use or not (byte 123 counts only when it is 1).
        if (rng.bounded(2))
            image[45] = knownModes[rng.bounded(5)];
        image[123] = static_cast<char>(rng.bounded(2));
        // A drive holds the floats a download gave it: at most 23 significant
        // bits (Codecs.h). A 24-bit mantissa with its last bit set lies
        // exactly halfway between two that a download can write, and the
        // 15 digits a file keeps of it tip that half one way or the other.
        for (const int f4 : {96, 100, 132, 136})
            image[f4 + 1] = static_cast<char>(image.at(f4 + 1) & 0x7F);
        if (run % 10 == 0)  // the step filter rule, more often than by chance
            image[5] = image[6] = 0;
        f.upload(image);
        const QString where = QStringLiteral("run %1, image %2").arg(run).arg(QString::fromLatin1(image.toHex()));

        Settings expected = c.settings();
        const MotorRecord motor = c.databaseMotor();
        QByteArray expectedImage = f.downloadImage();
        if (expected.StepFilterHz == 0) {
            expected.StepFilterHz = 1;
            expectedImage[5] = 0;
            expectedImage[6] = 10;
            ++stepFilterRule;
        }
        if (expected.NoiseFilterHz < 100) {
            expected.NoiseFilterHz = 2000;
            expectedImage[2] = 8;  // 15000 / 2000, rounded half to even
            ++noiseFilterRule;
        }
        AddChecksum(expectedImage);

        const ConfigFileReadResult read = f.saveAndOpen();
        QVERIFY2(read.ok, qPrintable(where + QStringLiteral(": ") + read.error));
        const QStringList changed = DifferingFields(expected, c.settings(), TextNumberTolerance);
        QVERIFY2(changed.isEmpty(), qPrintable(where + QStringLiteral(": ") + changed.join(QStringLiteral("; "))));
        const QStringList motorChanged = DifferingMotorFields(motor, read.content.motor, 1e-14);
        QVERIFY2(motorChanged.isEmpty(), qPrintable(where + QStringLiteral(": ") + motorChanged.join(QStringLiteral("; "))));
        QVERIFY2(f.downloadImage() == expectedImage,
                 qPrintable(where + QStringLiteral("\nsent ") + QString::fromLatin1(f.downloadImage().toHex())
                            + QStringLiteral("\nnot  ") + QString::fromLatin1(expectedImage.toHex())));
    }
    // Both rules were met, so the exceptions above are really exercised.
    QVERIFY(stepFilterRule > 10);
    QVERIFY(noiseFilterRule > 10);
}

QTEST_GUILESS_MAIN(TestConfigFileFuzz)
#include "tst_configfilefuzz.moc"
