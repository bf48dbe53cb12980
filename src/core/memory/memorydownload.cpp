#include "core/memory/memorydownload.h"

#include "core/memory/memorycells.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "core/radio/replyfields.h"

#include <utility>

namespace {

// Positions of the memory reply's fields (1-based, as the protocol counts them).
constexpr int SidePos = 3;
constexpr int ChannelFrom = 5, ChannelTo = 6;
constexpr int FrequencyFrom = 7, FrequencyTo = 17;
constexpr int ModePos = 18;
constexpr int ToneFlagPos = 20;
constexpr int ToneFrom = 21, ToneTo = 22;

bool isDigits(const QString &text, qsizetype width)
{
    if (text.size() != width)
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

QString MemoryDownload::progressMessage()
{
    return tr("Loading Memory Data from Radio, Do Not Interrupt !");
}

MemoryDownload::MemoryDownload(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
    , m_replyTimer(new QTimer(this))
{
    m_replyTimer->setObjectName(QStringLiteral("replyTimeout"));
    m_replyTimer->setSingleShot(true);
    m_replyTimer->setInterval(DefaultReplyTimeout);
    connect(m_replyTimer, &QTimer::timeout, this, &MemoryDownload::replyTimedOut);
}

MemoryDownload::~MemoryDownload()
{
    // A download cut short by its owner going away still gives the radio its automatic
    // reports back and the reply interpreter its memory stepping.
    if (m_running) {
        m_radio.send(QByteArrayLiteral("AI3;"));
        m_radio.state().replyMemChannel = MemoryCells::blank();
        m_radio.state().DownloadSwitch = 0;
    }
}

void MemoryDownload::setReplyTimeout(std::chrono::milliseconds timeout)
{
    m_replyTimer->setInterval(timeout);
}

QString MemoryDownload::downloadChannel() const
{
    return MemoryCells::channelText(m_channel);
}

bool MemoryDownload::start(const QList<MemoryRow> &current)
{
    if (m_running)
        return false;
    m_rows = current.mid(0, ChannelCount);
    while (m_rows.size() < ChannelCount) {
        MemoryRow empty;
        empty.Mem = MemoryCells::channelText(int(m_rows.size()));
        empty.FreqMain = empty.FreqSplit = empty.Mode = empty.Tone = MemoryCells::blank();
        empty.Description = empty.Scan = MemoryCells::blank();
        m_rows.append(empty);
    }
    m_running = true;
    m_busy = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::Transfer);
    m_channel = 0;
    m_side = 0;
    replyMainFreq.clear();
    RadioState &state = m_radio.state();
    m_mode = state.Mode;
    m_toneOn = state.ToneOn;
    m_toneNum = state.ToneNum;
    state.DownloadSwitch = 1;
    m_radio.send(QByteArrayLiteral("AI0;"));
    request();
    return true;
}

void MemoryDownload::request()
{
    m_asked = 0;
    ask();
}

void MemoryDownload::ask()
{
    ++m_asked;
    m_radio.send(Cat::readMemory(m_side, m_channel));
    m_replyTimer->start();
}

void MemoryDownload::memoryDownload(const QString &reply)
{
    if (!m_running)
        return;
    const qsizetype end = reply.indexOf(QLatin1Char(';'));
    const QStringView body = QStringView(reply).left(end < 0 ? reply.size() : end);
    const ReplyFields r(body);

    // Only the reply to the request outstanding counts: its side, its channel, a frequency of
    // eleven digits and, on the receive side, the tone fields.
    if (r.at(1, 2) != QLatin1String("MR") || r.at(SidePos) != QString::number(m_side)
        || r.at(ChannelFrom, ChannelTo) != downloadChannel()
        || !isDigits(r.at(FrequencyFrom, FrequencyTo), FrequencyTo - FrequencyFrom + 1))
        return;
    if (m_side == 0) {
        if (r.length() < ToneTo
            || (r.at(ToneFlagPos) == QLatin1String("1") && !isDigits(r.at(ToneFrom, ToneTo), 2)))
            return;
        storeReceiveSide(body);
    } else {
        storeTransmitSide(body);
    }
}

void MemoryDownload::storeReceiveSide(QStringView reply)
{
    const ReplyFields r(reply);
    RadioState &state = m_radio.state();
    MemoryRow &row = m_rows[m_channel];

    state.replyMemChannel = r.at(ChannelFrom, ChannelTo);
    replyMainFreq = r.at(FrequencyFrom, FrequencyTo);
    row.FreqMain = MemoryCells::frequencyCell(Cat::readNumber(replyMainFreq));
    state.Mode = r.at(ModePos);
    if (const std::optional<QString> mode = MemoryCells::modeCell(state.Mode.at(0)))
        row.Mode = *mode;
    state.ToneOn = r.at(ToneFlagPos);
    state.ToneNum = r.at(ToneFrom, ToneTo);
    row.Tone = MemoryCells::toneCell(state.ToneOn.at(0), state.ToneNum);

    m_side = 1;
    request();
}

void MemoryDownload::storeTransmitSide(QStringView reply)
{
    const ReplyFields r(reply);
    m_radio.state().replyMemChannel = r.at(ChannelFrom, ChannelTo);
    // The same frequency as the receive side means no split (or an empty channel).
    const QString frequency = r.at(FrequencyFrom, FrequencyTo);
    m_rows[m_channel].FreqSplit = frequency == replyMainFreq
        ? MemoryCells::blank()
        : MemoryCells::frequencyCell(Cat::readNumber(frequency));

    if (m_channel == ChannelCount - 1) {
        m_replyTimer->stop();
        finish(Outcome::Completed, QString());
        return;
    }
    Q_EMIT progressChanged(m_channel, tr("%1 %").arg(m_channel + 1));
    ++m_channel;
    m_side = 0;
    request();
}

void MemoryDownload::cancel()
{
    if (!m_running)
        return;
    finish(Outcome::Cancelled, tr("The download was cancelled; the memory table is unchanged."));
}

void MemoryDownload::replyTimedOut()
{
    if (!m_running)
        return;
    if (m_asked < AskCount) {
        ask();
        return;
    }
    const QString side = m_side == 0 ? tr("receive") : tr("transmit");
    finish(Outcome::TimedOut,
           tr("The radio did not answer the request for memory channel %1 (%2 side). The "
              "download was stopped; the memory table is unchanged.")
               .arg(downloadChannel(), side));
}

void MemoryDownload::finish(Outcome outcome, const QString &message)
{
    m_replyTimer->stop();
    m_running = false;
    m_radio.send(QByteArrayLiteral("AI3;"));
    RadioState &state = m_radio.state();
    state.replyMemChannel = MemoryCells::blank();
    state.DownloadSwitch = 0;
    // The memory replies said nothing about what the radio itself is set to.
    state.Mode = m_mode;
    state.ToneOn = m_toneOn;
    state.ToneNum = m_toneNum;
    m_busy.reset();
    const QList<MemoryRow> rows = std::exchange(m_rows, {});
    if (outcome == Outcome::Completed)
        Q_EMIT rowsDownloaded(rows);
    Q_EMIT finished(outcome, message);
}
