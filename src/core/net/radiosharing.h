// Sharing the radio with other programs: the rigctld-compatible server on a TCP address and
// port, over the radio core. Off until apply() turns it on; apply() again rebinds or stops it.
#pragma once

#include "core/net/radiorigbackend.h"
#include "core/net/rigctlserver.h"

#include <QMetaType>
#include <QObject>
#include <QString>

struct SharingSettings
{
    static constexpr const char *DefaultAddress = "127.0.0.1";

    bool enabled = false;
    QString address = QString::fromLatin1(DefaultAddress);
    quint16 port = RigctlServer::DefaultPort;

    bool operator==(const SharingSettings &) const = default;
};

Q_DECLARE_METATYPE(SharingSettings)

class RadioSharing : public QObject
{
    Q_OBJECT
public:
    explicit RadioSharing(Radio &radio, QObject *parent = nullptr);
    ~RadioSharing() override;

    // Starts, rebinds or stops the server. False when the server should run but cannot: the
    // address is no IP address, or the system refuses it or the port (statusText() says why;
    // the server is then stopped).
    bool apply(const SharingSettings &settings);
    const SharingSettings &settings() const { return m_settings; }
    // Stops serving for the rest of the run (the program is ending): clients are dropped, and
    // a transmitter a client keyed is released while the port is still open.
    void stop();
    bool isSharing() const { return m_server.isListening(); }
    // One line for the status bar: empty while off. It names the last client request that
    // failed to change the radio ("\"I 7075000\" failed: the radio did not confirm it").
    QString statusText() const { return m_status; }

    RigctlServer &server() { return m_server; }
    RadioRigBackend &backend() { return m_backend; }

    // True for an address only this computer can reach (127.0.0.1, ::1 and the like).
    static bool isLocalOnly(const QString &address);

Q_SIGNALS:
    void statusChanged(const QString &text);

private:
    void updateStatus(const QString &failure = QString());

    RadioRigBackend m_backend;
    RigctlServer m_server;
    SharingSettings m_settings;
    QString m_status;
    QString m_lastFailure;
};
