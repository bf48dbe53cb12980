#include "core/radio/linkwatch.h"

#include "core/radio/commport.h"

#include <QTime>
#include <QTimer>

#include <array>

namespace {

using RadioView::Link;

// Commands of the "XX;" form that make the radio act and are not answered (automatic reports
// aside, which tell of a change rather than answer).
constexpr std::array<const char *, 7> Actions {"TX", "RX", "RC", "RU", "RD", "UP", "DN"};
// The one command with parameters that the radio answers: the memory read "MR0 nn;".
constexpr const char *ReadWithParameters = "MR";
// What a silent radio is asked: its status word, which also refreshes the display.
constexpr const char *Probe = "IF;";

bool isLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool isQuery(QByteArrayView command)
{
    command = command.trimmed();
    if (command.size() < 2 || !isLetter(command[0]) || !isLetter(command[1]))
        return false;
    const QByteArrayView code = command.first(2);
    if (code == ReadWithParameters)
        return true;
    if (command.size() != 2)
        return false;
    for (const char *action : Actions) {
        if (code == action)
            return false;
    }
    return true;
}

} // namespace

LinkWatch::LinkWatch(CommPort &port, DisplayAccess display, Sender send, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_display(std::move(display))
    , m_send(std::move(send))
    , m_retry(new QTimer(this))
    , m_silence(new QTimer(this))
{
    m_retry->setInterval(DefaultRetryMs);
    m_silence->setSingleShot(true);
    m_silence->setInterval(DefaultReplyTimeoutMs);
    connect(m_retry, &QTimer::timeout, this, &LinkWatch::retry);
    connect(m_silence, &QTimer::timeout, this, &LinkWatch::silenceOverdue);
}

int LinkWatch::queryCount(QByteArrayView commands)
{
    int count = 0;
    while (!commands.isEmpty()) {
        const qsizetype end = commands.indexOf(';');
        if (end < 0)
            break; // no terminator: nothing the radio would answer
        count += isQuery(commands.first(end)) ? 1 : 0;
        commands = commands.sliced(end + 1);
    }
    return count;
}

bool LinkWatch::isDown() const
{
    return (m_state == Link::Lost || m_state == Link::Silent) && m_retry->isActive();
}

void LinkWatch::setRetryInterval(int ms)
{
    m_retry->setInterval(qMax(1, ms));
}

int LinkWatch::retryInterval() const
{
    return m_retry->interval();
}

void LinkWatch::setReplyTimeout(int ms)
{
    m_silence->setInterval(qMax(1, ms));
}

bool LinkWatch::mayWrite() const
{
    return m_state != Link::Silent || m_probing;
}

QString LinkWatch::refusal(const QByteArray &command) const
{
    return tr("The radio on %1 does not answer: %2 was not sent.")
        .arg(device(), QString::fromLatin1(command));
}

void LinkWatch::written(const QByteArray &command)
{
    if (m_state == Link::Lost || m_state == Link::Silent)
        return;
    m_unanswered += queryCount(command);
    // Counted from the third query on: if that one and the two before it get nothing back
    // within the reply timeout, none of them was answered.
    if (m_unanswered >= UnansweredLimit && !m_silence->isActive())
        m_silence->start();
}

void LinkWatch::answered()
{
    m_unanswered = 0;
    m_silence->stop();
    if (m_state != Link::Silent)
        return;
    m_retry->stop();
    m_state = Link::Reading;
    show(Link::Reading, tr("The radio on %1 answers again; reading its settings.").arg(device()));
    Q_EMIT restored(false);
}

void LinkWatch::deviceLost()
{
    if (m_state == Link::Lost && m_retry->isActive())
        return;
    goDown(Link::Lost);
}

void LinkWatch::leftClosed()
{
    m_retry->stop();
    m_silence->stop();
    m_unanswered = 0;
    m_state = Link::Lost;
    show(Link::Lost,
         tr("Lost the connection to %1. The port stays closed, as chosen in the error message.")
             .arg(device()));
}

void LinkWatch::synchronised()
{
    if (m_state != Link::Reading)
        return;
    m_state = Link::Up;
    show(Link::Up,
         tr("Reconnected at %1.").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
}

void LinkWatch::goDown(Link why)
{
    m_state = why;
    m_unanswered = 0;
    m_silence->stop();
    m_retry->start();
    show(why,
         why == Link::Lost
             ? tr("Lost the connection to %1. Trying again every %2; the display keeps the last "
                  "values read.")
                   .arg(device(), retryText())
             : tr("The radio on %1 does not answer. Asking again every %2; the display keeps the "
                  "last values read.")
                   .arg(device(), retryText()));
    Q_EMIT lost();
}

void LinkWatch::retry()
{
    if (m_state == Link::Silent) {
        m_probing = true;
        m_send(QByteArray(Probe));
        m_probing = false;
        return;
    }
    if (m_state != Link::Lost)
        return;
    // The port may still be closing after the loss; a device that is not back fails quietly.
    if (m_port.deviceLost() && m_port.portOpen())
        return;
    if (!m_port.portOpen() && !m_port.setPortOpen(true))
        return;
    m_retry->stop();
    m_state = Link::Reading;
    show(Link::Reading, tr("Connected to %1 again; reading the radio's settings.").arg(device()));
    Q_EMIT restored(true);
}

void LinkWatch::silenceOverdue()
{
    // Replies held in the port (during a pause) have not been read yet: give them the time.
    if (m_port.inBufferCount() > 0) {
        m_silence->start();
        return;
    }
    if (m_unanswered >= UnansweredLimit)
        goDown(Link::Silent);
}

void LinkWatch::show(Link link, const QString &text)
{
    m_display().showLink(link, text);
}

QString LinkWatch::device() const
{
    const QString path = CommPort::devicePath(m_port.commPort());
    return path.isEmpty() ? m_port.commPort() : path;
}

QString LinkWatch::retryText() const
{
    const int ms = m_retry->interval();
    if (ms == 1000)
        return tr("second");
    return tr("%1 seconds").arg(QString::number(ms / 1000.0));
}
