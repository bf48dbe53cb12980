#include "core/control/quickmemory.h"

#include "core/control/memorytovfoa.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"

QuickMemory::QuickMemory(Radio &radio)
    : m_radio(radio)
{
}

void QuickMemory::cmdQMIn_Click()
{
    for (int i = Size - 1; i > 0; --i)
        QMStore[i] = QMStore[i - 1];
    QMStore[0] = Entry {m_radio.state().Freq, m_radio.state().Mode};
}

QString QuickMemory::cmdQMRec_Click()
{
    qmRecallPos = qmRecallPos < Size ? qmRecallPos + 1 : 1;
    const Entry &entry = QMStore[qmRecallPos - 1];
    if (const std::optional<qint64> hz = stateFrequencyHz(entry.freq)) {
        const char vfo = m_radio.state().VFO == QLatin1String("0") ? 'A' : 'B';
        m_radio.send(Cat::setFrequency(vfo, *hz));
        if (entry.mode.size() == 1 && entry.mode.at(0) >= QLatin1Char('0')
            && entry.mode.at(0) <= QLatin1Char('9'))
            m_radio.send(Cat::setMode(entry.mode.at(0).toLatin1()));
    }
    return caption();
}

QString QuickMemory::caption() const
{
    if (qmRecallPos == 0)
        return QStringLiteral("Q Mem Recall");
    return QStringLiteral("Q Mem Rec %1").arg(qmRecallPos);
}
