#include "core/cw/cwsender.h"

#include "core/cw/cwtext.h"
#include "core/radio/cat.h"

#include <QScopedValueRollback>

bool CwSender::isCwMode(const QString &mode)
{
    return mode == QLatin1String("3") || mode == QLatin1String("7");
}

bool CwSender::isKnownMode(const QString &mode)
{
    // 0 and 8 stand for no mode.
    return mode.size() == 1 && QStringLiteral("12345679").contains(mode[0]);
}

CwSender::CwSender(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
{
    m_next.setSingleShot(true);
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setInterval(ReplyTimeoutMs);
    connect(&m_next, &QTimer::timeout, this, &CwSender::poll);
    connect(&m_replyTimer, &QTimer::timeout, this, &CwSender::replyOverdue);
    connect(&m_radio, &Radio::replyTaken, this, &CwSender::onReply);
    connect(&m_radio, &Radio::idleChanged, this, [this](bool idle) {
        if (idle)
            poll();
    });
    connect(&m_radio.link(), &LinkWatch::lost, this, &CwSender::linkLost);
}

CwSender::~CwSender() = default;

bool CwSender::isBusy() const
{
    return hasText() || m_turn || m_clearWanted;
}

bool CwSender::hasText() const
{
    return !QStringView(m_waiting).trimmed().isEmpty();
}

CwSender::Refusal CwSender::send(const QString &text)
{
    const QString normalised = CwText::normalised(text);
    if (normalised.isEmpty())
        return Refusal::Empty;
    if (!CwText::refusedCharacters(normalised).isEmpty())
        return Refusal::Characters;
    if (m_waiting.size() + normalised.size() + 1 > MaxWaiting)
        return Refusal::TooMuch;
    if (!m_radio.lineUp())
        return Refusal::LinkDown;
    const QString &mode = m_radio.state().Mode;
    if (isKnownMode(mode) && !isCwMode(mode))
        return Refusal::NotInCw;
    if (!isBusy()) {
        // A new run: the keyer's room is asked again before the first piece goes.
        m_taken = 0;
        m_total = 0;
        m_room = false;
    }
    if (!m_waiting.isEmpty()) {
        m_waiting += QLatin1Char(' ');
        ++m_total;
    }
    m_waiting += normalised;
    m_total += int(normalised.size());
    noteBusy();
    Q_EMIT progress(m_taken, m_total);
    poll();
    return Refusal::None;
}

QString CwSender::refusalText(Refusal refusal, const QString &text)
{
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::Empty:
        return tr("There is nothing to send.");
    case Refusal::Characters: {
        QString shown;
        for (const QChar c : CwText::refusedCharacters(text))
            shown += (shown.isEmpty() ? QString() : QStringLiteral(" "))
                + QStringLiteral("\"%1\"").arg(c);
        return tr("The keyer cannot send %1: it sends %2.").arg(shown, CwText::allowedText());
    }
    case Refusal::TooMuch:
        return tr("Too much text is waiting: at most %1 characters wait for the radio.")
            .arg(MaxWaiting);
    case Refusal::LinkDown:
        return tr("The radio is not connected: nothing was sent.");
    case Refusal::NotInCw:
        return tr("The radio is not in CW: nothing was sent.");
    }
    return {};
}

QString CwSender::endText(End end, int notSent)
{
    QString left;
    if (notSent == 1)
        left = tr(" 1 character not sent.");
    else if (notSent > 1)
        left = tr(" %1 characters not sent.").arg(notSent);
    switch (end) {
    case End::Sent:
        return tr("Handed over: the radio's keyer has all the text and sends it at its key speed.");
    case End::Emptied:
        return tr("Stopped: the radio emptied its keyer.") + left;
    case End::Stopped:
        return tr("Stopped feeding the radio; it cannot empty its keyer and sends what it "
                  "already holds.")
            + left;
    case End::Refused:
        return tr("The radio refused the text: it keys only in CW and CW-R.") + left;
    case End::LinkDown:
        return tr("The link to the radio is down.") + left;
    case End::NoAnswer:
        return tr("The radio did not answer.") + left;
    }
    return {};
}

void CwSender::stop()
{
    // What is on the line is the radio's already; the rest is dropped.
    const int notSent = int(m_waiting.size()) - m_inFlight;
    m_waiting.truncate(m_inFlight);
    m_next.stop();
    if (!m_radio.lineUp()) {
        const QScopedValueRollback<bool> settling(m_settling, true);
        if (m_turn)
            endTurn();
        finish(End::Stopped, notSent);
        return;
    }
    m_stopNotSent = notSent;
    m_clearWanted = true;
    noteBusy();
    poll();
}

