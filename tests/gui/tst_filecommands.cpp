#include "ConfigSamples.h"
#include "ConfigurationFile.h"
#include "ConfiguratorFixture.h"
#include "FileCommands.h"
#include "SampleMotor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTimer>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// The configuration as a file would hold it, for comparing states whole.
QByteArray Snapshot(const Configurator& c)
{
    return WriteConfigFile(CaptureConfiguration(c, QStringLiteral("1.0")));
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Makes every file this process writes stop at a few bytes, as a full disk
// does. Permission bits cannot make a save fail here: the tests run as root,
// which writes through them.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

}  // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void saveAsThenOpenRestoresTheConfiguration();
    void namesReadBackAsWritten_data();
    void namesReadBackAsWritten();
    void saveWithoutFileAsksForOne();
    void openedFileKeepsValuesAboveItsModel();
    void openGuard_data();
    void openGuard();
    void cancelledDialogsChangeNothing();
    void fileDialogs_data();
    void fileDialogs();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void failedSaveAsKeepsTheCurrentFile();
};

void TestFileCommands::saveAsThenOpenRestoresTheConfiguration()
{
    ConfiguratorFixture f;
    Configurator& c = f.configurator;
    FileCommands files(nullptr, c, f.prompt);
    const QString path = f.path(QStringLiteral("unusual.cnf"));
    files.setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
    QSignalSpy captions(&files, &FileCommands::captionFileChanged);

    const ConfigFileContent unusual = ConfigSamples::UnusualContent();
    c.settings() = unusual.settings;
    c.motors().AddMotorRecord(unusual.motor);
    c.selectModel(unusual.modelRow);
    c.setCommRow(unusual.commRow);
    c.state().SettingsChanged = true;
    const QByteArray saved = Snapshot(c);

    QVERIFY(files.DoSaveAs());
    QCOMPARE(ReadFile(path), saved);
    QCOMPARE(files.CurrentFile(), path);
    QVERIFY(!c.state().SettingsChanged);
    QCOMPARE(captions.takeLast().at(0).toString(), path);
    QVERIFY(f.prompt.messages.isEmpty());

    // Another configuration, then the file again.
    InitVars(c.settings());
    c.motors().moveFirst();
    c.selectModel(0);
    c.setCommRow(0);
    QSignalSpy summaries(&c, &Configurator::summaryRefreshRequested);
    QSignalSpy ports(&c, &Configurator::commRowSelected);
    // The link moves the port and reports the row it ended on.
    connect(&c, &Configurator::commRowSelected, &c, &Configurator::setCommRow);
    files.MenuOpen_Click();
    QCOMPARE(f.prompt.messages.size(), 0);
    QCOMPARE(Snapshot(c), saved);
    QCOMPARE(c.modelIndex(), 4);
    QCOMPARE(ports.size(), 1);
    QCOMPARE(ports.at(0).at(0).toInt(), 6);
    QCOMPARE(c.databaseMotor().partNumber, unusual.motor.partNumber);
    QCOMPARE(summaries.size(), 1);
    QVERIFY(c.state().InertiaSet);
    QVERIFY(!c.state().SettingsChanged);
    QCOMPARE(files.CurrentFile(), path);
    QCOMPARE(captions.takeLast().at(0).toString(), path);
    QCOMPARE(c.motionDesc(), QStringLiteral("TMX Mode"));
}

void TestFileCommands::namesReadBackAsWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("opened");
    QTest::newRow("trailing blanks") << "ab  " << "ab  ";
    QTest::newRow("leading blanks") << "  ab" << "  ab";
    QTest::newRow("accented letters") << "café Ølund" << "café Ølund";
    QTest::newRow("only letters beyond ASCII") << "電機モーター" << "電機モーター";
    QTest::newRow("beyond the basic plane") << "motor 𝛑" << "motor 𝛑";
    QTest::newRow("13 characters") << "KV23-M166B-XY" << "KV23-M166B-XY";
    QTest::newRow("longer than the image holds") << "NEMA 23 high torque, 3.4 A" << "NEMA 23 high torque, 3.4 A";
    QTest::newRow("quote and comma") << "5\" \"big\", x" << "5\" \"big\", x";
    QTest::newRow("empty") << "" << "";
    // Control characters show nothing; a line break would end the line.
    QTest::newRow("control characters") << "a\tb\x01" "c\x7f" << "abc";
}

