#include "core/radio/commport.h"

#include <QFileInfo>
#include <QMetaObject>

#include <array>
#include <optional>

namespace {

// The texts of the error events, by code.
struct EventName
{
    int code;
    const char *text;
};

constexpr std::array<EventName, 10> ErrorTexts {{
    {CommPort::comEventBreak, "Break Received"},
    {CommPort::comEventCTSTO, "CTS Timeout"},
    {CommPort::comEventDSRTO, "DSR Timeout"},
    {CommPort::comEventFrame, "Framing Error"},
    {CommPort::comEventOverrun, "Overrun Error"},
    {CommPort::comEventCDTO, "Carrier Detect Timeout"},
    {CommPort::comEventRxOver, "Receive Buffer Overflow"},
    {CommPort::comEventRxParity, "Parity Error"},
    {CommPort::comEventTxFull, "Transmit Buffer Full"},
    {CommPort::comEventDCB, "Error retrieving DCB"},
}};

constexpr const char *UnknownEventText = "Unknown error or event";
constexpr const char *InvalidValueText = "Invalid property value";
constexpr const char *InvalidPortText = "Invalid Port Number";
constexpr const char *PortOpenText = "Port already open";
constexpr const char *PortClosedText = "Port is closed";

// Largest port number the 16-bit property can hold.
constexpr int MaxPortNumber = 32767;

// Only Windows drivers know 1.5 stop bits; elsewhere the line sends two, which a receiver
// expecting 1.5 accepts.
#ifdef Q_OS_WIN
constexpr QSerialPort::StopBits OneAndHalfStopBits = QSerialPort::OneAndHalfStop;
#else
constexpr QSerialPort::StopBits OneAndHalfStopBits = QSerialPort::TwoStop;
#endif

// One parsed settings text.
struct LineSettings
{
    qint32 speed = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QChar parityLetter = u'n';
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString stopText = QStringLiteral("1");

    QString text() const
    {
        return QStringLiteral("%1,%2,%3,%4")
            .arg(speed)
            .arg(parityLetter)
            .arg(int(dataBits))
            .arg(stopText);
    }
};

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// A port given as a whole number, with or without sign and blanks around it.
bool isNumber(const QString &text)
{
    QStringView t = QStringView(text).trimmed();
    if (t.startsWith(u'+') || t.startsWith(u'-'))
        t = t.mid(1);
    return allDigits(t);
}

// The port number a numeric text stands for; 0 when it is out of range.
int numberOf(const QString &text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok && n > 0 && n <= MaxPortNumber ? int(n) : 0;
}

// "speed,parity,databits,stopbits"; blanks around a field are allowed, anything else that
// does not fit gives nothing.
std::optional<LineSettings> parseSettings(const QString &text)
{
    const QStringList fields = text.split(u',');
    if (fields.size() != 4)
        return std::nullopt;
    LineSettings s;

    const QString speedText = fields.at(0).trimmed();
    bool ok = false;
    const qint32 speed = speedText.toInt(&ok);
    if (!allDigits(speedText) || !ok || speed <= 0)
        return std::nullopt;
    s.speed = speed;

    const QString parityText = fields.at(1).trimmed().toLower();
    if (parityText.size() != 1)
        return std::nullopt;
    s.parityLetter = parityText.at(0);
    switch (s.parityLetter.unicode()) {
    case u'e':
        s.parity = QSerialPort::EvenParity;
        break;
    case u'o':
        s.parity = QSerialPort::OddParity;
        break;
    case u'n':
        s.parity = QSerialPort::NoParity;
        break;
    case u'm':
        s.parity = QSerialPort::MarkParity;
        break;
    case u's':
        s.parity = QSerialPort::SpaceParity;
        break;
    default:
        return std::nullopt;
    }

    const QString dataText = fields.at(2).trimmed();
    if (dataText == u"5")
        s.dataBits = QSerialPort::Data5;
    else if (dataText == u"6")
        s.dataBits = QSerialPort::Data6;
    else if (dataText == u"7")
        s.dataBits = QSerialPort::Data7;
    else if (dataText == u"8")
        s.dataBits = QSerialPort::Data8;
    else
        return std::nullopt;

    s.stopText = fields.at(3).trimmed();
    if (s.stopText == u"1")
        s.stopBits = QSerialPort::OneStop;
    else if (s.stopText == u"1.5")
        s.stopBits = OneAndHalfStopBits;
    else if (s.stopText == u"2")
        s.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return s;
}

std::optional<QSerialPort::FlowControl> flowFor(int handshaking)
{
    switch (handshaking) {
    case 0:
        return QSerialPort::NoFlowControl;
    case 1:
        return QSerialPort::SoftwareControl;
    case 2:
    case 3: // the driver has no combined mode: RTS/CTS carries it
        return QSerialPort::HardwareControl;
    default:
        return std::nullopt;
    }
}

// Run-time driver errors as event codes. Only a failed transmission has a code of its own;
// everything else (a read that fails, the device gone, an error the driver cannot name) is
// the unknown event.
int eventFor(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::WriteError:
        return CommPort::comEventTxFull;
    default:
        return CommPort::comEventUnknown;
    }
}

} // namespace

