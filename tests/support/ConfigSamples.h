#pragma once

#include "ConfigFileContent.h"

#include <QByteArray>
#include <QString>

// Configurations and files the file and printout tests share.
namespace ConfigSamples {

// The default settings with model row 1, port row 0 and the sample motor
// "KM-23-200" of 2.8 A, written by version "1.0".
ConfigFileContent DefaultContent();

// Every kind of item away from its default: negative numbers, a value
// written in exponent form, a single-precision value, double quotes in the
// names and the address, TMX mode.
ConfigFileContent UnusualContent();

// A fixture file's bytes (tests/fixtures/<name>).
QByteArray Fixture(const QString& name);
QString FixturePath(const QString& name);

// The file's bytes with the index-th item (from 0) of a written line
// (1-based) replaced by `text`.
QByteArray WithItem(const QByteArray& file, int line, int index, const QByteArray& text);

}  // namespace ConfigSamples
