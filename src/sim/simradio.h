// A simulated Kenwood TS-570D: the transceiver's side of the control protocol as a pure model.
// Bytes go in as the program writes them (split or several commands at once), the radio's
// answers come out. No I/O, no timers.
#pragma once

#include "simmemory.h"

#include <QByteArray>
#include <QHash>
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
    // The answer to "ID;".
    static constexpr const char *Identity = "ID017;";

    enum Function { VfoA = 0, VfoB = 1, Memory = 2 };

    SimRadio();

    // Takes whatever arrived and returns everything the radio sends in answer: replies to
    // reads, "?;" for what it does not understand and, while automatic reports are on, the
    // reports of what changed. An incomplete command is kept until its ";" arrives.
    QByteArray handle(const QByteArray &bytes);

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
    bool powerOn() const { return setting("PS") == 1; }
    int autoInformation() const { return setting("AI"); }
    // A plain setting by its code ("AG", "PA", "GT" ...); -1 for an unknown code.
    int setting(const char *code) const;
    // Sets a plain setting directly (S-meter, busy, anything), as the operator's knob would.
    // False for an unknown code or a value outside its width.
    bool setSetting(const char *code, int value);
    const SimMemoryChannel &channel(int number) const;
    void setChannel(int number, const SimMemoryChannel &contents);
    // Characters of an incomplete command waiting for their ";".
    int pendingSize() const { return int(m_pending.size()); }
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
    bool set(const QByteArray &code, const QByteArray &params);
    bool setFrequency(qint64 &target, const QByteArray &params);
    bool setFunction(const QByteArray &code, const QByteArray &params);
    bool setMode(const QByteArray &params);
    bool setFilterWidth(const QByteArray &params);
    bool setIfShift(const QByteArray &params);
    bool setTuner(const QByteArray &params);
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
    QByteArray m_cwWidth = "0600";
    QByteArray m_fskWidth = "0500";
    QByteArray m_ssbWidth = "0001";
    QHash<QByteArray, int> m_settings;
    SimMemoryBank m_channels;
    int m_commands = 0;
    int m_refused = 0;
};
