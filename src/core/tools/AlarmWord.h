#pragma once

#include <QByteArray>
#include <QString>

// The drive's alarm word: 16 bits, bit i set = alarm condition i present.
// It arrives in the unsolicited fault message, as the eight words of the
// alarm history and as the status monitor's "AL=" value. Each window that
// shows it has its own caption for a bit; all of them come from one table.

enum class AlarmView {
    FaultWindow,    // the "Drive Error" window: bits 0 to 13
    AlarmHistory,   // the "Alarm History" window: all 16 bits
    StatusMonitor,  // the status monitor's alarm lamps: bits 0 to 13
};

struct AlarmBit {
    const char* faultWindow;    // nullptr: that window has no lamp for the bit
    const char* alarmHistory;
    const char* statusMonitor;  // nullptr: no lamp
    bool inFaultMask;           // a fault message with this bit raises the fault window
};

namespace AlarmWord {

constexpr int kBits = 16;
// The alarm history reply: eight words, high byte first, word 0 the most recent.
constexpr int kHistoryWords = 8;
constexpr int kHistoryBytes = 2 * kHistoryWords;

// The caption of a bit in one window; empty when that window has no lamp for it.
QString caption(AlarmView view, int bit);

// The number of lamps a window shows (bits 0 .. lampCount-1).
int lampCount(AlarmView view);

// The bits whose presence in a fault message raises the fault window (C2B9).
int faultMask();

// True when a fault message carrying this word raises the fault window.
bool raisesFaultWindow(int word);

bool isSet(int word, int bit);

// The word carried by the fault message's two 7-bit data bytes: d1 x 128 + d2.
int fromMessage(int d1, int d2);

// Word i (0..7) of an alarm history reply; a byte missing from a short reply
// reads as 0. Bytes beyond the sixteenth are never read.
int historyWord(const QByteArray& reply, int index);

}  // namespace AlarmWord
