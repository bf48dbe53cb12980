#include "core/exchange/adifreader.h"

#include <QStringDecoder>

namespace {

enum class TagKind { Field, EndOfRecord, EndOfHeader };

struct Tag
{
    TagKind kind = TagKind::Field;
    QString name;
    qint64 length = 0;
    qsizetype end = 0; // just after ">"
};

// A tag is short; a "<" followed by more than this without ">" is no tag.
constexpr qsizetype MaxTagSize = 256;

bool isNameByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QString shownTag(QByteArrayView bytes, qsizetype at)
{
    qsizetype end = at + 1;
    while (end < bytes.size() && end - at < 40 && bytes.at(end) != '>' && bytes.at(end) != '<'
           && bytes.at(end) != '\n' && bytes.at(end) != '\r')
        ++end;
    if (end < bytes.size() && bytes.at(end) == '>')
        ++end;
    return QString::fromLatin1(bytes.sliced(at, end - at));
}

} // namespace

class AdifStreamReader
{
public:
    explicit AdifStreamReader(QByteArrayView bytes)
        : m_bytes(bytes)
        , m_utf8(isUtf8(bytes))
    {
    }

    std::optional<AdifRecord> next()
    {
        if (m_problem)
            return std::nullopt;
        if (!m_started) {
            m_started = true;
            skipByteOrderMark();
            m_sawHeaderEnd = startsWithHeader();
            if (m_sawHeaderEnd && !readHeader())
                return std::nullopt;
        }
        return nextRecord();
    }

    const std::optional<FileProblem> &problem() const { return m_problem; }
    const QHash<QString, QString> &header() const { return m_header; }

private:
    // Checked in pieces cut between characters, so that no copy of a large file is made.
    static bool isUtf8(QByteArrayView bytes)
    {
        constexpr qsizetype Piece = 1 << 16;
        for (qsizetype at = 0; at < bytes.size();) {
            qsizetype end = qMin(at + Piece, bytes.size());
            while (end < bytes.size() && end > at && (uchar(bytes.at(end)) & 0xC0) == 0x80)
                --end;
            if (end == at)
                end = qMin(at + Piece, bytes.size());
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            (void)QString(utf8(bytes.sliced(at, end - at)));
            if (utf8.hasError())
                return false;
            at = end;
        }
        return true;
    }

