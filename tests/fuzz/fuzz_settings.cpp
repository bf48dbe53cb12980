// The values read from the settings file, and the port settings text the properties dialog
// reads. The first byte chooses the key (one no rule names among them). Rules: nothing
// crashes, a problem quotes at most 80 characters of the value, a value taken is within its
// key's length, and what the readers make of a value taken is in range.
#include "core/clock/clocktext.h"
#include "core/radio/commport.h"
#include "core/settings/portsettingstext.h"
#include "core/settings/settingsvalues.h"
#include "core/settings/sharingstore.h"
#include "fuzz/fuzzcheck.h"

namespace {
const char *const Keys[] = {"CommPort",     "Settings",  "Handshaking", "GMTOffset", "ShareRadio",
                            "ShareAddress", "SharePort", "Echo",        "NoSuchKey"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString key = QLatin1String(Keys[data[0] % std::size(Keys)]);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QString text = (data[0] & 0x80) ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);

    const QString quoted = SettingsValues::quoted(text);
    require(quoted.size() <= SettingsValues::QuotedChars + 40, "a quote is short");
    const std::optional<QString> problem = SettingsValues::problem(key, text);
    if (problem) {
        require(problem->size() <= SettingsValues::QuotedChars + 160, "a problem is short");
        return 0;
    }
    require(text.size() <= SettingsValues::MaxValueChars, "a value taken is not too long");
    if (key == QLatin1String("GMTOffset")) {
        const qint64 seconds = ClockText::offsetSeconds(text);
        const double most = ClockText::MaxOffsetHours * 3600;
        require(double(seconds) >= -most && double(seconds) <= most,
                "an offset is within the clock's range");
    }
    if (key == QLatin1String("SharePort") && !text.trimmed().isEmpty())
        require(SharingStore::portNumber(text).has_value(), "a port taken is a port number");
    if (key == QLatin1String("Settings")) {
        (void)PortSettingsText::parse(text);
        (void)PortSettingsText::compose(PortSettingsText::parse(text));
    }
    if (key == QLatin1String("CommPort"))
        (void)CommPort::devicePath(text);
    return 0;
}
