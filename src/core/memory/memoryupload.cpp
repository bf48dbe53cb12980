#include "core/memory/memoryupload.h"

#include "core/memory/memorycells.h"
#include "core/radio/radio.h"

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
    m_pause->setInterval(DefaultPacing);
    connect(m_pause, &QTimer::timeout, this, &MemoryUpload::step);
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
    m_pause->setInterval(pause);
}

bool MemoryUpload::start(const QList<MemoryRow> &rows)
{
    if (isRunning() || rows.isEmpty())
        return false;
    m_rows = rows.mid(0, ChannelCount);
    m_channel = 0;
    m_cancelRequested = false;
    m_undefined.clear();
    m_busy = std::make_unique<Radio::ActivityGuard>(m_radio, Radio::Activity::Transfer);
    m_radio.send(QByteArrayLiteral("AI0;"));
    sendSide(1);
    m_phase = Phase::ReceiveSide;
    m_pause->start();
    return true;
}

void MemoryUpload::cancel()
{
    if (isRunning())
        m_cancelRequested = true;
}

void MemoryUpload::sendSide(int side)
{
    const MemoryCells::Channel c = MemoryCells::channel(m_rows.at(m_channel));
    // Both sides read the same row; its undefined cells are named once, with the receive side.
    if (side == 0 && !c.undefinedCells.isEmpty()) {
        m_undefined << tr("%1 (%2)").arg(MemoryCells::channelText(m_channel),
                                         c.undefinedCells.join(QStringLiteral(", ")));
    }
    const auto which = side == 0 ? MemoryCells::Side::Receive : MemoryCells::Side::Transmit;
    // The row count is capped at 100 and every cell converts to something the command takes,
    // so the command is always built.
    m_radio.send(MemoryCells::writeCommand(which, m_channel, c));
}

void MemoryUpload::step()
{
    switch (m_phase) {
    case Phase::Idle:
        return;
    case Phase::ReceiveSide:
        sendSide(0);
        Q_EMIT progressChanged(m_channel + 1, tr("%1 %").arg(m_channel + 1));
        m_phase = Phase::NextChannel;
        break;
    case Phase::NextChannel:
        if (m_cancelRequested || m_channel + 1 >= m_rows.size()) {
            m_phase = Phase::Finish;
            break;
        }
        ++m_channel;
        sendSide(1);
        m_phase = Phase::ReceiveSide;
        break;
    case Phase::Finish: {
        m_phase = Phase::Idle;
        m_radio.send(QByteArrayLiteral("AI3;"));
        m_busy.reset();
        const bool complete = m_channel + 1 >= m_rows.size();
        const QString message = closingMessage();
        m_rows.clear();
        Q_EMIT finished(complete ? Outcome::Completed : Outcome::Cancelled, message);
        return;
    }
    }
    m_pause->start();
}

QString MemoryUpload::closingMessage() const
{
    QStringList parts;
    if (m_channel + 1 < m_rows.size()) {
        parts << tr("The upload was cancelled after channel %1; channels %2 to %3 of the radio "
                    "were not written.")
                     .arg(MemoryCells::channelText(m_channel),
                          MemoryCells::channelText(m_channel + 1),
                          MemoryCells::channelText(int(m_rows.size()) - 1));
    }
    if (!m_undefined.isEmpty()) {
        parts << tr("These channels had cells that are not a frequency, mode or tone and were "
                    "written as empty: %1.")
                     .arg(m_undefined.join(QStringLiteral("; ")));
    }
    return parts.join(QLatin1Char('\n'));
}
