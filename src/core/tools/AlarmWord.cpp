#include "AlarmWord.h"

#include <array>

namespace {

// bit i of the alarm word is row i.
constexpr std::array<AlarmBit, AlarmWord::kBits> kAlarmBits{{
    {"motor stalled", "motor stall", "motor stall", true},
    {"CCW Limit", "CCW Limit", "CCW Limit", false},
    {"CW Limit", "CW Limit", "CW Limit", false},
    {"drive overtemp", "drive overtemp", "over temp", true},
    {"excess regen", "excess regen", "excess regen", true},
    {"over voltage", "over voltage", "over voltage", true},
    {"under voltage", "under voltage", "under voltage", false},
    {"motor short", "over current", "overcurrent", true},
    {"open motor winding", "open motor winding", "open phase", false},
    {"bad encoder", "bad encoder", "bad encoder", true},
    {"comm error", "comm error", "serial comm", false},
    {"save failed", "save failed", "flash memory", false},
    {"move while disabled", "move attempted while disabled", "move while dis", false},
    {"motor resistance error", "motor resistance", "motor ohms", false},
    {nullptr, "reserved", nullptr, true},
    {nullptr, "reserved", nullptr, true},
}};

const AlarmBit& bitInfo(int bit)
{
    return kAlarmBits.at(static_cast<std::size_t>(bit));
}

}  // namespace

namespace AlarmWord {

QString caption(AlarmView view, int bit)
{
    if (bit < 0 || bit >= kBits)
        return {};
    const AlarmBit& row = bitInfo(bit);
    const char* text = view == AlarmView::FaultWindow    ? row.faultWindow
                       : view == AlarmView::AlarmHistory ? row.alarmHistory
                                                         : row.statusMonitor;
    return text ? QString::fromLatin1(text) : QString();
}

int lampCount(AlarmView view)
{
    int count = 0;
    while (count < kBits && !caption(view, count).isEmpty())
        ++count;
    return count;
}

int faultMask()
{
    int mask = 0;
    for (int bit = 0; bit < kBits; ++bit)
        if (bitInfo(bit).inFaultMask)
            mask |= 1 << bit;
    return mask;
}

bool raisesFaultWindow(int word)
{
    return (word & faultMask()) != 0;
}

bool isSet(int word, int bit)
{
    return bit >= 0 && bit < kBits && (word & (1 << bit)) != 0;
}

int fromMessage(int d1, int d2)
{
    return (d1 & 0x7F) * 128 + (d2 & 0x7F);
}

int historyWord(const QByteArray& reply, int index)
{
    if (index < 0 || index >= kHistoryWords)
        return 0;
    auto byteAt = [&reply](int i) { return i < reply.size() ? static_cast<unsigned char>(reply.at(i)) : 0; };
    return byteAt(2 * index) * 256 + byteAt(2 * index + 1);
}

}  // namespace AlarmWord
