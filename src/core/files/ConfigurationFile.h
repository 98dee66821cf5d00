#pragma once

#include "ConfigFile.h"

#include <QByteArray>
#include <QString>

class Configurator;

// The step between the pure file format and the application object: what a
// save takes from the Configurator, how an open file is applied to it, and
// the reading and writing of the file on disk.

// The configuration as a file holds it: the settings, the model and port
// rows and the database motor (an empty record when the database has none,
// so a save never fails for want of a motor).
ConfigFileContent CaptureConfiguration(const Configurator& c, const QString& programVersion);

// Applies a completely read file in one step, in the order of the Open
// command: the model row (its model change acts on the settings in force),
// then the file's settings as written, the port row, the file's motor
// through AddMotorRecord (added when new, then current), the motion
// description and the request to refresh the summary. The caller sets the
// file state (CurrentFile, SettingsChanged, InertiaSet).
void ApplyConfiguration(Configurator& c, const ConfigFileContent& content);

// Writes the bytes to `path` through a temporary file that replaces the old
// one only when everything was written, so a failed save leaves an existing
// file as it was. False with the reason on any failure.
bool SaveFileBytes(const QString& path, const QByteArray& bytes, QString* error);

// Reads the start of a file (a configuration file is far smaller than the
// limit; a huge file chosen by mistake is not read whole). False when the
// path is not a plain file (a folder, pipe or device) or cannot be opened.
bool LoadFileBytes(const QString& path, QByteArray* bytes, QString* error);
