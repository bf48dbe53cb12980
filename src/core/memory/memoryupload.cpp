#include "core/memory/memoryupload.h"

#include "core/memory/memorycells.h"
#include "core/radio/radio.h"

#include <algorithm>

QString MemoryUpload::progressMessage()
{
    return tr("Loading Radio with PC Memory, Do Not Interrupt !");
}

MemoryUpload::MemoryUpload(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_radio(radio)
    , m_pause(new QTimer(this))
{
    m_pause->setObjectName(QStringLiteral("pacing"));
    m_pause->setSingleShot(true);
    connect(m_pause, &QTimer::timeout, this, &MemoryUpload::step);
    connect(&m_radio, &Radio::replyTaken, this, &MemoryUpload::replyTaken);
}

MemoryUpload::~MemoryUpload()
{
    // An upload cut short by its owner going away still gives the radio its automatic reports
    // back.
    if (isRunning())
        m_radio.send(QByteArrayLiteral("AI3;"));
}

void MemoryUpload::setPacing(std::chrono::milliseconds pause)
{
    m_pacing = pause;
}

bool MemoryUpload::start(const QList<MemoryRow> &rows)
{
    if (isRunning())
        return false;
    m_rows.clear();
    for (const MemoryRow &row : rows) {
        const std::optional<int> channel = MemoryCells::channelNumber(row.Mem);
        if (channel && *channel < ChannelCount)
            m_rows << row;
    }
    if (m_rows.isEmpty())
        return false;
    m_index = 0;
    m_lastWritten = -1;
    m_cancelRequested = false;
    m_undefined.clear();
    m_refused.clear();
    m_busy = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::Transfer);
    m_radio.send(QByteArrayLiteral("AI0;"));
    sendSide(1);
    m_phase = Phase::ReceiveSide;
    m_pause->start(m_pacing);
    return true;
}

void MemoryUpload::cancel()
{
    if (isRunning())
        m_cancelRequested = true;
}

int MemoryUpload::channelOf(int index) const
{
    return MemoryCells::channelNumber(m_rows.at(index).Mem).value_or(0);
}

void MemoryUpload::sendSide(int side)
{
    const int channel = channelOf(m_index);
    const MemoryCells::Channel c = MemoryCells::channel(m_rows.at(m_index));
    // Both sides read the same row; its undefined cells are named once, with the receive side.
    if (side == 0 && !c.undefinedCells.isEmpty()) {
        m_undefined << tr("%1 (%2)").arg(MemoryCells::channelText(channel),
                                         c.undefinedCells.join(QStringLiteral(", ")));
    }
    const auto which = side == 0 ? MemoryCells::Side::Receive : MemoryCells::Side::Transmit;
    // Only rows naming a channel 00 to 99 are kept and every cell converts to something the
    // command takes, so the command is always built.
    m_lastWritten = channel;
    m_radio.send(MemoryCells::writeCommand(which, channel, c));
}

void MemoryUpload::replyTaken(const QString &reply)
{
    // With automatic reports off a memory write is answered only when it is refused; the
    // answer comes well within the pause after it.
    if (!isRunning() || m_lastWritten < 0 || reply != QLatin1String("?")
        || m_refused.contains(m_lastWritten))
        return;
    m_refused << m_lastWritten;
}

void MemoryUpload::step()
{
    switch (m_phase) {
    case Phase::Idle:
        return;
    case Phase::ReceiveSide: {
        sendSide(0);
        const int percent = int((m_index + 1) * 100 / m_rows.size());
        Q_EMIT progressChanged(percent, tr("%1 %").arg(percent));
        m_phase = Phase::NextChannel;
        break;
    }
    case Phase::NextChannel:
        if (m_cancelRequested || m_index + 1 >= m_rows.size()) {
            m_phase = Phase::Finish;
            // The last write's refusal, if any, is still to come.
            m_pause->start(std::max(m_pacing, RefusalWait));
            return;
        }
        ++m_index;
        sendSide(1);
        m_phase = Phase::ReceiveSide;
        break;
    case Phase::Finish: {
        m_phase = Phase::Idle;
        m_radio.send(QByteArrayLiteral("AI3;"));
        m_busy.reset();
        const bool complete = m_index + 1 >= m_rows.size();
        const QString message = closingMessage();
        m_rows.clear();
        Q_EMIT finished(complete ? Outcome::Completed : Outcome::Cancelled, message);
        return;
    }
    }
    m_pause->start(m_pacing);
}

QString MemoryUpload::closingMessage() const
{
    QStringList parts;
    if (m_index + 1 < m_rows.size()) {
        parts << tr("The upload was cancelled after channel %1; channels %2 to %3 of the radio "
                    "were not written.")
                     .arg(MemoryCells::channelText(channelOf(m_index)),
                          MemoryCells::channelText(channelOf(m_index + 1)),
                          MemoryCells::channelText(channelOf(int(m_rows.size()) - 1)));
    }
    if (!m_refused.isEmpty()) {
        QStringList channels;
        for (int channel : m_refused)
            channels << MemoryCells::channelText(channel);
        parts << tr("The radio refused to store %1 %2 (it answered \"?;\"); the radio keeps "
                    "what it held there.")
                     .arg(m_refused.size() == 1 ? tr("channel") : tr("channels"),
                          channels.join(QStringLiteral(", ")));
    }
    if (!m_undefined.isEmpty()) {
        parts << tr("These channels had cells that are not a frequency, mode or tone and were "
                    "written as empty: %1.")
                     .arg(m_undefined.join(QStringLiteral("; ")));
    }
    return parts.join(QLatin1Char('\n'));
}
