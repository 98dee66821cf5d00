#pragma once

// The five blocks of the main window's summary, each named by its first row,
// which is also its title row. A settings dialog refreshes its own block on OK.
struct SummaryBlocks {
    enum Block { MotorBlock = 0, MotionBlock = 4, RegenBlock = 8, IOBlock = 12, EncoderBlock = 20 };
};
