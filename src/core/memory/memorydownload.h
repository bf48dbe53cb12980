// "Radio to PC": reads the radio's 100 memory channels, one half-channel per memory reply.
// Each request waits for its own reply; a reply that is not the awaited one is ignored. A
// request whose reply has not come within the reply time-out is asked again (a reply lost on
// the line costs one time-out, not the download), and a radio that leaves it unanswered
// AskCount times ends the download. The rows are handed over only when channel 99 has been
// stored, so the table changes all at once or not at all. The radio state's Mode, ToneOn and
// ToneNum, which the memory replies pass through, are the radio's own again at the end.
#pragma once

#include "core/memory/memoryrow.h"
#include "core/radio/radio.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>

class MemoryDownload : public QObject
{
    Q_OBJECT
public:
    static constexpr int ChannelCount = 100;
    static constexpr std::chrono::milliseconds DefaultReplyTimeout {500};
    static constexpr int AskCount = 10;

    enum class Outcome { Completed, Cancelled, TimedOut };
    Q_ENUM(Outcome)

    // The progress window's message while the download runs.
    static QString progressMessage();

    explicit MemoryDownload(Radio &radio, QObject *parent = nullptr);
    ~MemoryDownload() override;

    void setReplyTimeout(std::chrono::milliseconds timeout);

    bool isRunning() const { return m_running; }

    // Starts a download over the table's channels, current[n] being channel n ("AI0;", then
    // "MR0 00;") and returns at once; false (nothing sent) while one runs. Cells the download
    // does not write (Mem, Description, Scan, a mode the radio reports with an unknown digit)
    // keep these values; channels missing from a short list start empty, numbered by their
    // place.
    bool start(const QList<MemoryRow> &current);

    // A memory reply while DownloadSwitch is 1 (the reply interpreter hands it over whole,
    // with or without its ";").
    void memoryDownload(const QString &reply);

    // The progress window's Cancel: ends the download at once; no row changes.
    void cancel();

    // The channel being requested, two digits.
    QString downloadChannel() const;
    // The frequency field of the last receive-side reply.
    QString replyMainFreq;

Q_SIGNALS:
    // The progress bar's value (0 to 100) and the percentage label's text ("37 %").
    void progressChanged(int value, const QString &percentText);
    // All 100 rows, once channel 99 has been stored: to be written in one transaction.
    void rowsDownloaded(const QList<MemoryRow> &rows);
    // The download has ended (sent after rowsDownloaded when it completed): close the progress
    // window, show the memory window, and show the message when it is not empty.
    void finished(MemoryDownload::Outcome outcome, const QString &message);

private:
    void request();
    void ask();
    void storeReceiveSide(QStringView reply);
    void storeTransmitSide(QStringView reply);
    void replyTimedOut();
    void finish(Outcome outcome, const QString &message);

    Radio &m_radio;
    std::unique_ptr<Radio::ActivityGuard> m_busy; // the line is the download's meanwhile
    QTimer *m_replyTimer = nullptr; // "replyTimeout"
    QList<MemoryRow> m_rows;
    bool m_running = false;
    int m_channel = 0;
    int m_side = 0; // the side awaited: 0 receive, 1 transmit
    int m_asked = 0; // times the awaited half-channel has been asked for
    QString m_mode, m_toneOn, m_toneNum; // the radio state's, kept while replies pass through
};
