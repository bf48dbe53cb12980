#include "core/radio/radio.h"

#include "core/radio/cattables.h"
#include "core/radio/replylayouts.h"

#include <QEventLoop>
#include <QTimer>

Radio::Radio(QObject *parent)
    : QObject(parent)
    , m_port(new CommPort(this))
    , m_interpreter(
          m_state, [this]() -> RadioDisplay & { return *m_display; },
          [this](const QByteArray &command) { send(command); })
{
    m_state.StartupCommands = Cat::startupCommands();
    m_startupTimer = new QTimer(this);
    m_startupTimer->setSingleShot(true);
    m_startupTimer->setInterval(StartupReplyTimeoutMs);
    m_link = new LinkWatch(
        *m_port, [this]() -> RadioDisplay & { return *m_display; },
        [this](const QByteArray &command) { send(command); }, this);
    connect(m_port, &CommPort::OnComm, this, &Radio::MSComm1_OnComm);
    connect(m_startupTimer, &QTimer::timeout, this, &Radio::startupReplyOverdue);
    connect(m_port, &CommPort::deviceGone, m_link, &LinkWatch::deviceLost);
    connect(m_link, &LinkWatch::lost, this, &Radio::abandonStartup);
    connect(m_link, &LinkWatch::restored, this, &Radio::linkRestored);
}

Radio::~Radio() = default;

void Radio::setDisplay(RadioDisplay *display)
{
    m_display = display ? display : &m_nullDisplay;
}

void Radio::setStartupReplyTimeout(int ms)
{
    m_startupTimer->setInterval(qMax(1, ms));
}

void Radio::send(const QByteArray &command)
{
    if (command.isEmpty())
        return;
    Q_EMIT commandWritten(command);
    if (!m_link->mayWrite()) {
        m_display->portProblem(m_link->refusal(command));
        return;
    }
    if (!m_port->output(command)) {
        m_display->portProblem(tr("Port %1 is closed: %2 was not sent.")
                                   .arg(m_port->commPort(), QString::fromLatin1(command)));
        return;
    }
    m_link->written(command);
}

void Radio::send(const std::optional<QByteArray> &command)
{
    if (command)
        send(*command);
}

