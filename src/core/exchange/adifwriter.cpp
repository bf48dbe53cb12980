#include "core/exchange/adifwriter.h"

namespace AdifWriter {

QByteArray field(const char *name, const QString &value)
{
    if (value.isEmpty())
        return QByteArray();
    const QByteArray data = value.toUtf8();
    return '<' + QByteArray(name) + ':' + QByteArray::number(data.size()) + '>' + data;
}

QByteArray header(const QDateTime &created)
{
    const QDateTime utc = created.toUTC();
    QByteArray text = "Vantelo logbook, exported " + utc.toString(Qt::ISODate).toLatin1() + "\n";
    text += field("ADIF_VER", QLatin1String(Version)) + '\n';
    text += field("PROGRAMID", QLatin1String(ProgramId)) + '\n';
    text += field("PROGRAMVERSION", QStringLiteral(VANTELO_VERSION)) + '\n';
    text += field("CREATED_TIMESTAMP", utc.toString(QStringLiteral("yyyyMMdd HHmmss"))) + '\n';
    text += "<EOH>\n";
    return text;
}

} // namespace AdifWriter
