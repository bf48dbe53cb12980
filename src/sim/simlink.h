// A symbolic link that names the simulated radio's pseudo-terminal under a path of the user's
// choosing, so that a client can be given the same path for every run of the radio.
#pragma once

#include <QString>

class SimLink
{
public:
    SimLink() = default;
    ~SimLink() { remove(); }
    SimLink(const SimLink &) = delete;
    SimLink &operator=(const SimLink &) = delete;

    // Makes path a link to target, replacing in one step a symbolic link already there (left by
    // an earlier run). False, with errorString(), when anything else stands at path (it is left
    // alone) or the link cannot be made.
    bool place(const QString &path, const QString &target);
    // Removes the link, unless a later run has put its own link there meanwhile.
    void remove();
    QString errorString() const { return m_error; }

private:
    bool fail(const QString &why);

    QString m_path;
    QString m_target;
    QString m_error;
};
