#include "core/exchange/exchangefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace ExchangeFile {

std::optional<QByteArray> read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > MaxBytes) {
        *error = QStringLiteral("%1 is larger than %2 MB; nothing was read.")
                     .arg(path)
                     .arg(MaxBytes / (1024 * 1024));
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return bytes;
}

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

QString decoded(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(view);
}

std::optional<QChar> controlCharacter(QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0x7f)
            return c;
    }
    return std::nullopt;
}

QString controlCharacterProblem(const QString &field, const QString &text, QChar control)
{
    QString shown = text.left(30);
    for (QChar &c : shown) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char('?');
    }
    if (text.size() > 30)
        shown += QStringLiteral("...");
    return QStringLiteral("%1 \"%2\" holds the control character U+%3")
        .arg(field, shown,
             QString::number(control.unicode(), 16).rightJustified(4, QLatin1Char('0')).toUpper());
}

} // namespace ExchangeFile
