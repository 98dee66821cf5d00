#include "ConfiguratorFixture.h"

#include "ConfigSamples.h"
#include "MotorStore.h"

ConfiguratorFixture::ConfiguratorFixture()
{
    // A small database of its own, so the tests may add motors to it.
    const QString db = dir.filePath(QStringLiteral("korv4 motors.db"));
    MotorStore::create(db);
    {
        MotorStore store;
        store.open(db);
        MotorRecord second = ConfigSamples::SampleMotor();
        second.partNumber = QStringLiteral("KM-17-100");
        second.current = 1.0;
        store.addRowWithWindings(ConfigSamples::SampleMotor());
        store.addRowWithWindings(second);
    }
    configurator.openMotorDatabase(db);
    configurator.motors().moveFirst();
    configurator.selectModel(1);
    configurator.setCommRow(0);
    configurator.state().ProgramVersion = QStringLiteral("1.0");
}
