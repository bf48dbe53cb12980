// "PC to Radio": writes the table's rows into the radio's memory channels, each row into the
// channel its Mem cell names. Per channel the transmit side goes first, then after a pause the
// receive side, then another pause; a timer paces the commands so the windows keep painting.
// Cells of no defined form are written as empty and named in the closing message. A write the
// radio refuses ("?;" before the next command) does not stop the upload: the channel is named
// in the closing message.
#pragma once

#include "core/memory/memoryrow.h"
#include "core/radio/radio.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <memory>

class MemoryUpload : public QObject
{
    Q_OBJECT
public:
    static constexpr int ChannelCount = 100;
    static constexpr std::chrono::milliseconds DefaultPacing {500};
    // The shortest wait after the last write, for the radio's refusal of it to arrive.
    static constexpr std::chrono::milliseconds RefusalWait {100};

    enum class Outcome { Completed, Cancelled };
    Q_ENUM(Outcome)

    // The progress window's message while the upload runs.
    static QString progressMessage();

    explicit MemoryUpload(Radio &radio, QObject *parent = nullptr);
    ~MemoryUpload() override;

    void setPacing(std::chrono::milliseconds pause);

    bool isRunning() const { return m_phase != Phase::Idle; }

    // Takes a snapshot of the rows, each written into the channel its Mem cell names (rows
    // whose Mem is no channel number are left out), sends "AI0;" and the first transmit-side
    // command, and returns. False (nothing sent) while an upload runs or when no row names a
    // channel.
    bool start(const QList<MemoryRow> &rows);

    // The progress window's Cancel: the channel in progress is completed, then after the
    // usual pauses "AI3;" ends the upload.
    void cancel();

Q_SIGNALS:
    // The progress bar's value (0 to 100) and the percentage label's text ("37 %").
    void progressChanged(int value, const QString &percentText);
    // The upload has ended: close the progress window and show the memory window, and show the
    // message when it is not empty.
    void finished(MemoryUpload::Outcome outcome, const QString &message);

private:
    enum class Phase { Idle, ReceiveSide, NextChannel, Finish };

    void step();
    void sendSide(int side);
    void replyTaken(const QString &reply);
    QString closingMessage() const;
    int channelOf(int index) const;

    Radio &m_radio;
    std::unique_ptr<Radio::ActivityGuard> m_busy; // the line is the upload's meanwhile
    QTimer *m_pause = nullptr; // "pacing"
    std::chrono::milliseconds m_pacing = DefaultPacing;
    QList<MemoryRow> m_rows;
    Phase m_phase = Phase::Idle;
    int m_index = 0; // of the row being written
    int m_lastWritten = -1; // the channel of the last memory write sent
    bool m_cancelRequested = false;
    // Channels written so far whose cells were not all of a defined form, with those cells.
    QStringList m_undefined;
    QList<int> m_refused; // channels whose write the radio refused
};
