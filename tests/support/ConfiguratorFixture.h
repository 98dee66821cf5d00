#pragma once

#include "ConfigFile.h"
#include "Configurator.h"
#include "ScriptedPrompt.h"

#include <QTemporaryDir>

// An application object on a motor database of its own (two motors), drive model
// KORV4-J and port COM1 selected, as after start-up.
struct ConfiguratorFixture {
    ConfiguratorFixture();

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    Configurator configurator{prompt};

    QString path(const QString& name) const { return dir.filePath(name); }

    // The core of the program's transfers, without a port or a window:
    // what an upload does with a received image (the checksum is added
    // here), the image a download would send now, and a Save As followed by
    // an Open of that file (the file's bytes read over the settings in
    // force and applied as the Open command applies them; nothing is
    // applied when the file does not read).
    void upload(QByteArray image);
    QByteArray downloadImage() const;
    ConfigFileReadResult saveAndOpen();
};
