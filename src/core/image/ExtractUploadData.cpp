#include "ExtractUploadData.h"

#include "Configurator.h"
#include "DriveImage.h"

#include <algorithm>

void ExtractUploadData(Configurator& c, const QByteArray& image)
{
    Settings& s = c.settings();
    const DecodedImage decoded = DecodeImage(image, s);
    const MotorStore::AddResult added = c.AddMotorRecord(decoded.databaseMotor);
    // When the database could not take the drive's motor, its current record
    // is some other motor: the inertia is worked out from the drive's own.
    const MotorRecord motor = added == MotorStore::AddResult::Failed ? decoded.databaseMotor : c.databaseMotor();
    CalcLoadInertia(decoded.arFrequency, s, motor);
    // The inverse lands a hair below zero for a load of none (the frequency
    // is whole hertz), and at minus the rotor for a frequency of 0: a load
    // is never negative.
    s.LoadInertia = std::max(s.LoadInertia, 0.0);
    s.InertiaRatio = std::max(s.InertiaRatio, 0.0);
    c.LimitContCurrent();
    c.LimitIdleCurrent();
    c.ShowMotionDesc();
}