    void skipByteOrderMark()
    {
        if (m_bytes.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }

    // A file whose first character (after blanks) is not "<" begins with a header.
    bool startsWithHeader() const
    {
        for (qsizetype i = m_pos; i < m_bytes.size(); ++i) {
            const char c = m_bytes.at(i);
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                continue;
            return c != '<';
        }
        return false;
    }

    // Moves to position to, counting the line ends passed.
    void advance(qsizetype to)
    {
        for (qsizetype i = m_pos; i < to && i < m_bytes.size(); ++i) {
            if (m_bytes.at(i) == '\n')
                ++m_line;
        }
        m_pos = to;
    }

    // The tag at m_pos (which holds "<"), or nothing with *why saying what is wrong.
    std::optional<Tag> tagAt(QString *why) const
    {
        const qsizetype size = m_bytes.size();
        qsizetype i = m_pos + 1;
        while (i < size && isNameByte(m_bytes.at(i)))
            ++i;
        const QString name
            = QString::fromLatin1(m_bytes.sliced(m_pos + 1, i - m_pos - 1)).toUpper();
        Tag tag;
        tag.name = name;
        if (i < size && m_bytes.at(i) == '>') {
            tag.end = i + 1;
            if (name == QLatin1String("EOR"))
                tag.kind = TagKind::EndOfRecord;
            else if (name == QLatin1String("EOH"))
                tag.kind = TagKind::EndOfHeader;
            else {
                *why = QStringLiteral("\"%1\" has no length (a field is written <NAME:LENGTH>)")
                           .arg(shownTag(m_bytes, m_pos));
                return std::nullopt;
            }
            return tag;
        }
        if (name.isEmpty() || i >= size || m_bytes.at(i) != ':') {
            *why = QStringLiteral("\"%1\" is not a field (a field is written <NAME:LENGTH>)")
                       .arg(shownTag(m_bytes, m_pos));
            return std::nullopt;
        }
        const qsizetype digits = ++i;
        while (i < size && isDigit(m_bytes.at(i)) && i - digits < 12)
            tag.length = tag.length * 10 + (m_bytes.at(i++) - '0');
        if (i == digits) {
            *why = QStringLiteral("\"%1\" has no length (a field is written <NAME:LENGTH>)")
                       .arg(shownTag(m_bytes, m_pos));
            return std::nullopt;
        }
        if (i < size && m_bytes.at(i) == ':') {
            ++i;
            while (i < size && i - m_pos < MaxTagSize && isNameByte(m_bytes.at(i)))
                ++i;
        }
        if (i >= size || m_bytes.at(i) != '>') {
            *why = QStringLiteral("\"%1\" is not a field (a field is written <NAME:LENGTH>)")
                       .arg(shownTag(m_bytes, m_pos));
            return std::nullopt;
        }
        tag.end = i + 1;
        return tag;
    }

    QString value(qsizetype from, qint64 length) const
    {
        const QByteArrayView bytes = m_bytes.sliced(from, length);
        if (!m_utf8)
            return QString::fromLatin1(bytes);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return utf8(bytes);
    }

    // The field's data; false (with the problem set) when the file ends before it does.
    bool takeValue(const Tag &tag, QString *value)
    {
        const int line = m_line;
        if (tag.length > m_bytes.size() - tag.end) {
            m_problem = FileProblem {
                line,
                QStringLiteral("<%1:%2> asks for %2 characters, but the file ends after %3")
                    .arg(tag.name)
                    .arg(tag.length)
                    .arg(m_bytes.size() - tag.end)};
            return false;
        }
        *value = this->value(tag.end, tag.length);
        advance(tag.end + tag.length);
        return true;
    }

    // The header's fields up to <EOH>. A "<" that begins no field is part of its free text.
    bool readHeader()
    {
        const int start = m_line;
        while (true) {
            const qsizetype next = m_bytes.indexOf('<', m_pos);
            if (next < 0) {
                m_problem = FileProblem {
                    start,
                    QStringLiteral("the header that starts here has no <EOH>, so the "
                                   "file holds no records")};
                return false;
            }
            advance(next);
            QString why;
            const std::optional<Tag> tag = tagAt(&why);
            if (!tag || tag->kind == TagKind::EndOfRecord) {
                advance(m_pos + 1);
                continue;
            }
            if (tag->kind == TagKind::EndOfHeader) {
                advance(tag->end);
                return true;
            }
            QString text;
            if (!takeValue(*tag, &text))
                return false;
            m_header.insert(tag->name, text);
        }
    }

    // Reads up to the next <EOR> that ends a record with fields.
    std::optional<AdifRecord> nextRecord()
    {
        AdifRecord record;
        while (true) {
            const qsizetype next = m_bytes.indexOf('<', m_pos);
            if (next < 0)
                break;
            advance(next);
            QString why;
            const std::optional<Tag> tag = tagAt(&why);
            if (!tag) {
                m_problem = FileProblem {m_line, why};
                return std::nullopt;
            }
            if (tag->kind == TagKind::EndOfHeader) {
                // Some programs begin the header with a field instead of text: what came before
                // the first <EOH> was the header then.
                if (m_given > 0 || m_sawHeaderEnd) {
                    m_problem = FileProblem {
                        m_line, QStringLiteral("<EOH> here, after the header has ended")};
                    return std::nullopt;
                }
                m_sawHeaderEnd = true;
                m_header.insert(record.fields);
                record = AdifRecord();
                advance(tag->end);
                continue;
            }
            if (tag->kind == TagKind::EndOfRecord) {
                advance(tag->end);
                if (record.fields.isEmpty())
                    continue;
                ++m_given;
                return record;
            }
            if (record.fields.isEmpty())
                record.line = m_line;
            QString text;
            if (!takeValue(*tag, &text))
                return std::nullopt;
            if (!record.fields.contains(tag->name))
                record.fields.insert(tag->name, text);
        }
        if (!record.fields.isEmpty())
            m_problem = FileProblem {
                record.line,
                QStringLiteral(
                    "the record that starts here has no <EOR>: the file ends inside it")};
        return std::nullopt;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    int m_line = 1;
    bool m_utf8 = true;
    bool m_started = false;
    bool m_sawHeaderEnd = false;
    qint64 m_given = 0; // records given so far
    QHash<QString, QString> m_header;
    std::optional<FileProblem> m_problem;
};

AdifStream::AdifStream(QByteArrayView bytes)
    : m_reader(std::make_unique<AdifStreamReader>(bytes))
{
}

AdifStream::~AdifStream() = default;

std::optional<AdifRecord> AdifStream::next()
{
    return m_reader->next();
}

const std::optional<FileProblem> &AdifStream::problem() const
{
    return m_reader->problem();
}

const QHash<QString, QString> &AdifStream::header() const
{
    return m_reader->header();
}

namespace AdifReader {

AdifRead read(const QByteArray &bytes)
{
    AdifRead result;
    AdifStream stream(bytes);
    while (std::optional<AdifRecord> record = stream.next())
        result.content.records.append(std::move(*record));
    result.content.header = stream.header();
    result.problem = stream.problem();
    if (result.problem)
        result.content = AdifContent();
    return result;
}

} // namespace AdifReader
