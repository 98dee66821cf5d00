#pragma once

#include "ConfigFileContent.h"
#include "FileVersion.h"

#include <QByteArray>
#include <QString>

// The ".cnf" configuration file: 25 lines ended by CR LF. These functions
// turn text into content and back; they touch no file, window or database.

// The whole file. Text items are quoted, with a double quote inside a text
// written twice, so any part number, name or address reads back unchanged.
QByteArray WriteConfigFile(const ConfigFileContent& content);

struct ConfigFileReadResult {
    bool ok = false;
    QString error;               // why the file could not be read
    FileVersion version;         // of the program that wrote the file
    ConfigFileContent content;   // complete only when ok
};

// Reads a file's bytes. Items that older files lack keep the values of
// `current`. The result is all or nothing: on a failure nothing of it is to
// be used. Every value read is brought into its range, so a file cannot make
// a later download, dialog or printout fail; a model or port row outside its
// list is a failure.
ConfigFileReadResult ReadConfigFile(const QByteArray& bytes, const Settings& current);
