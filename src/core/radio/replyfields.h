// A reply as the interpreter reads it: the text before ";", with fields cut out by their
// 1-based positions.
#pragma once

#include <QString>
#include <QStringView>

class ReplyFields
{
public:
    explicit ReplyFields(QStringView body)
        : m_body(body)
    {
    }

    int length() const { return int(m_body.size()); }
    // The text at positions from..to (1-based, inclusive); shorter when the reply ends first.
    QString at(int from, int to) const
    {
        if (from < 1 || from > length() || to < from)
            return QString();
        return m_body.mid(from - 1, qMin(to, length()) - from + 1).toString();
    }
    QString at(int position) const { return at(position, position); }
    QStringView body() const { return m_body; }

private:
    QStringView m_body;
};