// A custom-motor name and a database part number come back from save and
// open exactly as they were written.
void TestFileCommands::namesReadBackAsWritten()
{
    QFETCH(QString, name);
    QFETCH(QString, opened);
    ConfiguratorFixture f;
    Configurator& c = f.configurator;
    FileCommands files(nullptr, c, f.prompt);
    const QString path = f.path(QStringLiteral("names.cnf"));
    files.setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
    c.settings().CustomMotorName = name;
    if (!name.isEmpty())
        QCOMPARE(c.motors().AddMotorRecord(SampleMotor(name)), MotorStore::AddResult::Added);
    const QString databaseMotor = c.databaseMotor().partNumber;
    QVERIFY(files.DoSaveAs());

    // Opened over another configuration on a database without that motor.
    ConfiguratorFixture other;
    FileCommands reopen(nullptr, other.configurator, other.prompt);
    reopen.setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
    other.configurator.settings().CustomMotorName = QStringLiteral("something else");
    reopen.MenuOpen_Click();
    QVERIFY(other.prompt.messages.isEmpty());
    QCOMPARE(other.configurator.settings().CustomMotorName, opened);
    // An empty part number names no motor: the database keeps its own.
    QCOMPARE(other.configurator.databaseMotor().partNumber, name.isEmpty() ? databaseMotor : opened);
}

void TestFileCommands::saveWithoutFileAsksForOne()
{
    ConfiguratorFixture f;
    FileCommands files(nullptr, f.configurator, f.prompt);
    QList<FileCommands::Dialog> asked;
    QStringList folders;
    QDir(f.dir.path()).mkdir(QStringLiteral("sub"));
    QString path = f.path(QStringLiteral("sub/first.cnf"));
    files.setStartFolder(QStringLiteral("/start"));
    files.setFileChooser([&](FileCommands::Dialog d, const QString& folder) {
        asked << d;
        folders << folder;
        return path;
    });
    files.MenuSave_Click();
    QCOMPARE(asked, QList<FileCommands::Dialog>{FileCommands::Dialog::Save});
    QCOMPARE(files.CurrentFile(), path);

    // The next dialog opens where the current file is.
    files.MenuSaveAs_Click();
    QCOMPARE(folders, (QStringList{QStringLiteral("/start"), f.path(QStringLiteral("sub"))}));
    asked.clear();

    // With a current file, Save writes to it without asking.
    f.configurator.settings().StepsPerRev = 400;
    files.MenuSave_Click();
    QVERIFY(asked.isEmpty());
    QCOMPARE(ReadFile(path), Snapshot(f.configurator));
}

void TestFileCommands::openedFileKeepsValuesAboveItsModel()
{
    // A KORV4-J-220 file whose running current only a 6 A model allows: the
    // open selects the model row before it reads the values, so the file
    // opens as written (the download's limit checks guard the drive).
    ConfiguratorFixture f;
    const QString path = f.path(QStringLiteral("high.cnf"));
    QByteArray file = ConfigSamples::Fixture(QStringLiteral("version-0.0.19.cnf"));
    file = ConfigSamples::WithItem(file, 2, 0, "4");
    file = ConfigSamples::WithItem(file, 4, 0, "5");
    file = ConfigSamples::WithItem(file, 4, 1, "95");
    WriteFile(path, file);
    FileCommands files(nullptr, f.configurator, f.prompt);
    files.setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
    f.configurator.settings().PowerUpMode = 13;
    files.MenuOpen_Click();
    QVERIFY(f.prompt.messages.isEmpty());
    QCOMPARE(f.configurator.modelIndex(), 4);
    QCOMPARE(f.configurator.settings().RunCurrent, 5.0);
    QCOMPARE(f.configurator.settings().IdleCurrentPct, 95);
    QCOMPARE(f.configurator.settings().CustomMotorMaxVolts, 100.0);
    QCOMPARE(f.configurator.settings().PowerUpMode, 13);
}

void TestFileCommands::openGuard_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("no changes, no question") << false << -1 << true;
    QTest::newRow("changes, OK") << true << int(Prompt::Answer::Ok) << true;
    QTest::newRow("changes, Cancel") << true << int(Prompt::Answer::Cancel) << false;
}

void TestFileCommands::openGuard()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, opens);
    ConfiguratorFixture f;
    const QString path = f.path(QStringLiteral("a.cnf"));
    WriteFile(path, ConfigSamples::Fixture(QStringLiteral("unusual.cnf")));
    FileCommands files(nullptr, f.configurator, f.prompt);
    int dialogs = 0;
    files.setFileChooser([&](FileCommands::Dialog, const QString&) {
        ++dialogs;
        return path;
    });
    f.configurator.state().SettingsChanged = changed;
    if (answer >= 0)
        f.prompt.answers << Prompt::Answer(answer);
    files.MenuOpen_Click();

    if (changed) {
        QCOMPARE(f.prompt.messages.size(), 1);
        const ScriptedPrompt::Message& m = f.prompt.messages.first();
        QCOMPARE(m.title, QStringLiteral("Open"));
        QCOMPARE(m.text, QStringLiteral("You have made changes without Saving or Downloading.  Do you really want to "
                                        "open a file and replace your program?"));
        QCOMPARE(m.buttons, Prompt::Buttons::OkCancel);
        QCOMPARE(m.icon, Prompt::Icon::Question);
    } else {
        QVERIFY(f.prompt.messages.isEmpty());
    }
    QCOMPARE(dialogs, opens ? 1 : 0);
    QCOMPARE(files.CurrentFile(), opens ? path : QString());
    QCOMPARE(f.configurator.settings().OperatingMode, opens ? 2 : 3);
    QCOMPARE(f.configurator.state().SettingsChanged, !opens);
}

