#include "sim/simmemorystore.h"

#include "sim/simmemoryfile.h"
#include "sim/simptyserver.h"

#include <QTimer>

SimMemoryStore::SimMemoryStore(SimPtyServer &server, const QString &path, int saveDelayMs,
                               QObject *parent)
    : QObject(parent)
    , m_server(server)
    , m_path(path)
{
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(saveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, [this] {
        if (!save())
            Q_EMIT saveFailed(m_error);
    });
    // A running timer is left alone, so that steady writes are still saved every delay.
    connect(&m_server, &SimPtyServer::memoryChanged, this, [this] {
        if (!m_saveTimer->isActive())
            m_saveTimer->start();
    });
}

bool SimMemoryStore::load()
{
    const auto bank = SimMemoryFile::load(m_path, &m_error);
    if (!bank)
        return false;
    m_server.radio().setChannels(*bank);
    m_savedRevision = m_server.radio().memoryRevision();
    return true;
}

bool SimMemoryStore::save()
{
    m_saveTimer->stop();
    const SimRadio &radio = m_server.radio();
    if (radio.memoryRevision() == m_savedRevision)
        return true;
    if (!SimMemoryFile::save(m_path, radio.channels(), &m_error))
        return false;
    m_savedRevision = radio.memoryRevision();
    return true;
}
