#include "core/exchange/csvtext.h"

namespace CsvText {

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');
const QChar Cr = QLatin1Char('\r');
const QChar Lf = QLatin1Char('\n');

class Reader
{
public:
    explicit Reader(const QString &text)
        : m_text(text)
    {
    }

    CsvRead read()
    {
        CsvRead result;
        while (m_pos < m_text.size()) {
            CsvRecord record;
            record.line = m_line;
            if (!readRecord(record.cells, result))
                return CsvRead {result.problem, {}};
            if (!(record.cells.size() == 1 && record.cells.first().isEmpty()))
                result.records << record;
        }
        return result;
    }

private:
    // One record up to and including its line end; false with the problem set.
    bool readRecord(QStringList &cells, CsvRead &result)
    {
        while (true) {
            QString cell;
            if (m_pos < m_text.size() && m_text.at(m_pos) == Quote) {
                if (!readQuoted(cell, result))
                    return false;
            } else {
                while (m_pos < m_text.size() && m_text.at(m_pos) != Comma && m_text.at(m_pos) != Cr
                       && m_text.at(m_pos) != Lf)
                    cell += m_text.at(m_pos++);
            }
            cells << cell;
            if (m_pos >= m_text.size())
                return true;
            const QChar c = m_text.at(m_pos++);
            if (c == Comma)
                continue;
            if (c == Cr && m_pos < m_text.size() && m_text.at(m_pos) == Lf)
                ++m_pos;
            ++m_line;
            return true;
        }
    }

    bool readQuoted(QString &cell, CsvRead &result)
    {
        const int start = m_line;
        ++m_pos;
        while (true) {
            if (m_pos >= m_text.size()) {
                result.problem = FileProblem {
                    start, QStringLiteral("a quoted cell that starts here is never closed")};
                return false;
            }
            const QChar c = m_text.at(m_pos++);
            if (c == Quote) {
                if (m_pos < m_text.size() && m_text.at(m_pos) == Quote) {
                    cell += Quote;
                    ++m_pos;
                    continue;
                }
                if (m_pos < m_text.size() && m_text.at(m_pos) != Comma && m_text.at(m_pos) != Cr
                    && m_text.at(m_pos) != Lf) {
                    result.problem = FileProblem {
                        m_line, QStringLiteral("text follows the closing quote of a cell")};
                    return false;
                }
                return true;
            }
            if (c == Lf)
                ++m_line;
            else if (c == Cr && !(m_pos < m_text.size() && m_text.at(m_pos) == Lf))
                ++m_line;
            cell += c;
        }
    }

    const QString &m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace

CsvRead read(const QString &text)
{
    return Reader(text).read();
}

QString line(const QStringList &cells)
{
    QStringList written;
    for (const QString &cell : cells) {
        if (cell.contains(Comma) || cell.contains(Quote) || cell.contains(Cr)
            || cell.contains(Lf)) {
            QString text = cell;
            text.replace(Quote, QStringLiteral("\"\""));
            written << Quote + text + Quote;
        } else {
            written << cell;
        }
    }
    return written.join(Comma);
}

namespace {

// Text that a spreadsheet could take for a formula, after the "'" it may begin with.
bool formulaAfterQuotes(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at] == QLatin1Char('\''))
        ++at;
    if (at == text.size())
        return false;
    switch (text[at].unicode()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    default:
        return false;
    }
}

} // namespace

QString guarded(const QString &text)
{
    return formulaAfterQuotes(text) ? QLatin1Char('\'') + text : text;
}

QString unguarded(const QString &cell)
{
    return cell.startsWith(QLatin1Char('\'')) && formulaAfterQuotes(QStringView(cell).sliced(1))
        ? cell.mid(1)
        : cell;
}

} // namespace CsvText
