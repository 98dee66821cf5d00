#pragma once

#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "ScriptedPrompt.h"

// The program's objects as main() wires them, over a port of the given kind,
// with a scripted prompt (or one built on it) in place of message boxes.
template <typename Port, typename PromptKind = ScriptedPrompt>
struct LinkStack {
    PromptKind prompt;
    Configurator cfg{prompt};
    Port port;
    DriveLink link{cfg, port};
    DriveQueries queries{link};
    DriveTransfer transfer{link, queries};
};