void TestFileCommands::cancelledDialogsChangeNothing()
{
    ConfiguratorFixture f;
    FileCommands files(nullptr, f.configurator, f.prompt);
    files.setFileChooser([](FileCommands::Dialog, const QString&) { return QString(); });
    QSignalSpy captions(&files, &FileCommands::captionFileChanged);
    f.configurator.state().SettingsChanged = true;
    const QByteArray before = Snapshot(f.configurator);
    f.prompt.answers << Prompt::Answer::Ok;
    files.MenuOpen_Click();
    QVERIFY(!files.DoSaveAs());
    files.MenuSave_Click();
    QCOMPARE(Snapshot(f.configurator), before);
    QVERIFY(f.configurator.state().SettingsChanged);
    QVERIFY(files.CurrentFile().isEmpty());
    QCOMPARE(captions.size(), 0);
    QCOMPARE(f.prompt.messages.size(), 1);  // only the unsaved-changes question
}

void TestFileCommands::fileDialogs_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save as") << true;
}

void TestFileCommands::fileDialogs()
{
    // The program's own dialogs, as the user sees them, then cancelled.
    QFETCH(bool, save);
    ConfiguratorFixture f;
    FileCommands files(nullptr, f.configurator, f.prompt);
    files.setStartFolder(f.dir.path());
    QStringList filters;
    QString suffix;
    QString folder;
    int mode = -1;
    bool confirmsOverwrite = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(d);
        filters = d->nameFilters();
        suffix = d->defaultSuffix();
        folder = d->directory().absolutePath();
        mode = d->acceptMode();
        confirmsOverwrite = !d->testOption(QFileDialog::DontConfirmOverwrite);
        d->reject();
    });
    if (save)
        QVERIFY(!files.DoSaveAs());
    else
        files.MenuOpen_Click();
    QCOMPARE(filters, QStringList{QStringLiteral("Configurator Files (*.cnf)")});
    QCOMPARE(suffix, QStringLiteral("cnf"));
    QCOMPARE(folder, QDir(f.dir.path()).absolutePath());
    QCOMPARE(mode, int(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen));
    if (save)
        QVERIFY(confirmsOverwrite);
    QVERIFY(files.CurrentFile().isEmpty());
    QVERIFY(f.prompt.messages.isEmpty());
}

void TestFileCommands::badFilesChangeNothing_data()
{
    const QByteArray good = ConfigSamples::Fixture(QStringLiteral("unusual.cnf"));
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("kind");  // what stands at the chosen path
    QTest::addColumn<QString>("message");
    const QString cannotRead = QStringLiteral("Error: couldn't read file.  ");
    const QString cannotOpen = QStringLiteral("Error: could not open file.");
    QTest::newRow("ends after line 15") << good.left(good.indexOf("#FALSE#,#FALSE#,4000")) << "file" << cannotRead;
    QTest::newRow("wrong item type") << ConfigSamples::WithItem(good, 19, 1, "#TRUE#") << "file" << cannotRead;
    QTest::newRow("model row 6") << ConfigSamples::WithItem(good, 2, 0, "6") << "file" << cannotRead;
    QTest::newRow("port row 8") << ConfigSamples::WithItem(good, 20, 0, "8") << "file" << cannotRead;
    QTest::newRow("no such file") << QByteArray() << "none" << cannotOpen;
    QTest::newRow("a folder") << QByteArray() << "folder" << cannotOpen;
    // Opening a pipe for reading waits for a writer: it must not be opened.
    QTest::newRow("a pipe") << QByteArray() << "pipe" << cannotOpen;
}

