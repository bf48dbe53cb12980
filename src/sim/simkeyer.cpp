#include "sim/simkeyer.h"

#include "core/cw/cwtext.h"

#include <QChar>

#include <cmath>
#include <utility>

int SimKeyer::dots(char c)
{
    if (c == ' ')
        return 4; // with the three after the last character, seven
    const char *morse = CwText::morse(QChar::fromLatin1(c));
    if (!morse)
        return 0;
    int length = 0;
    for (const char *e = morse; *e; ++e)
        length += (*e == '-' ? 3 : 1) + 1; // the element and the space after it
    return length + 2; // three after the last element
}

double SimKeyer::dotMs(int wpm)
{
    return 1200.0 / qMax(1, wpm);
}

bool SimKeyer::take(const QByteArray &text, qint64 nowMs)
{
    QByteArray load = text;
    while (load.endsWith(' '))
        load.chop(1);
    for (const char c : load) {
        if (dots(c) == 0)
            return false;
    }
    if (full())
        return false;
    if (load.isEmpty())
        return true;
    m_loads.append(load.toUpper());
    if (m_loads.size() == 1) {
        // An idle keyer starts at once: the next advance() times the first character.
        m_position = -1;
        m_charEndsMs = nowMs;
    }
    return true;
}

void SimKeyer::clear()
{
    m_loads.clear();
    m_position = 0;
    m_charEndsMs = -1;
    if (!m_run.isEmpty())
        m_finished.append(std::exchange(m_run, {}));
}

void SimKeyer::startNext(qint64 fromMs, int wpm)
{
    ++m_position;
    if (m_position >= m_loads.first().size()) {
        m_loads.removeFirst();
        m_position = 0;
        if (m_loads.isEmpty()) {
            m_charEndsMs = -1;
            m_finished.append(std::exchange(m_run, {}));
            return;
        }
    }
    const char c = m_loads.first().at(m_position);
    m_charEndsMs = fromMs + qint64(std::llround(dots(c) * dotMs(wpm)));
}

void SimKeyer::advance(qint64 nowMs, int wpm)
{
    while (m_charEndsMs >= 0 && m_charEndsMs <= nowMs) {
        if (m_position >= 0) {
            const char c = m_loads.first().at(m_position);
            m_sent += c;
            m_run += c;
        }
        startNext(m_charEndsMs, wpm);
    }
}

qint64 SimKeyer::msUntilNext(qint64 nowMs) const
{
    return m_charEndsMs < 0 ? -1 : qMax<qint64>(0, m_charEndsMs - nowMs);
}

QByteArrayList SimKeyer::takeFinished()
{
    return std::exchange(m_finished, {});
}
