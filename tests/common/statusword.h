// Builds replies in the radio's own layouts, for tests.
#pragma once

#include <QByteArray>
#include <QString>

struct StatusWord
{
    qint64 hz = 14200000;
    int offset = 0;
    char rit = '0';
    char xit = '0';
    int channel = 0;
    char mode = '2';
    char vfo = '0';
    char split = '0';
    char tone = '0';
    int toneNumber = 0;

    // "IF" + 11 digits + 5 blanks + sign and 4 digits + RIT + XIT + "0" + channel + TX/RX +
    // mode + function + scan + split + tone + tone number + "0" + ";" (38 characters).
    QByteArray reply() const
    {
        QByteArray r = "IF";
        r += QByteArray::number(hz).rightJustified(11, '0');
        r += "     ";
        r += offset < 0 ? '-' : '+';
        r += QByteArray::number(offset < 0 ? -offset : offset).rightJustified(4, '0');
        r += rit;
        r += xit;
        r += '0';
        r += QByteArray::number(channel).rightJustified(2, '0');
        r += '0';
        r += mode;
        r += vfo;
        r += '0';
        r += split;
        r += tone;
        r += QByteArray::number(toneNumber).rightJustified(2, '0');
        r += "0;";
        return r;
    }
};
