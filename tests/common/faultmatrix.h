// The fault matrix: each long operation run end to end against the simulated radio on a
// pseudo-terminal while one of its line faults (or all of them) spoils the line, and at the
// end the radio core's picture (state and display) and the table the operation wrote compared
// field by field with the radio's own state. Shared by the test, which runs it at a size that
// fits CI, and the benchmark, which runs it larger and times it.
//
// Each session synchronises first on a clean line (the start-up is an operation of its own),
// then switches the faults on and runs its operation to its end, then waits until the line is
// quiet before it compares.
#pragma once

#include "common/recordingdisplay.h"
#include "common/spinuntil.h"
#include "core/bands/frequencyscan.h"
#include "core/memory/memorycells.h"
#include "core/memory/memorydownload.h"
#include "core/memory/memoryscan.h"
#include "core/memory/memoryupload.h"
#include "core/net/radiorigcodes.h"
#include "core/net/radiosharing.h"
#include "core/net/rigtypes.h"
#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"

#include <QElapsedTimer>
#include <QTcpSocket>

#include <chrono>

namespace FaultMatrix {

enum class Operation { Startup, Download, Upload, MemoryScan, FrequencyScan, Rigctl };

inline const QList<Operation> &operations()
{
    static const QList<Operation> all {Operation::Startup,       Operation::Download,
                                       Operation::Upload,        Operation::MemoryScan,
                                       Operation::FrequencyScan, Operation::Rigctl};
    return all;
}

inline const char *name(Operation operation)
{
    static const char *const Names[] = {"start-up",    "memory download", "memory upload",
                                        "memory scan", "frequency scan",  "rigctl sets"};
    return Names[int(operation)];
}

// How big each operation is: the scans' dwells and the client's frequency and mode pairs; how
// late the late fault holds replies back, and how long the download waits before it asks
// again (0: as the program does).
struct Size
{
    int scanDwells = 6;
    int rigctlPairs = 10;
    int lateMs = 300;
    int downloadAskMs = 0;
};

struct Fault
{
    const char *name;
    SimOptions options;
};

// No fault, each switch alone (--split, --merge, --noise, --drop 5, --late), then all at once.
inline QList<Fault> faults(int lateMs)
{
    SimOptions split, merge, noise, drop, late, all;
    split.splitReplies = all.splitReplies = true;
    merge.mergeReplies = all.mergeReplies = true;
    noise.noise = all.noise = true;
    drop.dropEvery = all.dropEvery = 5;
    late.lateMs = all.lateMs = lateMs;
    return {{"no fault", {}}, {"split", split}, {"merge", merge}, {"noise", noise},
            {"drop 5", drop}, {"late", late},   {"all", all}};
}

struct Result
{
    bool finished = false; // the operation came to its end in time
    QStringList mismatches; // one line per field that differs at the end
    // Answers a client was given that call a set failed although the radio took it.
    QStringList wrongAnswers;
    double ms = 0; // from the faults switched on to the operation's end
};

// Longest wait for any one step of a session.
constexpr int GiveUpMs = 120000;

// An operator's radio, unlike the factory state in every field the start-up reads.
inline const QByteArray OperatorsRadio = "FA00014074000;FB00021074000;MD3;FW0400;FT1;RT1;RU;RU;"
                                         "AG086;RG200;SH05;SL02;IS-0200;LK1;PA0;PR1;NR2;NB1;BC1;"
                                         "VX1;TO1;TN12;MG030;PC050;KS025;AN2;GT002;RA01;VD0500;"
                                         "VG006;PB2;SQ010;AC110;";

inline QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A display that hands the memory replies of a download to it, as the main window does.
class Display : public RecordingDisplay
{
public:
    void memoryDownload(const QString &reply) override
    {
        if (download)
            download->memoryDownload(reply);
    }
    MemoryDownload *download = nullptr;
};

// The radio core on the simulator's line.
struct Station
{
    explicit Station(const SimOptions &options = {})
        : server(options)
    {
        radio.setDisplay(&display);
    }
    ~Station() { radio.setDisplay(nullptr); }

