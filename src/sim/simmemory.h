// The radio's 100 memory channels. Each channel has a receive side and a transmit side; a
// channel whose receive frequency is 0 is empty.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <optional>

struct SimMemorySide
{
    qint64 hz = 0; // 0: nothing stored
    char mode = '0'; // mode digit
    char toneOn = '0'; // '1' CTCSS tone on
    int tone = 0; // tone number 0..39

    bool operator==(const SimMemorySide &) const = default;
};

struct SimMemoryChannel
{
    SimMemorySide receive;
    SimMemorySide transmit;

    bool isEmpty() const { return receive.hz == 0; }
    bool operator==(const SimMemoryChannel &) const = default;
};

inline constexpr int SimChannelCount = 100;
using SimMemoryBank = std::array<SimMemoryChannel, SimChannelCount>;

namespace SimMemory {

// The channels a radio fresh from the dealer's bench holds: a few programmed, most empty.
SimMemoryBank factoryChannels();

// The memory reply: "MR" + side + " " + channel(2) + hertz(11) + mode + "0" + tone-on +
// tone(2) + " ;".
QByteArray reply(int side, int channel, const SimMemorySide &data);

// A memory write's parameters (the text after "MW"): side, blank, channel(2), hertz(11), mode,
// "0", tone-on, tone(2) and an optional closing blank.
struct Write
{
    int side = 0;
    int channel = 0;
    SimMemorySide data;
};
std::optional<Write> parseWrite(const QByteArray &params);

// A memory read's parameters (the text after "MR"): side, blank or "0", channel(2).
struct Read
{
    int side = 0;
    int channel = 0;
};
std::optional<Read> parseRead(const QByteArray &params);

} // namespace SimMemory
