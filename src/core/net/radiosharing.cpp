#include "core/net/radiosharing.h"

#include "core/net/rigcaps.h"

#include <QHostAddress>

namespace {

QString failureText(RigError error)
{
    switch (error) {
    case RigError::InvalidParameter:
        return RadioSharing::tr("not a value the radio takes");
    case RigError::Timeout:
        return RadioSharing::tr("the radio did not confirm it");
    case RigError::Io:
        return RadioSharing::tr("the radio is out of reach");
    case RigError::Rejected:
        return RadioSharing::tr("the radio refused it");
    case RigError::NotAvailable:
        return RadioSharing::tr("not possible in the radio's present state");
    default:
        break;
    }
    return RadioSharing::tr("error %1").arg(int(error));
}

} // namespace

RadioSharing::RadioSharing(Radio &radio, QObject *parent)
    : QObject(parent)
    , m_backend(radio)
    , m_server(m_backend)
{
    RigctlSession::Limits limits;
    // Long enough for a request that waits for a transfer to end and then for a slow line.
    limits.answerTimeoutMs = RigCaps::AnswerTimeoutMs;
    m_server.setLimits(limits);
    connect(&m_server, &RigctlServer::clientCountChanged, this, [this] { updateStatus(); });
    connect(&m_server, &RigctlServer::setFailed, this,
            [this](const QString &request, RigError error) {
                m_lastFailure = tr("\"%1\" failed: %2").arg(request, failureText(error));
                updateStatus();
            });
}

RadioSharing::~RadioSharing()
{
    // The clients go before the backend they are answered through.
    m_server.close();
}

void RadioSharing::stop()
{
    m_server.close();
    m_lastFailure.clear();
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
        if (!m_lastFailure.isEmpty())
            text += QStringLiteral(". ") + m_lastFailure;
    }
    if (text == m_status)
        return;
    m_status = text;
    Q_EMIT statusChanged(text);
}
