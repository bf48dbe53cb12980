#include "sim/simmemory.h"

#include "sim/simradio.h"
#include "sim/simsettings.h"

namespace {

bool isModeDigit(char c)
{
    return c == '0' || (c >= '1' && c <= '7') || c == '9';
}

SimMemorySide side(qint64 hz, char mode, int tone = 0)
{
    return SimMemorySide {hz, mode, tone ? '1' : '0', tone};
}

} // namespace

namespace SimMemory {

SimMemoryBank factoryChannels()
{
    SimMemoryBank bank {};
    auto simplex = [&bank](int ch, qint64 hz, char mode, int tone = 0) {
        bank[ch].receive = side(hz, mode, tone);
    };
    simplex(0, 3'650'000, '1');
    simplex(1, 7'050'000, '1');
    simplex(2, 14'200'000, '2');
    simplex(3, 21'300'000, '2');
    simplex(5, 10'120'000, '3');
    simplex(7, 14'080'000, '6');
    // A 10 m FM repeater: listens on 29.620, talks on 29.520 with tone 88.5.
    bank[10].receive = side(29'620'000, '4', 8);
    bank[10].transmit = side(29'520'000, '4', 8);
    // A DX split: listens on 14.195, talks on 14.225.
    bank[20].receive = side(14'195'000, '2');
    bank[20].transmit = side(14'225'000, '2');
    simplex(50, 18'100'000, '3');
    simplex(99, 28'500'000, '2');
    return bank;
}

QByteArray reply(int side, int channel, const SimMemorySide &data)
{
    QByteArray r = "MR";
    r += char('0' + side);
    r += ' ';
    r += SimSettings::digits(channel, 2);
    r += SimSettings::digits(data.hz, 11);
    r += data.hz ? data.mode : '0';
    r += '0';
    r += data.hz ? data.toneOn : '0';
    r += SimSettings::digits(data.hz ? data.tone : 0, 2);
    r += " ;";
    return r;
}

std::optional<Write> parseWrite(const QByteArray &params)
{
    // side, blank, channel(2), hertz(11), mode, "0", tone-on, tone(2) [, blank]
    constexpr int Length = 1 + 1 + 2 + 11 + 1 + 1 + 1 + 2;
    if (params.size() != Length && !(params.size() == Length + 1 && params.back() == ' '))
        return std::nullopt;
    const char sideDigit = params[0];
    const auto channel = SimSettings::parseDigits(params.mid(2, 2), 2);
    const auto hz = SimSettings::parseDigits(params.mid(4, 11), 11);
    const char mode = params[15];
    const char toneOn = params[17];
    const auto tone = SimSettings::parseDigits(params.mid(18, 2), 2);
    if ((sideDigit != '0' && sideDigit != '1') || (params[1] != ' ' && params[1] != '0') || !channel
        || !hz || !isModeDigit(mode) || params[16] != '0' || (toneOn != '0' && toneOn != '1')
        || !tone || *tone > 39)
        return std::nullopt;
    if (*hz != 0 && (*hz < SimRadio::MinHz || *hz > SimRadio::MaxHz))
        return std::nullopt;
    Write w;
    w.side = sideDigit - '0';
    w.channel = int(*channel);
    if (*hz != 0)
        w.data = SimMemorySide {*hz, mode, toneOn, int(*tone)};
    return w;
}

std::optional<Read> parseRead(const QByteArray &params)
{
    if (params.size() != 4 || (params[0] != '0' && params[0] != '1')
        || (params[1] != ' ' && params[1] != '0'))
        return std::nullopt;
    const auto channel = SimSettings::parseDigits(params.mid(2, 2), 2);
    if (!channel)
        return std::nullopt;
    return Read {params[0] - '0', int(*channel)};
}

} // namespace SimMemory