CommPort::CommPort(QObject *parent)
    : QObject(parent)
    , m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, [this] {
        m_reportedError = QSerialPort::NoError;
        raise(comEvReceive);
    });
    connect(m_port, &QSerialPort::bytesWritten, this,
            [this] { m_reportedError = QSerialPort::NoError; });
    connect(m_port, &QSerialPort::errorOccurred, this, &CommPort::onErrorOccurred);
    applyLineSettings();
}

CommPort::~CommPort()
{
    // Closing here keeps the driver's error signal from reaching a half-destroyed object.
    m_port->disconnect(this);
    if (m_port->isOpen())
        m_port->close();
}

QString CommPort::eventText(int code)
{
    if (code >= comEvSend && code <= comEvEOF)
        return {};
    for (const EventName &e : ErrorTexts) {
        if (e.code == code)
            return QString::fromLatin1(e.text);
    }
    return QString::fromLatin1(UnknownEventText);
}

QString CommPort::devicePath(const QString &commPort)
{
    if (commPort.trimmed().isEmpty())
        return {};
    if (!isNumber(commPort))
        return commPort;
    const int number = numberOf(commPort);
    if (number == 0)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

bool CommPort::setCommPort(const QString &numberOrPath)
{
    if (devicePath(numberOrPath).isEmpty())
        return fail(QString::fromLatin1(InvalidPortText));
    const QString value
        = isNumber(numberOrPath) ? QString::number(numberOf(numberOrPath)) : numberOrPath;
    if (value == m_commPort)
        return true;
    if (m_port->isOpen())
        return fail(QString::fromLatin1(PortOpenText));
    m_commPort = value;
    return true;
}

int CommPort::portNumber() const
{
    return isNumber(m_commPort) ? numberOf(m_commPort) : 0;
}

bool CommPort::setSettings(const QString &settings)
{
    const std::optional<LineSettings> parsed = parseSettings(settings);
    if (!parsed)
        return fail(QString::fromLatin1(InvalidValueText));
    const QString old = m_settings;
    m_settings = parsed->text();
    if (applyLineSettings())
        return true;
    // The driver refused part of it: put the old settings back as they were.
    const QString reason = m_lastError;
    m_settings = old;
    applyLineSettings();
    return fail(reason);
}

QString CommPort::settings() const
{
    return m_settings;
}

bool CommPort::setHandshaking(int code)
{
    const std::optional<QSerialPort::FlowControl> flow = flowFor(code);
    if (!flow)
        return fail(QString::fromLatin1(InvalidValueText));
    const QSerialPort::FlowControl old = m_port->flowControl();
    m_inCall = true;
    const bool ok = m_port->setFlowControl(*flow);
    const QString reason = m_port->errorString();
    if (!ok) {
        m_port->setFlowControl(old);
        m_port->clearError();
    }
    m_inCall = false;
    if (!ok)
        return fail(reason);
    m_handshaking = code;
    return true;
}

bool CommPort::setPortOpen(bool open)
{
    if (!open) {
        if (m_port->isOpen()) {
            m_inCall = true;
            m_port->close();
            m_port->clearError();
            m_inCall = false;
        }
        return true;
    }
    if (m_port->isOpen())
        return true;
    const QString path = devicePath(m_commPort);
    if (path.isEmpty())
        return fail(QString::fromLatin1(InvalidPortText));
    m_port->setPortName(path);
    m_inCall = true;
    const bool ok = m_port->open(QIODevice::ReadWrite);
    QString reason = m_port->errorString();
    // The driver refuses a device that another program holds (its lock file, or exclusive use)
    // as a permission error; with the device's permissions in order, that is what it is.
    const QFileInfo device(path);
    if (!ok && m_port->error() == QSerialPort::PermissionError && device.isReadable()
        && device.isWritable())
        reason = QStringLiteral("it is in use by another program");
    m_port->clearError();
    m_inCall = false;
    if (!ok)
        return fail(QStringLiteral("Cannot open %1: %2").arg(path, reason));
    // The driver takes the settings for good only on the open device: one it refuses there
    // would leave the line running otherwise than the port reports.
    if (!applyLineSettings()) {
        const QString refused = m_lastError;
        setPortOpen(false);
        return fail(QStringLiteral("Cannot open %1: %2").arg(path, refused));
    }
    m_resourceLost = false;
    m_reportedError = QSerialPort::NoError;
    return true;
}

bool CommPort::portOpen() const
{
    return m_port->isOpen();
}

bool CommPort::output(const QByteArray &data)
{
    if (!m_port->isOpen())
        return fail(QString::fromLatin1(PortClosedText));
    if (data.isEmpty())
        return true;
    m_inCall = true;
    const qint64 written = m_port->write(data);
    const QString reason = m_port->errorString();
    if (written != data.size())
        m_port->clearError();
    m_inCall = false;
    if (written != data.size())
        return fail(reason);
    // The port would hand the characters to the line on its next turn of the event loop; handing
    // them over now saves the program a wake-up for every command. A failure here comes as the
    // port's error event, as it would have on that turn.
    m_port->flush();
    return true;
}

QByteArray CommPort::input()
{
    if (!m_port->isOpen())
        return {};
    return m_port->readAll();
}

qint64 CommPort::inBufferCount() const
{
    return m_port->isOpen() ? m_port->bytesAvailable() : 0;
}

qint64 CommPort::outBufferCount() const
{
    return m_port->isOpen() ? m_port->bytesToWrite() : 0;
}

void CommPort::raiseEvent(int code)
{
    raise(code);
}

void CommPort::raise(int code)
{
    const bool error = code > comEvEOF;
    // An error that comes while an error event is still being handled (its message box open)
    // is the same failure seen again: it is not reported twice.
    if (error && m_inErrorEvent)
        return;
    m_event = code;
    if (!error) {
        Q_EMIT OnComm();
        return;
    }
    m_inErrorEvent = true;
    Q_EMIT OnComm();
    m_inErrorEvent = false;
}

void CommPort::onErrorOccurred(QSerialPort::SerialPortError error)
{
    // Failures of an explicit call are that call's result, not an event.
    if (error == QSerialPort::NoError || m_inCall)
        return;
    if (m_resourceLost)
        return;
    // The same failure again before the line has moved a character is not news.
    if (error == m_reportedError)
        return;
    m_reportedError = error;
    if (error == QSerialPort::WriteError) {
        // The driver retries a write that failed at once, and fails again: the characters it
        // could not send are dropped (the failure is reported) so that the line does not spin.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_port->isOpen())
                    m_port->clear(QSerialPort::Output);
            },
            Qt::QueuedConnection);
    }
    const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (lost) {
        // A device that is gone, or that cannot be read, fails again at once: report it once
        // and close the port, once the driver has finished its own handling.
        m_resourceLost = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_resourceLost)
                    setPortOpen(false);
            },
            Qt::QueuedConnection);
    }
    // The driver's text for a lost device often carries a stale system message: name the
    // device instead.
    m_lastError = lost ? QStringLiteral("Lost the connection to %1").arg(devicePath(m_commPort))
                       : m_port->errorString();
    m_port->clearError();
    if (lost)
        Q_EMIT deviceGone();
    raise(eventFor(error));
}

bool CommPort::fail(const QString &text)
{
    m_lastError = text;
    return false;
}

bool CommPort::applyLineSettings()
{
    const std::optional<LineSettings> s = parseSettings(m_settings);
    if (!s)
        return fail(QString::fromLatin1(InvalidValueText));
    m_inCall = true;
    const QSerialPort::FlowControl flow
        = flowFor(m_handshaking).value_or(QSerialPort::NoFlowControl);
    const bool ok = m_port->setBaudRate(s->speed) && m_port->setParity(s->parity)
        && m_port->setDataBits(s->dataBits) && m_port->setStopBits(s->stopBits)
        && m_port->setFlowControl(flow);
    const QString reason = m_port->errorString();
    m_port->clearError();
    m_inCall = false;
    if (!ok)
        return fail(reason);
    return true;
}