void TestFileCommands::badFilesChangeNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, kind);
    QFETCH(QString, message);
    ConfiguratorFixture f;
    Configurator& c = f.configurator;
    const QString previous = f.path(QStringLiteral("previous.cnf"));
    c.state().CurrentFile = previous;
    c.state().SettingsChanged = true;
    const QString path = f.path(QStringLiteral("bad.cnf"));
    if (kind == QStringLiteral("file"))
        WriteFile(path, file);
    else if (kind == QStringLiteral("folder"))
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("bad.cnf")));
    else if (kind == QStringLiteral("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    FileCommands files(nullptr, c, f.prompt);
    files.setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
    QSignalSpy captions(&files, &FileCommands::captionFileChanged);
    QSignalSpy models(&c, &Configurator::modelIndexChanged);
    QSignalSpy ports(&c, &Configurator::commRowSelected);
    QSignalSpy summaries(&c, &Configurator::summaryRefreshRequested);
    const QByteArray before = Snapshot(c);
    const QStringList motorsBefore = c.motors().partNumbers();

    f.prompt.answers << Prompt::Answer::Ok;
    files.MenuOpen_Click();

    QCOMPARE(f.prompt.messages.size(), 2);
    const ScriptedPrompt::Message& m = f.prompt.messages.last();
    QCOMPARE(m.title, QStringLiteral("KORV4 Configurator"));
    QVERIFY2(m.text.startsWith(message), qPrintable(m.text));
    if (message.startsWith(QStringLiteral("Error: couldn't"))) {
        QVERIFY(m.text.size() > message.size() + 1);  // with the reason
        QVERIFY(m.text.endsWith(QLatin1Char('.')));
    }
    QCOMPARE(Snapshot(c), before);
    QCOMPARE(c.motors().partNumbers(), motorsBefore);
    QCOMPARE(files.CurrentFile(), previous);
    QVERIFY(c.state().SettingsChanged);
    QVERIFY(!c.state().InertiaSet);
    QCOMPARE(captions.size() + models.size() + ports.size() + summaries.size(), 0);
}

void TestFileCommands::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");  // else the disk is full
    QTest::newRow("disk full") << false;
    QTest::newRow("read-only folder") << true;
}

void TestFileCommands::failedSaveKeepsTheOldFile()
{
    QFETCH(bool, readOnlyFolder);
    ConfiguratorFixture f;
    QDir folder(f.dir.path());
    QVERIFY(folder.mkdir(QStringLiteral("kept")));
    QVERIFY(folder.cd(QStringLiteral("kept")));
    const QString path = folder.filePath(QStringLiteral("kept.cnf"));
    const QByteArray old = ConfigSamples::Fixture(QStringLiteral("unusual.cnf"));
    WriteFile(path, old);
    f.configurator.state().CurrentFile = path;
    f.configurator.state().SettingsChanged = true;
    FileCommands files(nullptr, f.configurator, f.prompt);
    bool saved;
    if (readOnlyFolder) {
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        // Root writes through permission bits; the disk-full row covers it there.
        const bool bitsHold = !QFile(folder.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
        if (bitsHold)
            saved = files.DoSave();
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!bitsHold)
            QSKIP("permission bits do not stop this user from writing");
    } else {
        const FileSizeLimit diskFull(64);
        saved = files.DoSave();
    }
    QVERIFY(!saved);
    QCOMPARE(ReadFile(path), old);
    QCOMPARE(f.prompt.messages.size(), 1);
    QCOMPARE(f.prompt.messages.first().title, QString());
    QVERIFY2(f.prompt.messages.first().text.startsWith(QStringLiteral("Error saving file: ")),
             qPrintable(f.prompt.messages.first().text));
    QVERIFY(f.prompt.messages.first().text.size() > QStringLiteral("Error saving file: ").size());
    QVERIFY(f.configurator.state().SettingsChanged);
    // No half-written temporary file is left beside it.
    QCOMPARE(folder.entryList(QDir::Files), QStringList{QStringLiteral("kept.cnf")});
}

void TestFileCommands::failedSaveAsKeepsTheCurrentFile()
{
    // A folder that is a regular file cannot hold the new file, whoever runs.
    ConfiguratorFixture f;
    const QString notAFolder = f.path(QStringLiteral("plain"));
    WriteFile(notAFolder, "x");
    f.configurator.state().CurrentFile = f.path(QStringLiteral("current.cnf"));
    f.configurator.state().SettingsChanged = true;
    FileCommands files(nullptr, f.configurator, f.prompt);
    files.setFileChooser([&](FileCommands::Dialog, const QString&) { return notAFolder + QStringLiteral("/new.cnf"); });
    QSignalSpy captions(&files, &FileCommands::captionFileChanged);
    QVERIFY(!files.DoSaveAs());
    QCOMPARE(f.prompt.messages.size(), 1);
    QVERIFY(f.prompt.messages.first().text.startsWith(QStringLiteral("Error saving file: ")));
    QCOMPARE(files.CurrentFile(), f.path(QStringLiteral("current.cnf")));
    QCOMPARE(captions.size(), 0);
    QVERIFY(f.configurator.state().SettingsChanged);
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
