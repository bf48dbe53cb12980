// Watches the link to the radio. The link is down when the serial device disappears (the port
// reports it lost and closes) or when the radio stops answering (three queries in a row have
// had no reply within the reply timeout). While it is down the display shows its values as
// stale and the watch tries again at a fixed period: it reopens a lost port with the settings
// the port still holds, or asks a silent radio for its status word. When the radio is back the
// radio core synchronises, and the display is fresh again once the start-up list has ended.
#pragma once

#include "core/radio/radiodisplay.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <functional>

class CommPort;
class QTimer;

class LinkWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultRetryMs = 2000;
    static constexpr int DefaultReplyTimeoutMs = 1000;
    // Queries in a row without any reply that make the radio count as silent.
    static constexpr int UnansweredLimit = 3;

    using DisplayAccess = std::function<RadioDisplay &()>;
    using Sender = std::function<void(const QByteArray &)>;

    // send: the radio core's own send, used for the query that asks a silent radio.
    LinkWatch(CommPort &port, DisplayAccess display, Sender send, QObject *parent = nullptr);

    RadioView::Link state() const { return m_state; }
    // Down and being tried again (not after the operator chose to leave the port closed).
    bool isDown() const;
    // How often a down link is tried again, and how long a query may wait for its reply.
    void setRetryInterval(int ms);
    int retryInterval() const;
    void setReplyTimeout(int ms);

    // False while the radio is silent: commands are then refused rather than left for a
    // radio that may hear them much later. refusal() is the report for one refused command.
    bool mayWrite() const;
    QString refusal(const QByteArray &command) const;
    // The device as the reports name it ("/dev/ttyUSB0").
    QString device() const;

    // What the radio core tells the watch.
    void written(const QByteArray &command); // the port took it
    void answered(); // the radio answered (any reply, its "?;" refusal included)
    void deviceLost(); // the port reported the device gone
    void leftClosed(); // the operator chose to leave the lost port closed
    void synchronised(); // the start-up list has ended

    // Queries among the commands: "XX;" reads, but for the few such commands that act rather
    // than read, and the memory read "MR". Commands with parameters set and are not answered.
    static int queryCount(QByteArrayView commands);

Q_SIGNALS:
    // The link went down: whatever waited for a reply waits no more.
    void lost();
    // The radio can be heard again; reopened: through a port opened anew.
    void restored(bool reopened);

private:
    void goDown(RadioView::Link why);
    void retry();
    void silenceOverdue();
    void show(RadioView::Link link, const QString &text);
    QString retryText() const;

    CommPort &m_port;
    DisplayAccess m_display;
    Sender m_send;
    QTimer *m_retry = nullptr;
    QTimer *m_silence = nullptr;
    RadioView::Link m_state = RadioView::Link::Up;
    int m_unanswered = 0;
    bool m_probing = false;
};
