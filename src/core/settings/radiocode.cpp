#include "core/settings/radiocode.h"

namespace RadioCode {

std::optional<QByteArray> toCommand(const QString &typed)
{
    for (const QChar c : typed) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return std::nullopt;
    }
    return typed.toLatin1();
}

} // namespace RadioCode
