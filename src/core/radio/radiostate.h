// The radio state: the program's mirror of the radio, filled by the reply interpreter.
// Values are text as the radio sent them, except DownloadSwitch.
#pragma once

#include <QString>
#include <array>

struct RadioState
{
    // Readable by every window.
    QString Freq = QStringLiteral("999999999"); // last frequency read, kHz as text
    QString Mode; // mode digit
    QString VFO; // "0" VFO A, "1" VFO B, "2" memory
    QString Split; // "1" split on
    QString VFOAFreq; // kHz as text
    QString VFOBFreq;
    QString ToneOn; // tone switch digit
    QString ToneNum; // two-digit tone number
    QString FilterWidth;
    QString NBOn;
    QString AntNum;
    QString AGCOn; // "002" fast, "004" slow
    QString PlayBackNum;
    QString PCValue = QStringLiteral("000");
    QString PCLevel;
    QString MGValue = QStringLiteral("000");
    QString MGLevel;
    QString KSValue = QStringLiteral("000");
    QString KSLevel;
    QString SQValue;
    QString SQLevel;
    QString VGValue = QStringLiteral("000");
    QString VGLevel;
    QString VDValue = QStringLiteral("0000");
    QString VDLevel;
    qint16 DownloadSwitch = 0; // 1 while the memory download runs
    QString GMTOffset = QStringLiteral("0");

    // Used by the main window's own controls.
    QString ReplyCode;
    QString RITOn;
    QString XITOn;
    QString RITXITOffset;
    QString MemChannel;
    QString StartMemChannel; // the channel a memory step started from (set by Up/Down)
    QString replyMemChannel;
    QString TXState;
    QString LockOn;
    QString PreAmpOn;
    QString PowerOn;
    QString ProcOn;
    QString VoxOn;
    QString BCOn;
    QString BusyOn;
    QString NRMode;
    QString AttOn;
    QString CWTuneOn;
    QString ATState;
    QString ATTuning;

    // The start-up synchronisation.
    std::array<QString, 51> StartupCommands {};
    QString StartupCommand;
    qint16 StartupIndex = 0;
    qint16 StartupRetries = 0;
    QString StartupLoading = QStringLiteral("0");

    bool operator==(const RadioState &) const = default;
};
