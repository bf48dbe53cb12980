// The live S-meter: while the radio is idle and its port open, "SM;" is asked four times a
// second and the reply interpreter moves the bar. Each reading marks the radio busy until its
// reply has come (or the reply time has passed), so it never shares the line with a start-up,
// a transfer, a scan or a network client's request.
#pragma once

#include "core/radio/radio.h"

#include <QObject>
#include <QTimer>

#include <memory>

class SMeterPoll : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultIntervalMs = 250;
    static constexpr int DefaultReplyTimeoutMs = 500;

    explicit SMeterPoll(Radio &radio, QObject *parent = nullptr);
    ~SMeterPoll() override;

    void setIntervalMs(int ms);
    void setReplyTimeoutMs(int ms);
    void start();
    void stop();
    bool isRunning() const { return m_tick.isActive(); }
    // A reading has been asked for and its reply has not come yet.
    bool isWaiting() const { return m_reading != nullptr; }
    qint64 readingsAsked() const { return m_asked; }

private:
    void tick();
    void replyTaken(const QString &reply);
    void endReading();

    Radio &m_radio;
    QTimer m_tick;
    QTimer m_replyTimer;
    std::unique_ptr<Radio::ActivityGuard> m_reading;
    qint64 m_asked = 0;
};
