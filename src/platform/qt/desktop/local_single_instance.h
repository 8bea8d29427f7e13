#pragma once

// One watching copy per user through a local socket in a folder only the
// user may enter (platform/posix/private_folder.h). The first copy listens;
// a later copy connects, asks it to raise its window and ends. Only the
// user's own copies count: a later copy trusts the socket only when the
// user owns it and the process behind it runs as the user, and the first
// copy answers only connections from the user's processes. A socket left by
// a copy that crashed, or one that is not trusted, is replaced, and the
// later copy then watches on its own.

#include "platform/single_instance.h"

#include <QString>

#include <memory>

#include <sys/types.h>

class QLocalServer;

namespace qx::platform {

class LocalSingleInstance final : public SingleInstance {
public:
    // For the calling process's user, in the user's private folder.
    LocalSingleInstance();
    // For `user`, at `socketPath` (an empty path: no single copy, every
    // copy watches).
    LocalSingleInstance(QString socketPath, uid_t user);
    ~LocalSingleInstance() override;

    InstanceClaim Claim(std::function<void()> onRaiseRequested) override;

    const QString& SocketPath() const { return m_path; }

private:
    QString m_path;
    uid_t m_user;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace qx::platform
