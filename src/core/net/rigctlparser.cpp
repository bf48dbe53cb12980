#include "core/net/rigctlparser.h"

namespace RigctlParser {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The prefixes of the extended protocol and the separator each one asks for.
char separatorFor(char prefix)
{
    switch (prefix) {
    case '+':
        return '\n';
    case ';':
    case '|':
    case ',':
        return prefix;
    default:
        return '\0';
    }
}

class Cursor
{
public:
    explicit Cursor(QByteArrayView text)
        : m_text(text)
    {
    }

    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    char peek() const { return m_text[m_pos]; }
    char take() { return m_text[m_pos++]; }

    // The next blank-delimited word, left in place.
    QByteArrayView peekWord()
    {
        skipBlanks();
        qsizetype end = m_pos;
        while (end < m_text.size() && !isBlank(m_text[end]))
            ++end;
        return m_text.sliced(m_pos, end - m_pos);
    }
    QByteArrayView takeWord()
    {
        const QByteArrayView word = peekWord();
        m_pos += word.size();
        return word;
    }
    // Everything up to the end of the line, without blanks at either end.
    QByteArrayView takeRest()
    {
        skipBlanks();
        QByteArrayView rest = m_text.sliced(m_pos);
        m_pos = m_text.size();
        while (!rest.isEmpty() && isBlank(rest.back()))
            rest.chop(1);
        return rest;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

const RigctlCommand *takeCommand(Cursor &cursor)
{
    if (cursor.peek() == '\\') {
        cursor.take();
        return RigctlCommands::findLong(cursor.takeWord());
    }
    return RigctlCommands::findShort(cursor.take());
}

// Fills the request's arguments; false when the line ran out before they were complete.
bool takeArguments(Cursor &cursor, RigctlRequest &request)
{
    const RigctlCommand &command = *request.command;
    if (command.has(TakesQuery) && cursor.peekWord() == "?") {
        request.args << cursor.takeWord().toByteArray();
        return true;
    }
    if (command.has(TakesLine)) {
        const QByteArrayView rest = cursor.takeRest();
        if (rest.isEmpty())
            return false;
        request.args << rest.toByteArray();
        return true;
    }
    if (command.has(TakesVfo) && RigTokens::vfoFromName(cursor.peekWord().toByteArray())) {
        request.args << cursor.takeWord().toByteArray();
        request.vfoGiven = true;
    }
    for (int i = 0; i < command.argCount; ++i) {
        const QByteArrayView word = cursor.takeWord();
        if (word.isEmpty())
            return false;
        request.args << word.toByteArray();
    }
    return true;
}

} // namespace

QList<RigctlRequest> parseLine(QByteArrayView line)
{
    QList<RigctlRequest> requests;
    Cursor cursor(line);
    while (!cursor.atEnd()) {
        RigctlRequest request;
        request.separator = separatorFor(cursor.peek());
        if (request.separator != '\0') {
            cursor.take();
            if (cursor.atEnd())
                break;
        }
        if (cursor.peek() == '#')
            break; // a comment runs to the end of the line
        request.command = takeCommand(cursor);
        if (!request.command) {
            request.error = RigError::NotImplemented;
            requests << request;
            break;
        }
        const bool complete = takeArguments(cursor, request);
        if (!complete)
            request.error = RigError::InvalidParameter;
        requests << request;
        if (!complete)
            break;
    }
    return requests;
}

RigctlRequest refusedLine()
{
    RigctlRequest request;
    request.error = RigError::InvalidParameter;
    return request;
}

} // namespace RigctlParser
