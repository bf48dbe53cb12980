// The reply interpreter fed through the receive buffer. The first byte chooses how the rest is
// cut into receive events and whether a start-up list or a memory download is running; the
// radio's port is closed, so what it would send goes nowhere. Rules: nothing crashes, the
// buffer never holds more than a reply can need, and a status word after any input is read.
#include "core/radio/radio.h"
#include "fuzz/fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Radio radio;
    const int piece = 1 + data[0] % 64;
    if (data[0] & 0x40)
        radio.state().StartupLoading = QStringLiteral("1");
    radio.state().DownloadSwitch = (data[0] & 0x80) ? 1 : 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    for (qsizetype at = 0; at < input.size(); at += piece) {
        radio.receive(input.mid(at, piece));
        require(radio.Out.size() <= Radio::MaxPendingReply + piece,
                "the receive buffer stays within a reply's length");
    }
    radio.receive(";IF00014195500     +015010000020000000;");
    require(radio.state().Freq == QLatin1String("14195.5"),
            "a status word after any input sets the frequency");
    require(radio.state().RITOn == QLatin1String("1"), "and the RIT switch");
    return 0;
}
