// Keeps the simulated radio's memory channels in a file while it serves: they are loaded at the
// start, saved a moment after a memory write has changed them (an upload's 200 writes are a few
// saves, not 200) and saved once more at the end.
#pragma once

#include <QObject>
#include <QString>

class QTimer;
class SimPtyServer;

class SimMemoryStore : public QObject
{
    Q_OBJECT
public:
    static constexpr int SaveDelayMs = 250;

    SimMemoryStore(SimPtyServer &server, const QString &path, int saveDelayMs = SaveDelayMs,
                   QObject *parent = nullptr);

    // Puts the file's channels into the radio. False, with errorString(), when the file cannot
    // be read or is not a memory file; the radio is then left as it was.
    bool load();
    // Saves the channels now if they changed since the last load or save.
    bool save();
    QString errorString() const { return m_error; }

Q_SIGNALS:
    // A save after a change failed; serving goes on, and the next change tries again.
    void saveFailed(const QString &error);

private:
    SimPtyServer &m_server;
    QString m_path;
    QTimer *m_saveTimer = nullptr;
    quint64 m_savedRevision = 0;
    QString m_error;
};
