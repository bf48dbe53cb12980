// A simulated Kenwood TS-570D: the transceiver's side of the control protocol as a pure model.
// Bytes go in as the program writes them (split or several commands at once), the radio's
// answers come out. No I/O and no timers: the radio's own clock moves only when advance() is
// called, so whoever drives it decides how fast time passes.
#pragma once

#include "sim/simkeyer.h"
#include "sim/simmemory.h"

#include <QByteArray>
#include <QHash>
#include <QRandomGenerator>
#include <optional>

class SimRadio
{
public:
    // Frequencies the radio tunes to, in hertz.
    static constexpr qint64 MinHz = 500'000;
    static constexpr qint64 MaxHz = 60'000'000;
    // RIT/XIT offset range and the size of one RU/RD step, in hertz.
    static constexpr int MaxOffsetHz = 9990;
    static constexpr int OffsetStepHz = 10;
    // Text that has found no ";" within this many characters is thrown away and refused.
    static constexpr int MaxCommandLength = 64;
    // IF shift range, in hertz either way.
    static constexpr int MaxIfShiftHz = 1100;
    // The answer to "ID;".
    static constexpr const char *Identity = "ID017;";

    enum Function { VfoA = 0, VfoB = 1, Memory = 2 };
    // What the meter shows in transmit ("RM1;" to "RM3;").
    enum Meter { Swr = 1, Compression = 2, Alc = 3 };

    // How long the things the radio does by itself take, in milliseconds of its clock.
    struct Timing
    {
        int cwTuneMs = 1000; // CW auto-tune ("CA1;")
        int tunerTuneMs = 2000; // antenna tuner run ("AC" with the tuning digit 1)
        int meterStepMs = 200; // one step of the S-meter's wander
    };

    // The seed makes the S-meter's wander repeatable.
    explicit SimRadio(quint32 seed = 1);

    // Takes whatever arrived and returns everything the radio sends in answer: replies to
    // reads, "?;" for what it does not understand and, while automatic reports are on, the
    // reports of what changed. An incomplete command is kept until its ";" arrives.
    QByteArray handle(const QByteArray &bytes);
    // Moves the radio's clock on by ms: the S-meter wanders, and a CW auto-tune or tuner run
    // that is due ends. Returns the reports this causes while automatic reports are on (the
    // S-meter is never reported by itself, as on the real radio).
    QByteArray advance(qint64 ms);
    // Milliseconds of the radio's clock until something ends by itself; -1 when nothing runs.
    qint64 msUntilNextEvent() const;
    qint64 clockMs() const { return m_clockMs; }
    void setTiming(const Timing &timing) { m_timing = timing; }
    const Timing &timing() const { return m_timing; }
    // Forgets the start of a command whose ";" has not come: the line was hung up.
    void discardPending() { m_pending.clear(); }

    // --- Inspection, for tests and the benchmark ---------------------------------------------
    qint64 frequencyA() const { return m_hzA; }
    qint64 frequencyB() const { return m_hzB; }
    // The frequency the receiver is on (VFO A, VFO B or the recalled memory).
    qint64 frequency() const;
    char mode() const; // mode digit of the receive function
    Function receiveFunction() const { return m_rx; }
    Function transmitFunction() const { return m_tx; }
    bool split() const { return m_rx != m_tx; }
    int memoryChannel() const { return m_channel; }
    bool ritOn() const { return m_rit; }
    bool xitOn() const { return m_xit; }
    int offsetHz() const { return m_offsetHz; }
    bool transmitting() const { return m_transmitting; }
    int ifShiftHz() const { return m_ifShiftHz; }
    QByteArray filterWidth() const; // four-digit code of the receive mode's group
    QByteArray tunerState() const { return m_tuner; }
    bool tunerTuning() const { return m_tuner[2] == '1'; }
    bool cwTuning() const { return setting("CA") == 1; }
    Meter meter() const { return m_meter; }
    bool powerOn() const { return setting("PS") == 1; }
    int autoInformation() const { return setting("AI"); }
    // A plain setting by its code ("AG", "PA", "GT" ...); -1 for an unknown code.
    int setting(const char *code) const;
    // Sets a plain setting directly (S-meter, busy, anything), as the operator's knob would.
    // False for an unknown code or a value outside its width.
    bool setSetting(const char *code, int value);
    const SimMemoryChannel &channel(int number) const;
    void setChannel(int number, const SimMemoryChannel &contents);
    const SimMemoryBank &channels() const { return m_channels; }
    void setChannels(const SimMemoryBank &bank);
    // Counts the memory writes that changed a channel.
    quint64 memoryRevision() const { return m_memoryRevision; }
    // Characters of an incomplete command waiting for their ";".
    int pendingSize() const { return int(m_pending.size()); }
    // The keyer: what "KY" commands gave it and what it has sent.
    const SimKeyer &keyer() const { return m_keyer; }
    // The texts the keyer sent since the last call, one for each time it ran empty.
    QByteArrayList takeKeyed() { return m_keyer.takeFinished(); }
    // Complete commands taken, and how many of them were refused with "?;".
    int commandCount() const { return m_commands; }
    int refusedCount() const { return m_refused; }

