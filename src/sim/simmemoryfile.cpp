#include "sim/simmemoryfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr const char *Header
    = "# vantelo-radio-sim memory channels: one programmed side a line, written as the radio's\n"
      "# memory-write command: MW, side (0 receive, 1 transmit), a blank, channel, hertz in 11\n"
      "# digits, mode digit, 0, tone flag, tone number, a blank and \";\".\n";

QByteArray writeCommand(int side, int channel, const SimMemorySide &data)
{
    // The memory reply and the memory write share their layout after the code.
    return "MW" + SimMemory::reply(side, channel, data).mid(2);
}

// A bad line as it can be shown in a message: short and printable.
QString shown(const QByteArray &line)
{
    QByteArray text = line.left(40);
    for (char &c : text) {
        if (c < ' ' || c > '~')
            c = '?';
    }
    return QString::fromLatin1(text) + (line.size() > 40 ? QStringLiteral("...") : QString());
}

} // namespace

namespace SimMemoryFile {

QByteArray toText(const SimMemoryBank &bank)
{
    QByteArray text = Header;
    for (int channel = 0; channel < SimChannelCount; ++channel) {
        const SimMemoryChannel &c = bank[channel];
        if (c.receive.hz != 0)
            text += writeCommand(0, channel, c.receive) + '\n';
        if (c.transmit.hz != 0)
            text += writeCommand(1, channel, c.transmit) + '\n';
    }
    return text;
}

std::optional<SimMemoryBank> fromText(const QByteArray &text, QString *error)
{
    SimMemoryBank bank {};
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        std::optional<SimMemory::Write> write;
        if (line.startsWith("MW") && line.endsWith(';'))
            write = SimMemory::parseWrite(line.mid(2, line.size() - 3));
        if (!write) {
            if (error)
                *error = QStringLiteral("line %1 is not a memory-write command such as "
                                        "\"MW0 000001420000020000 ;\": %2")
                             .arg(i + 1)
                             .arg(shown(line));
            return std::nullopt;
        }
        SimMemoryChannel &c = bank[write->channel];
        (write->side == 0 ? c.receive : c.transmit) = write->data;
    }
    return bank;
}

std::optional<SimMemoryBank> load(const QString &path, QString *error)
{
    auto fail = [&](const QString &why) -> std::optional<SimMemoryBank> {
        if (error)
            *error = path + QStringLiteral(": ") + why;
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return SimMemoryBank {};
    if (!info.isFile())
        return fail(QStringLiteral("not a file"));
    if (info.size() > MaxBytes)
        return fail(QStringLiteral("too large for a memory file (%1 bytes at most)").arg(MaxBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray text = file.read(MaxBytes + 1);
    if (text.size() > MaxBytes)
        return fail(QStringLiteral("too large for a memory file (%1 bytes at most)").arg(MaxBytes));
    QString why;
    const auto bank = fromText(text, &why);
    if (!bank)
        return fail(why);
    return bank;
}

bool save(const QString &path, const SimMemoryBank &bank, QString *error)
{
    QSaveFile file(path);
    const QByteArray text = toText(bank);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

} // namespace SimMemoryFile
