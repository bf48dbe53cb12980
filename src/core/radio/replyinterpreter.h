// Turns one reply of the radio into radio state and display. Each reply is recognised by its
// two letters; a reply that does not fit its code's layout (ReplyLayouts) changes nothing.
#pragma once

#include "core/radio/radiodisplay.h"
#include "core/radio/radiostate.h"

#include <QByteArray>
#include <QStringView>
#include <functional>

class ReplyFields;

class ReplyInterpreter
{
public:
    using DisplayAccess = std::function<RadioDisplay &()>;
    using Sender = std::function<void(const QByteArray &)>;

    ReplyInterpreter(RadioState &state, DisplayAccess display, Sender send);

    // reply: the text before ";", starting with the two-letter code.
    void interpret(QStringView reply);

private:
    void statusWord(const ReplyFields &r);
    void vfoFrequency(const ReplyFields &r, bool vfoA);
    void mode(const ReplyFields &r);
    void toneOn(const ReplyFields &r);
    void cwTune(const ReplyFields &r);
    void filterWidth(const ReplyFields &r);
    void ifShift(const ReplyFields &r);
    void level(const ReplyFields &r, int code);
    void mainSlider(const ReplyFields &r, int code);
    void switchReply(const ReplyFields &r, int code);
    void transmit(bool tx);
    void memory(const ReplyFields &r);
    void showRitXit(qint64 freqHz, qint64 offsetHz);
    void showMode();
    void showSplit(const QString &transmitKhz);

    RadioDisplay &display() { return m_display(); }

    RadioState &m_state;
    DisplayAccess m_display;
    Sender m_send;
};
