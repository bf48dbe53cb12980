// "PC to Radio": writes the table's rows into the radio's memory channels. Per channel the
// transmit side goes first, then after a pause the receive side, then another pause; a timer
// paces the commands so the windows keep painting. Cells of no defined form are written as
// empty and named in the closing message.
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

    enum class Outcome { Completed, Cancelled };
    Q_ENUM(Outcome)

    // The progress window's message while the upload runs.
    static QString progressMessage();

    explicit MemoryUpload(Radio &radio, QObject *parent = nullptr);
    ~MemoryUpload() override;

    void setPacing(std::chrono::milliseconds pause);

    bool isRunning() const { return m_phase != Phase::Idle; }

    // Takes a snapshot of the rows (the first 100; row n is channel n), sends "AI0;" and the
    // first transmit-side command, and returns. False (nothing sent) while an upload runs or
    // when there are no rows.
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
    QString closingMessage() const;

    Radio &m_radio;
    std::unique_ptr<Radio::ActivityGuard> m_busy; // the line is the upload's meanwhile
    QTimer *m_pause = nullptr; // "pacing"
    QList<MemoryRow> m_rows;
    Phase m_phase = Phase::Idle;
    int m_channel = 0;
    bool m_cancelRequested = false;
    // Channels written so far whose cells were not all of a defined form, with those cells.
    QStringList m_undefined;
};
