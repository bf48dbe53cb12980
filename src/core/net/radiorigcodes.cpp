#include "core/net/radiorigcodes.h"

#include "core/net/rigcaps.h"
#include "core/radio/replyfields.h"
#include "core/radio/replylayouts.h"

namespace RadioRigCodes {

namespace {

struct ModeRow
{
    RigMode mode;
    char digit;
};

constexpr ModeRow Modes[] = {
    {RigMode::Lsb, '1'}, {RigMode::Usb, '2'},  {RigMode::Cw, '3'},  {RigMode::Fm, '4'},
    {RigMode::Am, '5'},  {RigMode::Rtty, '6'}, {RigMode::Cwr, '7'}, {RigMode::Rttyr, '9'},
};

// The status word's transmitting flag, by its 1-based position.
constexpr int TransmitFlagPos = 29;

bool widthIsHertz(RigMode mode)
{
    return mode == RigMode::Cw || mode == RigMode::Cwr || mode == RigMode::Rtty
        || mode == RigMode::Rttyr;
}

// SSB, AM and FM: the first passband is the wide position, the second the narrow one.
constexpr const char *WideCode = "0001";
constexpr const char *NarrowCode = "0000";

} // namespace

char modeDigit(RigMode mode)
{
    for (const auto &row : Modes) {
        if (row.mode == mode)
            return row.digit;
    }
    return '2';
}

std::optional<RigMode> modeOf(QStringView digit)
{
    if (digit.size() != 1)
        return std::nullopt;
    for (const auto &row : Modes) {
        if (digit[0] == QLatin1Char(row.digit))
            return row.mode;
    }
    return std::nullopt;
}

std::optional<int> passbandOf(RigMode mode, QStringView code)
{
    const auto widths = RigCaps::passbands(mode);
    if (code.size() != 4)
        return std::nullopt;
    if (!widthIsHertz(mode)) {
        if (code == QLatin1String(WideCode))
            return widths[0];
        if (code == QLatin1String(NarrowCode))
            return widths[1];
        return std::nullopt;
    }
    bool ok = false;
    const int hz = code.toInt(&ok);
    if (!ok || std::find(widths.begin(), widths.end(), hz) == widths.end())
        return std::nullopt;
    return hz;
}

std::optional<QByteArray> widthCode(RigMode mode, int passbandHz)
{
    const auto widths = RigCaps::passbands(mode);
    if (std::find(widths.begin(), widths.end(), passbandHz) == widths.end())
        return std::nullopt;
    if (!widthIsHertz(mode))
        return QByteArray(passbandHz == widths[0] ? WideCode : NarrowCode);
    return QByteArray::number(passbandHz).rightJustified(4, '0');
}

std::optional<bool> statusTransmitting(QStringView reply)
{
    if (!reply.startsWith(u"IF") || !ReplyLayouts::fits(reply))
        return std::nullopt;
    return ReplyFields(reply).at(TransmitFlagPos) == QLatin1String("1");
}

} // namespace RadioRigCodes
