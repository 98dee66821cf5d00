#pragma once

#include <QByteArray>

class Configurator;

// The upload's step after the checksum: decodes a checked drive image into
// the configuration's settings, adds its database motor to the motor
// database when new (and makes it current), recomputes the load inertia
// from the anti-resonance frequency, clamps the currents and refreshes the
// motion description.
void ExtractUploadData(Configurator& c, const QByteArray& image);
