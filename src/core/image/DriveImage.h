#pragma once

#include "MotorRecord.h"
#include "Settings.h"

#include <QByteArray>

// The 161-byte drive data image: bytes 0..158 hold the settings at fixed
// indices, bytes 159..160 their 16-bit sum, high byte first.
constexpr int DriveImageSize = 161;

// What the image needs of the database motor: its current record (zeros and
// an empty part number when the database has none).

// Fills bytes 0..158 of a 161-byte image from the settings and the database
// motor. In stand-alone step positioning the image's stall-prevention bit is
// clear (the drive does not use it there); the settings are not changed.
QByteArray DownloadString(const Settings& s, const MotorRecord& dbMotor);

// The sum of bytes 0 .. size-3, and the image with that sum in its last two bytes.
int ByteSum(const QByteArray& bytes);
void AddChecksum(QByteArray& image);
// True when the last two bytes hold the sum of the others, modulo 65536.
bool ChecksumGood(const QByteArray& bytes);

// What decoding an image gives besides the settings.
struct DecodedImage {
    MotorRecord databaseMotor;  // bytes 124..158
    int arFrequency = 0;        // bytes 76..77, for CalcLoadInertia
};

// Decodes bytes 0..158 into the settings (every value brought into its
// range), returning the image's database motor and anti-resonance frequency.
// The caller adds the motor to the database and recomputes the inertia.
DecodedImage DecodeImage(const QByteArray& image, Settings& s);

// The byte map's own check: its rows follow each other without gap or
// overlap and end at byte 158, so the readers' cursor meets every row.
bool ImageMapIsContiguous();

// Stand-alone velocity: unpacks a control-mode code of 11..18 into the three
// velocity switches and sets ControlMode to 11; other codes stay.
void DecodeControlMode(Settings& s);

// The anti-resonance pair. The motor in use is the custom motor when
// UseCustomMotor is set, else dbMotor.
int ARgain();
int ARfreq(const Settings& s, const MotorRecord& dbMotor);
void CalcLoadInertia(double frequency, Settings& s, const MotorRecord& dbMotor);