    // What the radio answers to a parameterless read ("IF", "FA", "AG" ...); empty when the code
    // has no read.
    QByteArray readReply(const QByteArray &code) const;
    QByteArray statusWord() const;

private:
    // One complete command without its ";": the answer, "?;" when refused, or nothing.
    QByteArray execute(QByteArray command);
    static bool isAction(const QByteArray &code);
    QByteArray action(const QByteArray &code);
    // Applies a set command; nullopt when refused, else the reports it causes.
    std::optional<QByteArray> apply(const QByteArray &code, const QByteArray &params);
    QByteArray reports(const QByteArray &code, const QByteArray &before,
                       const QByteArray &statusBefore) const;
    // A report the radio sends while automatic reports are on; empty otherwise.
    QByteArray report(const QByteArray &reply) const;
    bool set(const QByteArray &code, const QByteArray &params);
    bool setFrequency(qint64 &target, const QByteArray &params);
    bool setFunction(const QByteArray &code, const QByteArray &params);
    bool setMode(const QByteArray &params);
    bool setFilterWidth(const QByteArray &params);
    bool setIfShift(const QByteArray &params);
    bool setTuner(const QByteArray &params);
    bool setCwTune(const QByteArray &params);
    bool setMeter(const QByteArray &params);
    bool setKeyText(const QByteArray &params);
    // Ends the runs that the last command made impossible (auto-tune outside CW, anything with
    // the power off) and returns their reports.
    QByteArray stopRunsThatCannotGoOn();
    void walkMeter(qint64 fromMs, qint64 toMs);
    int meterReading() const;
    bool selectChannel(const QByteArray &params);
    bool writeChannel(const QByteArray &params);
    QByteArray readChannel(const QByteArray &params) const;
    void recallChannel();
    char &modeOfReceive();

    QByteArray m_pending;
    qint64 m_hzA = 14'200'000;
    qint64 m_hzB = 7'050'000;
    char m_modeA = '2';
    char m_modeB = '1';
    // The recalled memory channel's working copy: tuning in memory mode changes it, not the
    // channel.
    qint64 m_memHz = 0;
    char m_memMode = '2';
    Function m_rx = VfoA;
    Function m_tx = VfoA;
    int m_channel = 0;
    bool m_rit = false;
    bool m_xit = false;
    int m_offsetHz = 0;
    bool m_transmitting = false;
    int m_ifShiftHz = 0;
    QByteArray m_tuner = "000";
    Meter m_meter = Swr;
    QByteArray m_cwWidth = "0600";
    QByteArray m_fskWidth = "0500";
    QByteArray m_ssbWidth = "0001";
    QHash<QByteArray, int> m_settings;
    SimMemoryBank m_channels;
    quint64 m_memoryRevision = 0;
    int m_commands = 0;
    int m_refused = 0;

    Timing m_timing;
    qint64 m_clockMs = 0;
    qint64 m_cwTuneEndsMs = -1; // -1: not running
    qint64 m_tunerEndsMs = -1;
    SimKeyer m_keyer;
    QRandomGenerator m_random;
};
