#include "core/settings/portsettingstext.h"

namespace PortSettingsText {

QStringList speeds()
{
    return {QStringLiteral("110"),   QStringLiteral("300"),    QStringLiteral("600"),
            QStringLiteral("1200"),  QStringLiteral("2400"),   QStringLiteral("4800"),
            QStringLiteral("9600"),  QStringLiteral("14400"),  QStringLiteral("19200"),
            QStringLiteral("28800"), QStringLiteral("38400"),  QStringLiteral("56000"),
            QStringLiteral("57600"), QStringLiteral("115200"), QStringLiteral("128000"),
            QStringLiteral("256000")};
}

QStringList dataBits()
{
    return {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
            QStringLiteral("8")};
}

QStringList parities()
{
    return {QStringLiteral("Even"), QStringLiteral("Odd"), QStringLiteral("None"),
            QStringLiteral("Mark"), QStringLiteral("Space")};
}

QStringList stopBits()
{
    return {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};
}

QString parityName(QChar letter)
{
    switch (letter.unicode()) {
    case 'e':
        return QStringLiteral("Even");
    case 'o':
        return QStringLiteral("Odd");
    case 'n':
        return QStringLiteral("None");
    case 'm':
        return QStringLiteral("Mark");
    case 's':
        return QStringLiteral("Space");
    default:
        return {};
    }
}

Fields parse(const QString &settings)
{
    // Layout from the right: speed "," parity "," data bits "," stop bits, where the stop
    // bits take k + 1 characters.
    const qsizetype k = settings.contains(QLatin1Char('.')) ? 2 : 0;
    const qsizetype speedLength = settings.size() - 6 - k;
    if (speedLength < 1)
        return {};
    const QChar comma(QLatin1Char(','));
    if (settings.count(comma) != 3 || settings.at(speedLength) != comma
        || settings.at(speedLength + 2) != comma || settings.at(speedLength + 4) != comma)
        return {};

    Fields fields;
    fields.speed = settings.left(speedLength);
    fields.parity = parityName(settings.at(speedLength + 1));
    fields.dataBits = settings.mid(speedLength + 3, 1);
    fields.stopBits = settings.right(k + 1);
    return fields;
}

QString compose(const Fields &fields)
{
    const QString letter = fields.parity.left(1);
    return fields.speed.trimmed() + QLatin1Char(',') + letter + QLatin1Char(',')
        + fields.dataBits.trimmed() + QLatin1Char(',') + fields.stopBits.trimmed();
}

} // namespace PortSettingsText
