#include "ConfigurationFile.h"

#include "Configurator.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 LargestConfigFile = 1 << 20;

}  // namespace

ConfigFileContent CaptureConfiguration(const Configurator& c, const QString& programVersion)
{
    ConfigFileContent content;
    content.version = programVersion;
    content.modelRow = static_cast<std::int16_t>(c.modelIndex());
    content.settings = c.settings();
    content.commRow = static_cast<std::int16_t>(c.commRow());
    if (c.motors().hasCurrent())
        content.motor = c.databaseMotor();
    return content;
}

void ApplyConfiguration(Configurator& c, const ConfigFileContent& content)
{
    // The model row first: its change limits the currents in force, not the
    // file's, which are then read as the file has them (the download's own
    // limit checks guard the drive).
    c.selectModel(content.modelRow);
    c.settings() = content.settings;
    if (content.commRow >= 0)
        c.selectCommRow(content.commRow);
    // A database that cannot take the motor keeps its current one; the
    // settings are applied all the same.
    c.AddMotorRecord(content.motor);
    c.ShowMotionDesc();
    c.SummarizeAll();
}

bool SaveFileBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    // The flush is checked here because commit() alone can put a short
    // file in place of the old one: with the disk full, Qt 6.4 reports the
    // failed flush but still commits what reached the disk.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool LoadFileBytes(const QString& path, QByteArray* bytes, QString* error)
{
    // Opening a pipe or a device waits for a writer that may never come,
    // and would hang the window; only a plain file can be a configuration.
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("not a file");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.read(LargestConfigFile);
    return true;
}
