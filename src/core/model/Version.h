#pragma once

#include <QString>

// The program's version text: "major.minor", or "major.minor.revision" when
// the revision is not 0 (1.2.0 -> "1.2", 0.0.43 -> "0.0.43").
QString VersionText(int major, int minor, int revision);

// This build's version, from the project version.
QString ProgramVersion();
