#pragma once

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
};
