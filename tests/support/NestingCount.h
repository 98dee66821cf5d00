#pragma once

#include "Wait.h"

#include <QtGlobal>

#include <algorithm>

// A drive tool that notes how deep its character handling nests, in itself
// and in waits, and how many characters it was handed: a run of drive
// messages must not nest one inside the other.
template <typename Tool>
struct NestingCount : Tool {
    using Tool::Tool;
    int depth = 0;
    int deepest = 0;
    int deepestWait = 0;
    qint64 chars = 0;
    void ProcessChar(char c) override
    {
        ++chars;
        deepest = std::max(deepest, ++depth);
        deepestWait = std::max(deepestWait, WaitDepth());
        Tool::ProcessChar(c);
        --depth;
    }
};
