#include "core/exchange/adifmodes.h"

namespace AdifModes {

namespace {

struct Entry
{
    const char *cell;
    const char *mode;
    const char *submode;
};

constexpr Entry Own[] = {
    {"LSB", "SSB", "LSB"}, {"USB", "SSB", "USB"}, {"CW", "CW", ""},    {"CW-R", "CW", ""},
    {"AM", "AM", ""},      {"FM", "FM", ""},      {"FSK", "RTTY", ""}, {"FSK-R", "RTTY", ""},
};

// Submodes of ADIF's enumeration that an HF logbook meets, with the MODE they belong to. A
// foreign cell not listed here goes out as MODE.
struct Parent
{
    const char *submode;
    const char *mode;
};

constexpr Parent Parents[] = {
    {"FT4", "MFSK"}, {"FST4", "MFSK"}, {"FST4W", "MFSK"}, {"JS8", "MFSK"},
    {"Q65", "MFSK"}, {"PSK31", "PSK"}, {"PSK63", "PSK"},  {"PSK125", "PSK"},
};

const Entry *ownEntry(const QString &cell)
{
    for (const Entry &entry : Own) {
        if (cell == QLatin1String(entry.cell))
            return &entry;
    }
    return nullptr;
}

// The mode for a MODE (and SUBMODE) of the table, or the legacy MODE values LSB and USB.
QString ownCell(const QString &mode, const QString &submode, std::optional<qint64> hz)
{
    if (mode == QLatin1String("SSB")) {
        if (submode == QLatin1String("LSB") || submode == QLatin1String("USB"))
            return submode;
        // Sideband by the usual practice: upper from 10 MHz up and on the 60 m channels.
        const bool upper = hz && (*hz >= 10'000'000 || (*hz >= 5'060'000 && *hz <= 5'450'000));
        return upper ? QStringLiteral("USB") : QStringLiteral("LSB");
    }
    if (mode == QLatin1String("LSB") || mode == QLatin1String("USB"))
        return mode;
    if (mode == QLatin1String("RTTY"))
        return QStringLiteral("FSK");
    for (const char *same : {"CW", "AM", "FM"}) {
        if (mode == QLatin1String(same))
            return mode;
    }
    return QString();
}

} // namespace

bool isOwnName(const QString &cell)
{
    return cell == QLatin1String(" ") || ownEntry(cell);
}

Adif fromCell(const QString &cell)
{
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return {};
    if (const Entry *entry = ownEntry(text))
        return {QLatin1String(entry->mode), QLatin1String(entry->submode)};
    const QString upper = text.toUpper();
    for (const Parent &parent : Parents) {
        if (upper == QLatin1String(parent.submode))
            return {QLatin1String(parent.mode), upper};
    }
    return {upper, QString()};
}

QString toCell(const QString &mode, const QString &submode, const QString &appMode,
               std::optional<qint64> hz)
{
    const QString m = mode.trimmed().toUpper();
    const QString s = submode.trimmed().toUpper();
    if (m.isEmpty())
        return QStringLiteral(" ");
    // The logbook's own name, while MODE still says the same (another program may have
    // changed MODE and left the application field alone).
    if (const Entry *entry = ownEntry(appMode.trimmed()); entry && m == QLatin1String(entry->mode)
        && (s.isEmpty() || s == QLatin1String(entry->submode)))
        return QLatin1String(entry->cell);
    const QString own = ownCell(m, s, hz);
    if (!own.isEmpty())
        return own;
    return s.isEmpty() ? m : s;
}

} // namespace AdifModes
