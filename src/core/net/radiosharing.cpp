#include "core/net/radiosharing.h"

#include <QHostAddress>

namespace {

// Long enough for a request that waits for a transfer to end and then for a slow line.
constexpr int ClientAnswerTimeoutMs = 20000;

} // namespace

RadioSharing::RadioSharing(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_backend(radio)
    , m_server(m_backend)
{
    RigctlSession::Limits limits;
    limits.answerTimeoutMs = ClientAnswerTimeoutMs;
    m_server.setLimits(limits);
    connect(&m_server, &RigctlServer::clientCountChanged, this, [this] { updateStatus(); });
}

RadioSharing::~RadioSharing()
{
    // The clients go before the backend they are answered through.
    m_server.close();
}

void RadioSharing::stop()
{
    m_server.close();
    updateStatus();
}

bool RadioSharing::isLocalOnly(const QString &address)
{
    const QHostAddress host(address);
    return !host.isNull() && host.isLoopback();
}

bool RadioSharing::apply(const SharingSettings &settings)
{
    m_settings = settings;
    if (!settings.enabled) {
        m_server.close();
        updateStatus();
        return true;
    }
    const QHostAddress host(settings.address.trimmed());
    if (host.isNull()) {
        m_server.close();
        updateStatus(tr("\"%1\" is not an IP address").arg(settings.address));
        return false;
    }
    const bool sameBinding
        = m_server.isListening() && m_server.address() == host && m_server.port() == settings.port;
    if (sameBinding)
        return true;
    m_server.close();
    if (!m_server.listen(host, settings.port)) {
        const QString error = m_server.errorString();
        m_server.close();
        updateStatus(error);
        return false;
    }
    updateStatus();
    return true;
}

void RadioSharing::updateStatus(const QString &failure)
{
    QString text;
    const QString where = QStringLiteral("%1:%2").arg(m_settings.address).arg(m_settings.port);
    if (!failure.isEmpty()) {
        text = tr("The radio cannot be shared on %1: %2").arg(where, failure);
    } else if (m_server.isListening()) {
        const int clients = m_server.clientCount();
        text = clients == 1 ? tr("Radio shared on %1, 1 client").arg(where)
                            : tr("Radio shared on %1, %2 clients").arg(where).arg(clients);
    }
    if (text == m_status)
        return;
    m_status = text;
    Q_EMIT statusChanged(text);
}