void Radio::Pausing()
{
    // The window keeps painting and timers keep running; the operator's input waits, and
    // replies stay in the port until the pause is over.
    const bool wasPausing = m_pausing;
    m_pausing = true;
    const ActivityGuard busy(*this, Activity::Pause);
    QEventLoop loop;
    QTimer::singleShot(PausingMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_pausing = wasPausing;
    if (!m_pausing && m_port->portOpen() && m_port->inBufferCount() > 0)
        receive(m_port->input());
}

void Radio::MSComm1_OnComm()
{
    const int code = m_port->commEvent();
    switch (code) {
    case CommPort::comEvReceive:
        if (!m_pausing)
            receive(m_port->input());
        return;
    case CommPort::comEvSend:
    case CommPort::comEvCTS:
    case CommPort::comEvDSR:
    case CommPort::comEvCD:
    case CommPort::comEvRing:
    case CommPort::comEvEOF:
        return;
    default:
        break;
    }
    // A lost device is shown as such before the box, which then comes once for the loss, not
    // for every attempt to reopen the port.
    const bool lost = m_port->deviceLost();
    if (lost)
        m_link->deviceLost();
    MsgResult = qint16(m_display->serialError(CommPort::eventText(code)));
    // A lost device that is back and working by the time of the answer keeps its port: the
    // answer was about a loss that is over.
    const bool backAgain = lost && m_port->portOpen() && !m_port->deviceLost();
    if (MsgResult == 2 && !backAgain) {
        m_port->setPortOpen(false);
        if (lost)
            m_link->leftClosed();
    }
}

void Radio::receive(const QByteArray &data)
{
    Out += QString::fromLatin1(data);
    if (m_receiving)
        return; // an outer call is already working through Out
    m_receiving = true;
    // Every complete reply in the buffer is interpreted, in order; the text after the last
    // ";" waits for the next receive event.
    qsizetype consumed = 0;
    for (;;) {
        const qsizetype end = Out.indexOf(QLatin1Char(';'), consumed);
        if (end < 0)
            break;
        const QString buffer = Out; // a handler may add to Out meanwhile
        handleReply(QStringView(buffer).mid(consumed, end - consumed));
        consumed = end + 1;
    }
    Out.remove(0, consumed);
    if (Out.size() > MaxPendingReply) {
        // Line noise that never found its ";". A reply may be arriving at its end: that part
        // is kept for the ";" still to come.
        const qsizetype arriving = ReplyLayouts::lastCodeStart(Out);
        Out.remove(0, arriving < 0 ? Out.size() : arriving);
    }
    m_receiving = false;
}

void Radio::RadioControl()
{
    const qsizetype end = Out.indexOf(QLatin1Char(';'));
    const QString reply = end < 0 ? Out : Out.left(end);
    Out.remove(0, end < 0 ? Out.size() : end + 1);
    handleReply(reply);
}

void Radio::handleReply(QStringView text)
{
    // Stray bytes in front of a reply, capital letters included, are not part of it; text that
    // holds no reply in its layout is line noise. Noise changes nothing and counts as an
    // unrelated reply for the start-up list.
    const std::optional<QStringView> reply = ReplyLayouts::find(text);
    if (reply)
        m_interpreter.interpret(*reply);
    startupStep(reply ? reply->left(2) : QStringView());
    // The radio's refusal "?;" is an answer too: it hears.
    if (reply || text.endsWith(u'?'))
        m_link->answered();
    if (reply)
        Q_EMIT replyTaken(reply->toString());
    else if (text == u"?")
        Q_EMIT replyTaken(QStringLiteral("?"));
}

void Radio::Synchronise()
{
    if (m_link->isDown()) {
        // The watch synchronises as soon as the radio is back; the list would only be refused.
        m_display->portProblem(tr("The radio on %1 is not connected; it is synchronised as "
                                  "soon as it is back.")
                                   .arg(m_link->device()));
        return;
    }
    if (m_state.StartupLoading != QLatin1String("1"))
        beginActivity(Activity::Startup);
    m_state.StartupIndex = 0;
    m_state.StartupRetries = 0;
    m_state.StartupLoading = QStringLiteral("1");
    m_state.StartupCommand = m_state.StartupCommands[0];
    sendStartupCommand();
    send(QByteArrayLiteral("AI3;"));
    m_state.TXState = QStringLiteral("RX");
}

void Radio::cmdSend_Click()
{
    send(m_state.TXState == QLatin1String("TX") ? QByteArrayLiteral("RX;")
                                                : QByteArrayLiteral("TX;"));
    send(QByteArrayLiteral("SM;"));
}

void Radio::startupStep(QStringView code)
{
    if (m_state.StartupLoading != QLatin1String("1"))
        return;
    m_display->showProgress(tr("Loading Data from Radio, Please Wait !"), false, false);
    if (!code.isEmpty() && QStringView(m_state.StartupCommand).left(2) == code) {
        advanceStartup();
        return;
    }
    repeatOrGiveUp();
}

void Radio::repeatOrGiveUp()
{
    // Another reply, or none in time: ask again, at most three times, then give the query up.
    ++m_state.StartupRetries;
    if (m_state.StartupRetries < 4)
        sendStartupCommand();
    else
        advanceStartup();
}

void Radio::advanceStartup()
{
    ++m_state.StartupIndex;
    const bool inList = m_state.StartupIndex < qint16(m_state.StartupCommands.size());
    m_state.StartupCommand = inList ? m_state.StartupCommands[m_state.StartupIndex] : QString();
    if (m_state.StartupCommand.trimmed().isEmpty()) {
        // The end marker " " (or the end of the array) finishes the list.
        m_state.StartupLoading = QStringLiteral("0");
        m_startupTimer->stop();
        m_display->closeProgress();
        m_link->synchronised();
        endActivity(Activity::Startup);
        return;
    }
    sendStartupCommand();
    m_state.StartupRetries = 0;
}

void Radio::sendStartupCommand()
{
    send(m_state.StartupCommand.toLatin1());
    m_startupTimer->start();
}

void Radio::startupReplyOverdue()
{
    if (m_state.StartupLoading != QLatin1String("1"))
        return;
    if (m_pausing) {
        // Replies wait in the port during a pause: give them the time they have lost.
        m_startupTimer->start();
        return;
    }
    repeatOrGiveUp();
}

void Radio::abandonStartup()
{
    if (m_state.StartupLoading != QLatin1String("1"))
        return;
    m_state.StartupLoading = QStringLiteral("0");
    m_startupTimer->stop();
    m_display->closeProgress();
    endActivity(Activity::Startup);
}

void Radio::linkRestored()
{
    // Nothing may take the line between the return and the start of the synchronisation (an
    // S-meter reading would put its reply ahead of the list's first one, and the list would
    // then run one reply behind).
    if (!m_resyncHeld) {
        m_resyncHeld = true;
        beginActivity(Activity::Startup);
    }
    // Queued: the watch may notice the radio inside a reply that is still being handled.
    QMetaObject::invokeMethod(this, &Radio::resume, Qt::QueuedConnection);
}

void Radio::resume()
{
    if (!m_resyncHeld)
        return;
    m_resyncHeld = false;
    // Gone again before this turn came: the watch goes on trying.
    if (!m_link->isDown()) {
        // The synchronisation starts from an empty receive buffer: what a lost connection left
        // half received, or the radio sent before it was asked, belongs to nothing the list asks.
        Out.clear();
        if (m_port->portOpen())
            m_port->input();
        Synchronise();
    }
    endActivity(Activity::Startup);
}

bool Radio::lineUp() const
{
    return m_port->portOpen() && !m_link->isDown();
}

void Radio::beginActivity(Activity activity)
{
    const bool wasIdle = isIdle();
    if (m_activities[int(activity)]++ == 0)
        Q_EMIT activityChanged(activity, true);
    ++m_activeCount;
    if (wasIdle)
        Q_EMIT idleChanged(false);
}

void Radio::endActivity(Activity activity)
{
    if (m_activities[int(activity)] == 0)
        return;
    --m_activeCount;
    if (--m_activities[int(activity)] == 0)
        Q_EMIT activityChanged(activity, false);
    if (isIdle())
        Q_EMIT idleChanged(true);
}

bool Radio::isIdleApartFrom(Activity activity) const
{
    return m_activeCount == m_activities[int(activity)];
}
