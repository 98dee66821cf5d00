#pragma once

// A drive tool that talks to the drive in TMX text (terminal, status monitor,
// smoothing wizard). While it holds terminal mode the receive path hands it
// every received byte, one at a time, in arrival order.
class DriveTool {
public:
    virtual ~DriveTool() = default;
    virtual void ProcessChar(char c) = 0;
};
