// The simulated radio at the other end of a Radio whose port is closed: every command the
// Radio writes goes to the simulation, and the answer arrives as received text on the next
// turn of the event loop, as it would from the port. Commands named in `unanswered` get no
// answer (a reply lost on the line).
#pragma once

#include "core/radio/radio.h"
#include "sim/simradio.h"

#include <QByteArrayList>
#include <QObject>
#include <QSet>
#include <QTimer>

class SimLink : public QObject
{
public:
    explicit SimLink(Radio &radio)
    {
        connect(&radio, &Radio::commandWritten, this, [this, &radio](const QByteArray &command) {
            commands << command;
            const QByteArray answer = sim.handle(command);
            if (answer.isEmpty() || unanswered.contains(command))
                return;
            QTimer::singleShot(0, this, [&radio, answer] { radio.receive(answer); });
        });
    }

    SimRadio sim;
    QByteArrayList commands;
    QSet<QByteArray> unanswered;
};
