// The serial port as the program uses it: port number or device path, a settings text such as
// "9600,n,8,1", handshaking 0 to 3, open flag, output, input, the count of characters waiting
// to be sent, and one event (OnComm) carrying a numbered code. Built on QSerialPort; all I/O is
// asynchronous on the thread that owns the object.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

class CommPort : public QObject
{
    Q_OBJECT
public:
    // Event codes raised through OnComm.
    enum Event {
        comEvSend = 1,
        comEvReceive = 2,
        comEvCTS = 3,
        comEvDSR = 4,
        comEvCD = 5,
        comEvRing = 6,
        comEvEOF = 7,
        comEventBreak = 1001,
        comEventCTSTO = 1002,
        comEventDSRTO = 1003,
        comEventFrame = 1004,
        comEventOverrun = 1006,
        comEventCDTO = 1007,
        comEventRxOver = 1008,
        comEventRxParity = 1009,
        comEventTxFull = 1010,
        comEventDCB = 1011,
        comEventUnknown = 1099,
    };

    // Built-in values, used while nothing else has been applied.
    static constexpr const char *DefaultPort = "1";
    static constexpr const char *DefaultSettings = "9600,n,8,1";
    static constexpr int DefaultHandshaking = 0;

    explicit CommPort(QObject *parent = nullptr);
    ~CommPort() override;

    // The text an error event shows: "Framing Error" for 1004 and so on; "Unknown error or
    // event" for any code outside the table; empty for the non-error events 1 to 7.
    static QString eventText(int code);
    // A port number N is the platform's Nth legacy port (/dev/ttyS(N-1) on Linux, COMN on
    // Windows); anything else is taken as a device path as it stands. Empty for "0" or "".
    static QString devicePath(const QString &commPort);

    // Each setter returns false and leaves the last error text when the value is refused.
    // A number must be 1 or more ("Invalid Port Number" otherwise). Changing the port while it
    // is open is refused with "Port already open" (close it first); giving the port it already
    // has is accepted and changes nothing.
    bool setCommPort(const QString &numberOrPath);
    QString commPort() const { return m_commPort; }
    // The port number when the port is given as a number, else 0.
    int portNumber() const;

    // "speed,parity,databits,stopbits": speed a positive whole number, parity e/o/n/m/s in
    // either case, data bits 5 to 8, stop bits 1, 1.5 or 2. A text that does not fit gives
    // "Invalid property value"; one the driver refuses on the open port gives the driver's
    // reason. Either way the old settings stay. 1.5 stop bits go out as two where the driver
    // has no 1.5 (a receiver expecting 1.5 takes two), and are reported back as 1.5.
    bool setSettings(const QString &settings);
    QString settings() const; // with a lower-case parity letter

    // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS with XON/XOFF (RTS/CTS on the line, 3 reported
    // back); anything else gives "Invalid property value".
    bool setHandshaking(int code);
    int handshaking() const { return m_handshaking; }

    // Opening an open port, or closing a closed one, changes nothing and succeeds. A failed
    // open returns false with "Cannot open <device>: <reason>"; so does an open where the
    // driver refuses the settings (the port stays closed rather than run otherwise than it
    // reports).
    bool setPortOpen(bool open);
    bool portOpen() const;
    // True from the moment the device is reported gone until the port is opened again.
    bool deviceLost() const { return m_resourceLost; }

    // Writes the text as it is. Returns false, sends nothing and leaves the error text when
    // the port is closed or the write fails.
    bool output(const QByteArray &data);
    // All characters waiting, read at once.
    QByteArray input();
    qint64 inBufferCount() const;
    // Characters written but not yet sent to the line.
    qint64 outBufferCount() const;

    int commEvent() const { return m_event; }
    // Raises an event as the driver would (a line error the device cannot produce on demand:
    // used by the simulated radio and by tests).
    void raiseEvent(int code);
    // The description of the last failure (a refused value, an open or write that failed).
    QString lastError() const { return m_lastError; }

Q_SIGNALS:
    // Raised for each event; commEvent() tells which. Receive events come as soon as one
    // character is waiting. Errors of the running port: a failed transmission is
    // comEventTxFull; a failed read, a device that disappeared and any other driver error are
    // comEventUnknown. A failed read or a lost device is reported once and the port is then
    // closed; a failed transmission is reported once and the characters it could not send
    // are dropped (the port stays open). The same error again before a character has been
    // sent or received, or any error while an error event is being handled, is not raised
    // again. Failures of a call that returned false (open, settings, output) raise nothing.
    void OnComm();
    // The device has gone (before its error event is raised). Emitted for every loss, also
    // while the event of an earlier error is still being handled (its message box open).
    void deviceGone();

private:
    void raise(int code);
    void onErrorOccurred(QSerialPort::SerialPortError error);
    bool fail(const QString &text);
    bool applyLineSettings();

    QSerialPort *m_port = nullptr;
    QString m_commPort = QString::fromLatin1(DefaultPort);
    QString m_settings = QString::fromLatin1(DefaultSettings);
    int m_handshaking = DefaultHandshaking;
    int m_event = 0;
    QString m_lastError;
    bool m_resourceLost = false;
    bool m_inCall = false; // inside an explicit call whose result reports its own failure
    bool m_inErrorEvent = false;
    // The last run-time error reported, until a character moves again.
    QSerialPort::SerialPortError m_reportedError = QSerialPort::NoError;
};
