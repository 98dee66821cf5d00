#include "ConfigSamples.h"

#include "SampleMotor.h"

#include <QFile>
#include <QList>
#include <QTest>

namespace ConfigSamples {

ConfigFileContent DefaultContent()
{
    ConfigFileContent c;
    c.version = QStringLiteral("1.0");
    c.modelRow = 1;
    c.commRow = 0;
    c.motor = SampleMotor(QStringLiteral("KM-23-200"), 2.8);
    return c;
}

ConfigFileContent UnusualContent()
{
    ConfigFileContent c = DefaultContent();
    c.modelRow = 4;
    c.commRow = 6;
    Settings& s = c.settings;
    s.OperatingMode = 2;
    s.ControlMode = 21;
    s.PowerUpMode = 10;
    s.Rs485Address = QStringLiteral("\"");
    s.ProtocolFlags = 54;
    s.BitRateCode = 3;
    s.TxDelay = 15;
    s.AnalogScale = -2.5;
    s.AnalogOffset = -120;
    s.CustomHarmonicPhase = -40;
    s.DriveWord56 = -1200;
    s.LoadInertia = 1.65e-5;
    s.LoadInertiaUnit = 2;
    s.InertiaAsRatio = false;
    s.UploadLeadAngleRps = 12.34567f;
    s.UploadLeadAngleDeg = 0.1f;
    s.CustomMotorName = QStringLiteral("5\" \"NEMA\" 23");
    s.UseCustomMotor = true;
    s.VelSpeed = 0.0125;
    s.RegenResSecs = 0.3125;
    s.QuadDirBLeadsA = true;
    s.StallPrevent = true;
    s.NoiseFilterHz = 15000;
    c.motor.partNumber = QStringLiteral("M-\"Q\"");
    c.motor.harmonicPhase = -7;
    return c;
}

QString FixturePath(const QString& name)
{
    return qEnvironmentVariable("KORV4_FIXTURES") + QLatin1Char('/') + name;
}

QByteArray Fixture(const QString& name)
{
    QFile f(FixturePath(name));
    if (!f.open(QIODevice::ReadOnly))
        qWarning("missing fixture %s", qPrintable(name));
    return f.readAll();
}

QByteArray WithItem(const QByteArray& file, int line, int index, const QByteArray& text)
{
    QList<QByteArray> lines = file.split('\n');
    QByteArray& l = lines[line - 1];
    const bool cr = l.endsWith('\r');
    if (cr)
        l.chop(1);
    QList<QByteArray> items = l.split(',');
    items[index] = text;
    l = items.join(',');
    if (cr)
        l.append('\r');
    return lines.join('\n');
}

}  // namespace ConfigSamples
