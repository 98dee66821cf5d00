#pragma once

#include "LinkRig.h"
#include "PtyLinkRig.h"
#include "SimulatedTmx.h"

// The link with a drive behind it that speaks TMX text: in memory, or over
// a real pseudo-terminal opened as COM1 with the device backend.
struct MemoryTmxRig : LinkRig {
    SimulatedTmx tmx{drive};
    bool ready() const { return port.isOpen(); }
};

struct PtyTmxRig : PtyLinkRig {
    SimulatedTmx tmx{drive};
    bool ready() const { return drive.isPresent() && opened == 1; }
};
