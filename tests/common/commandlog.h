// Collects every command a Radio writes, in order. The port is closed in tests; the radio
// still reports each command it was asked to write.
#pragma once

#include "core/radio/radio.h"

#include <QObject>
#include <QStringList>

class CommandLog : public QObject
{
public:
    explicit CommandLog(Radio &radio)
    {
        connect(&radio, &Radio::commandWritten, this,
                [this](const QByteArray &command) { commands << QString::fromLatin1(command); });
    }

    QStringList take()
    {
        QStringList taken;
        taken.swap(commands);
        return taken;
    }

    QStringList commands;
};
