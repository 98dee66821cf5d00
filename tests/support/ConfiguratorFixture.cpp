#include "ConfiguratorFixture.h"

#include "ConfigurationFile.h"
#include "DriveImage.h"
#include "ExtractUploadData.h"
#include "MotorStore.h"
#include "SampleMotor.h"

ConfiguratorFixture::ConfiguratorFixture()
{
    // A small database of its own, so the tests may add motors to it.
    const QString db = dir.filePath(QStringLiteral("korv4 motors.db"));
    MotorStore::create(db);
    {
        MotorStore store;
        store.open(db);
        store.addRowWithWindings(SampleMotor(QStringLiteral("KM-23-200"), 2.8));
        store.addRowWithWindings(SampleMotor(QStringLiteral("KM-17-100"), 1.0));
    }
    configurator.openMotorDatabase(db);
    configurator.motors().moveFirst();
    configurator.selectModel(1);
    configurator.setCommRow(0);
    configurator.state().ProgramVersion = QStringLiteral("1.0");
}

void ConfiguratorFixture::upload(QByteArray image)
{
    AddChecksum(image);
    ExtractUploadData(configurator, image);
}

QByteArray ConfiguratorFixture::downloadImage() const
{
    QByteArray image = DownloadString(configurator.settings(), configurator.databaseMotor());
    AddChecksum(image);
    return image;
}

ConfigFileReadResult ConfiguratorFixture::saveAndOpen()
{
    const QByteArray file = WriteConfigFile(CaptureConfiguration(configurator, configurator.state().ProgramVersion));
    const ConfigFileReadResult read = ReadConfigFile(file, configurator.settings());
    if (read.ok)
        ApplyConfiguration(configurator, read.content);
    return read;
}