    bool open()
    {
        return server.start() && radio.MSComm1().setCommPort(server.devicePath())
            && radio.MSComm1().setPortOpen(true);
    }
    bool synchronise(int timeoutMs = GiveUpMs)
    {
        radio.Synchronise();
        return spinUntil([this] { return radio.state().StartupLoading == QLatin1String("0"); },
                         timeoutMs);
    }
    // The line quiet: the radio core idle, no reply on its way, nothing left unread.
    bool settle(int lateMs)
    {
        const bool idle
            = spinUntil([this] { return radio.isIdle() && server.queuedBytes() == 0; }, GiveUpMs);
        pause(lateMs + 200);
        return idle && spinUntil([this] { return server.queuedBytes() == 0; }, GiveUpMs);
    }
    static void pause(int ms)
    {
        spinUntil([] { return false; }, ms);
    }

    SimPtyServer server;
    Display display; // outlives the radio that shows on it
    Radio radio;
};

// Every field the start-up fills, compared with the radio's own state; one line per
// difference.
inline QStringList stateDifferences(const RadioState &s, const RecordingDisplay &display,
                                    const SimRadio &sim)
{
    QStringList out;
    auto check = [&out](const QString &name, const QString &program, const QString &radio) {
        if (program != radio)
            out << QStringLiteral("%1: program %2, radio %3").arg(name, program, radio);
    };
    // Values kept as the text of the radio's own reply field.
    static const std::pair<const char *, QString RadioState::*> RawFields[] = {
        {"PC", &RadioState::PCValue},  {"MG", &RadioState::MGValue},
        {"KS", &RadioState::KSValue},  {"SQ", &RadioState::SQValue},
        {"VG", &RadioState::VGValue},  {"VD", &RadioState::VDValue},
        {"LK", &RadioState::LockOn},   {"PA", &RadioState::PreAmpOn},
        {"PS", &RadioState::PowerOn},  {"PR", &RadioState::ProcOn},
        {"VX", &RadioState::VoxOn},    {"BC", &RadioState::BCOn},
        {"NB", &RadioState::NBOn},     {"NR", &RadioState::NRMode},
        {"AN", &RadioState::AntNum},   {"PB", &RadioState::PlayBackNum},
        {"TO", &RadioState::ToneOn},   {"TN", &RadioState::ToneNum},
        {"CA", &RadioState::CWTuneOn}, {"FW", &RadioState::FilterWidth},
        {"GT", &RadioState::AGCOn},    {"RA", &RadioState::AttOn},
    };
    for (const auto &[code, field] : RawFields) {
        const QByteArray reply = sim.readReply(code);
        check(QString::fromLatin1(code), s.*field,
              QString::fromLatin1(reply.mid(2, reply.size() - 3)));
    }
    // Levels shown on the main window's sliders only.
    static const std::pair<const char *, RadioView::Slider> Sliders[] = {
        {"AG", RadioView::Slider::SliderVolume},
        {"RG", RadioView::Slider::SliderRF},
        {"SH", RadioView::Slider::SliderDSPHigh},
        {"SL", RadioView::Slider::SliderDSPLow},
    };
    for (const auto &[code, slider] : Sliders) {
        check(QString::fromLatin1(code), QString::number(display.sliders.value(slider, -1)),
              QString::number(sim.setting(code)));
    }
    check(QStringLiteral("IS"),
          QString::number(display.sliders.value(RadioView::Slider::SliderIS, -1)),
          QString::number(sim.ifShiftHz()));
    check(QStringLiteral("Freq"), s.Freq, Cat::khzText(sim.frequency()));
    check(QStringLiteral("VFOAFreq"), s.VFOAFreq, Cat::khzText(sim.frequencyA()));
    check(QStringLiteral("VFOBFreq"), s.VFOBFreq, Cat::khzText(sim.frequencyB()));
    check(QStringLiteral("Mode"), s.Mode, QString(QLatin1Char(sim.mode())));
    check(QStringLiteral("VFO"), s.VFO, QString::number(sim.receiveFunction()));
    check(QStringLiteral("Split"), s.Split, onOff(sim.split()));
    check(QStringLiteral("RITOn"), s.RITOn, onOff(sim.ritOn()));
    check(QStringLiteral("XITOn"), s.XITOn, onOff(sim.xitOn()));
    check(QStringLiteral("RITXITOffset"), s.RITXITOffset, Cat::khzText(sim.offsetHz()));
    check(QStringLiteral("ATState"), s.ATState, QString(QLatin1Char(sim.tunerState().at(1))));
    check(QStringLiteral("TXState"), s.TXState, QStringLiteral("RX"));
    return out;
}

// What the main window's frequency, mode and VFO labels show, against the radio.
inline QStringList displayDifferences(Station &station)
{
    const SimRadio &sim = station.server.radio();
    QStringList out;
    auto check = [&](RadioView::Label label, const char *name, const QString &expected) {
        const QString shown = station.display.label(label);
        if (shown != expected)
            out << QStringLiteral("%1: shows %2, radio %3")
                       .arg(QLatin1String(name), shown, expected);
    };
    const qint64 shownHz = sim.frequency() + (sim.ritOn() ? sim.offsetHz() : 0);
    check(RadioView::Label::lblFreq, "lblFreq", Cat::formatFreqHz(shownHz));
    check(RadioView::Label::LblMode, "LblMode", Cat::modeName(QLatin1Char(sim.mode())));
    const QString vfo = sim.receiveFunction() == SimRadio::VfoA ? QStringLiteral("A")
        : sim.receiveFunction() == SimRadio::VfoB
        ? QStringLiteral("B")
        : QStringLiteral("Mem ") + MemoryCells::channelText(sim.memoryChannel());
    check(RadioView::Label::lblVFO, "lblVFO", vfo);
    return out;
}

// A memory table as an operator keeps it, unlike the radio's: every third channel programmed,
// some split, some with a tone, all modes.
inline QList<MemoryRow> operatorsTable()
{
    static const char *const Modes[] = {"LSB", "USB", "CW", "FM", "AM", "FSK", "CW-R", "FSK-R"};
    QList<MemoryRow> rows;
    for (int i = 0; i < MemoryDownload::ChannelCount; ++i) {
        MemoryRow row {MemoryCells::channelText(i), MemoryCells::blank(),
                       MemoryCells::blank(),        MemoryCells::blank(),
                       MemoryCells::blank(),        QStringLiteral("row %1").arg(i),
                       QStringLiteral("A")};
        if (i % 3 == 0) {
            row.FreqMain = MemoryCells::frequencyCell(3'500'000 + qint64(i) * 250'125);
            row.Mode = QLatin1String(Modes[i % 8]);
            if (i % 6 == 0)
                row.FreqSplit = MemoryCells::frequencyCell(3'600'000 + qint64(i) * 250'000);
            if (i % 9 == 0)
                row.Tone = QStringLiteral("88.5");
        }
        rows << row;
    }
    return rows;
}

// A memory row as the download writes it from the radio's channel.
inline MemoryRow rowOf(const SimMemoryChannel &channel, const MemoryRow &kept)
{
    MemoryRow row = kept;
    row.FreqMain = MemoryCells::frequencyCell(channel.receive.hz);
    row.FreqSplit = channel.transmit.hz == channel.receive.hz
        ? MemoryCells::blank()
        : MemoryCells::frequencyCell(channel.transmit.hz);
    row.Mode = MemoryCells::modeCell(QLatin1Char(channel.receive.mode)).value_or(kept.Mode);
    row.Tone = MemoryCells::toneCell(QLatin1Char(channel.receive.toneOn),
                                     MemoryCells::channelText(channel.receive.tone));
    return row;
}

inline QStringList tableDifferences(const QList<MemoryRow> &table, const SimRadio &sim,
                                    const QList<MemoryRow> &kept)
{
    QStringList out;
    for (int i = 0; i < MemoryDownload::ChannelCount; ++i) {
        const MemoryRow expected = rowOf(sim.channel(i), kept.value(i));
        const MemoryRow got = table.value(i);
        if (got.FreqMain != expected.FreqMain || got.FreqSplit != expected.FreqSplit
            || got.Mode != expected.Mode || got.Tone != expected.Tone)
            out << QStringLiteral("channel %1: table %2 %3 %4 %5, radio %6 %7 %8 %9")
                       .arg(MemoryCells::channelText(i), got.FreqMain, got.FreqSplit, got.Mode,
                            got.Tone, expected.FreqMain, expected.FreqSplit, expected.Mode,
                            expected.Tone);
    }
    return out;
}

// What an upload must leave in the radio, channel by channel.
inline QStringList radioDifferences(const QList<MemoryRow> &table, const SimRadio &sim)
{
    QStringList out;
    for (int i = 0; i < MemoryUpload::ChannelCount; ++i) {
        const MemoryCells::Channel c = MemoryCells::channel(table.at(i));
        const SimMemoryChannel &stored = sim.channel(i);
        if (stored.receive.hz != c.mainHz || stored.transmit.hz != c.splitHz
            || stored.receive.mode != c.mode || stored.receive.toneOn != c.tone.flag
            || stored.receive.tone != c.tone.number)
            out << QStringLiteral("channel %1: radio %2 Hz, %3 Hz, mode %4, tone %5 %6; table %7")
                       .arg(MemoryCells::channelText(i))
                       .arg(stored.receive.hz)
                       .arg(stored.transmit.hz)
                       .arg(QLatin1Char(stored.receive.mode))
                       .arg(QLatin1Char(stored.receive.toneOn))
                       .arg(stored.receive.tone)
                       .arg(table.at(i).FreqMain);
    }
    return out;
}

// The memory scan's rows: channels 00 to 09, every one to be visited.
struct ScanRows : MemoryScanView
{
    int rowCount() const override { return 10; }
    MemoryRow row(int index) const override
    {
        return {MemoryCells::channelText(index),
                MemoryCells::frequencyCell(7'000'000 + qint64(index) * 1'500),
                MemoryCells::blank(),
                index % 2 ? QStringLiteral("CW") : QStringLiteral("LSB"),
                MemoryCells::blank(),
                QString(),
                QStringLiteral("A")};
    }
    MemoryScanBoxes boxes() const override
    {
        return {QStringLiteral("00"), QStringLiteral("09"), QStringLiteral("0.05"),
                QStringLiteral("A")};
    }
};

// --- The operations ------------------------------------------------------------------------

using Clock = std::function<void()>; // called when the operation's own work begins

inline bool runDownload(Station &station, const Size &size, const Clock &started,
                        QStringList &mismatches)
{
    const QList<MemoryRow> before = operatorsTable();
    MemoryDownload download(station.radio);
    if (size.downloadAskMs > 0)
        download.setReplyTimeout(std::chrono::milliseconds(size.downloadAskMs));
    station.display.download = &download;
    QList<MemoryRow> stored = before;
    bool ended = false;
    QObject::connect(&download, &MemoryDownload::rowsDownloaded, &download,
                     [&](const QList<MemoryRow> &rows) { stored = rows; });
    QObject::connect(&download, &MemoryDownload::finished, &download,
                     [&](MemoryDownload::Outcome outcome, const QString &message) {
                         ended = true;
                         if (outcome != MemoryDownload::Outcome::Completed)
                             mismatches << QStringLiteral("download ended: ") + message;
                     });
    started();
    download.start(before);
    const bool done = spinUntil([&] { return ended; }, GiveUpMs);
    station.display.download = nullptr;
    mismatches << tableDifferences(stored, station.server.radio(), before);
    return done;
}

inline bool runUpload(Station &station, const Clock &started, QStringList &mismatches)
{
    const QList<MemoryRow> table = operatorsTable();
    MemoryUpload upload(station.radio);
    upload.setPacing(std::chrono::milliseconds(5));
    bool ended = false;
    QObject::connect(&upload, &MemoryUpload::finished, &upload, [&] { ended = true; });
    started();
    upload.start(table);
    const bool done = spinUntil([&] { return ended; }, GiveUpMs);
    station.settle(0);
    mismatches << radioDifferences(table, station.server.radio());
    return done;
}

inline bool runMemoryScan(Station &station, const Size &size, const Clock &started)
{
    ScanRows rows;
    MemoryScan scan(station.radio, rows);
    scan.setTiming({1000, 20});
    int visited = 0;
    QObject::connect(&scan, &MemoryScan::rowChanged, &scan, [&] { ++visited; });
    started();
    scan.cmdActivate_Click();
    const bool dwelt = spinUntil([&] { return visited > size.scanDwells; }, GiveUpMs);
    scan.cmdActivate_Click();
    return spinUntil([&] { return !scan.scanRunning() && station.radio.isIdle(); }, GiveUpMs)
        && dwelt;
}

inline bool runFrequencyScan(Station &station, const Size &size, const Clock &started)
{
    FrequencyScan scan(station.radio);
    scan.setTiming({20, 20});
    const ScanRow row {QStringLiteral("7000"), QStringLiteral("7010"), QStringLiteral("CW"),
                       QStringLiteral("1"),    QStringLiteral("0.5"),  QStringLiteral("40 m")};
    int visited = 0;
    QObject::connect(&scan, &FrequencyScan::titleChanged, &scan, [&] { ++visited; });
    started();
    scan.cmdStart_Click(row, 1);
    const bool dwelt = spinUntil([&] { return visited >= size.scanDwells; }, GiveUpMs);
    scan.cmdStart_Click(row, 1);
    return spinUntil([&] { return scan.isIdle(); }, GiveUpMs) && dwelt;
}

// A client sets frequency and mode in turns; each answer is awaited before the next request.
inline bool runRigctl(Station &station, const Size &size, const Clock &started,
                      QStringList &mismatches, QStringList &wrongAnswers)
{
    RadioSharing sharing(station.radio);
    if (!sharing.apply({true, QStringLiteral("127.0.0.1"), 0})) {
        mismatches << QStringLiteral("the server did not start: ") + sharing.statusText();
        return false;
    }
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, sharing.server().port());
    if (!client.waitForConnected(5000))
        return false;
    static const char *const Modes[] = {"USB", "CW", "LSB", "AM", "FM", "RTTY"};
    const auto ask = [&](const QByteArray &request, QByteArray *answer) {
        client.write(request);
        QByteArray received;
        const bool got = spinUntil(
            [&] {
                received += client.readAll();
                return received.endsWith('\n');
            },
            GiveUpMs);
        *answer = received.trimmed();
        return got;
    };
    started();
    qint64 lastHz = 0;
    QByteArray lastMode;
    for (int i = 0; i < size.rigctlPairs; ++i) {
        lastHz = 14'000'000 + qint64(i) * 1'010;
        lastMode = Modes[i % 6];
        QByteArray answer;
        if (!ask("F " + QByteArray::number(lastHz) + '\n', &answer)
            || !ask("M " + lastMode + " 0\n", &answer))
            return false;
        if (answer != "RPRT 0"
            && station.server.radio().mode()
                == RadioRigCodes::modeDigit(*RigTokens::modeFromName(lastMode)))
            wrongAnswers << QStringLiteral("M %1 answered %2")
                                .arg(QString::fromLatin1(lastMode), QString::fromLatin1(answer));
    }
    const SimRadio &sim = station.server.radio();
    if (sim.frequency() != lastHz)
        mismatches << QStringLiteral("the radio is on %1 Hz, the client asked for %2")
                          .arg(sim.frequency())
                          .arg(lastHz);
    client.disconnectFromHost();
    return true;
}

// One session: the operation under the fault, and what differs at its end.
inline Result run(Operation operation, const SimOptions &fault, const Size &size)
{
    Result result;
    Station station;
    if (station.server.radio().handle(OperatorsRadio) != QByteArray() || !station.open()) {
        result.mismatches << QStringLiteral("the line did not open");
        return result;
    }
    if (operation != Operation::Startup && !station.synchronise()) {
        result.mismatches << QStringLiteral("the clean start-up did not end");
        return result;
    }
    QElapsedTimer clock;
    const Clock started = [&] {
        station.server.setOptions(fault);
        clock.start();
    };
    switch (operation) {
    case Operation::Startup:
        started();
        result.finished = station.synchronise();
        break;
    case Operation::Download:
        result.finished = runDownload(station, size, started, result.mismatches);
        break;
    case Operation::Upload:
        result.finished = runUpload(station, started, result.mismatches);
        break;
    case Operation::MemoryScan:
        result.finished = runMemoryScan(station, size, started);
        break;
    case Operation::FrequencyScan:
        result.finished = runFrequencyScan(station, size, started);
        break;
    case Operation::Rigctl:
        result.finished = runRigctl(station, size, started, result.mismatches, result.wrongAnswers);
        break;
    }
    result.ms = double(clock.nsecsElapsed()) / 1e6;
    if (!station.settle(fault.lateMs))
        result.mismatches << QStringLiteral("the line did not become quiet");
    result.mismatches << stateDifferences(station.radio.state(), station.display,
                                          station.server.radio())
                      << displayDifferences(station);
    return result;
}

} // namespace FaultMatrix