QString CwSender::nextPiece() const
{
    const QString blank = m_owedBlank ? QStringLiteral(" ") : QString();
    QString piece = blank + m_waiting.left(Cat::KeyTextLength - blank.size());
    // Blanks at the end of a piece would read as the filling the keyer does not send: they go
    // at the front of the next one.
    while (piece.endsWith(QLatin1Char(' ')))
        piece.chop(1);
    return piece;
}

void CwSender::poll()
{
    if (m_settling || m_turn || (!m_clearWanted && !hasText()))
        return;
    if (!m_radio.lineUp()) {
        linkLost();
        return;
    }
    if (!m_radio.isIdle())
        return; // the line is busy: idleChanged() brings us back
    if (m_sincePoll.isValid()) {
        const qint64 wait = m_interval - m_sincePoll.elapsed();
        if (wait > 0) {
            m_next.start(int(wait));
            return;
        }
    }
    QByteArray commands;
    m_inFlight = 0;
    m_turnRefused = false;
    m_turnClears = m_clearWanted;
    if (m_clearWanted) {
        commands = QByteArrayLiteral("KY0;");
        m_clearWanted = false;
    } else if (m_room) {
        const QString piece = nextPiece();
        commands = Cat::keyText(piece).value_or(QByteArray());
        m_inFlight = int(piece.size()) - (m_owedBlank ? 1 : 0);
    }
    commands += Cat::query("KY");
    m_turn = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::Keyer);
    ++m_polls;
    m_sincePoll.start();
    m_replyTimer.start();
    m_radio.send(commands);
}

void CwSender::onReply(const QString &reply)
{
    if (!m_turn)
        return;
    if (reply == QLatin1String("?")) {
        m_turnRefused = true; // the answer to "KY;" still comes
        return;
    }
    if (!reply.startsWith(QLatin1String("KY")))
        return;
    {
        // Releasing the line lets waiting work in; this turn is settled before the next one.
        const QScopedValueRollback<bool> settling(m_settling, true);
        endTurn();
        if (m_turnClears) {
            finish(m_turnRefused ? End::Stopped : End::Emptied, m_stopNotSent);
        } else if (m_turnRefused) {
            const int notSent = int(m_waiting.size());
            m_waiting.clear();
            finish(End::Refused, notSent);
        } else {
            if (m_inFlight > 0) {
                m_waiting.remove(0, m_inFlight);
                m_taken += m_inFlight;
                m_inFlight = 0;
                m_owedBlank = false;
                Q_EMIT progress(m_taken, m_total);
            }
            m_room = reply == QLatin1String("KY0");
            if (!m_clearWanted && !hasText()) {
                m_waiting.clear();
                m_owedBlank = true;
                finish(End::Sent, 0);
            }
        }
    }
    // Text queued meanwhile (or after a stop) goes on.
    poll();
}

void CwSender::replyOverdue()
{
    if (!m_turn)
        return;
    const QScopedValueRollback<bool> settling(m_settling, true);
    const bool clears = m_turnClears;
    const bool refused = m_turnRefused;
    endTurn();
    // Whether a piece written in this turn was taken is not known: it is not written again.
    const int notSent = clears ? m_stopNotSent : int(m_waiting.size()) - m_inFlight;
    m_waiting.clear();
    m_clearWanted = false;
    finish(clears ? End::Stopped : refused ? End::Refused : End::NoAnswer, notSent);
}

void CwSender::linkLost()
{
    if (!isBusy())
        return;
    const int notSent = m_clearWanted ? m_stopNotSent : int(m_waiting.size()) - m_inFlight;
    const bool stopping = m_clearWanted || (m_turn && m_turnClears);
    const QScopedValueRollback<bool> settling(m_settling, true);
    if (m_turn)
        endTurn();
    m_waiting.clear();
    m_clearWanted = false;
    finish(stopping ? End::Stopped : End::LinkDown, notSent);
}

void CwSender::endTurn()
{
    m_replyTimer.stop();
    m_turn.reset();
}

void CwSender::finish(End end, int notSent)
{
    m_next.stop();
    m_room = false;
    m_inFlight = 0;
    if (end != End::Sent)
        m_owedBlank = true;
    Q_EMIT finished(end, qMax(0, notSent));
    noteBusy();
}

void CwSender::noteBusy()
{
    const bool busy = isBusy();
    if (busy == m_wasBusy)
        return;
    m_wasBusy = busy;
    Q_EMIT busyChanged(busy);
}
