#pragma once

// One watching copy per user through a local socket in the user's runtime
// directory ($XDG_RUNTIME_DIR, else the temporary directory with the user's
// number in the name). The first copy listens; a later copy connects, asks
// it to raise its window and ends. A socket left by a copy that crashed is
// replaced.

#include "platform/single_instance.h"

#include <QString>

#include <memory>

class QLocalServer;

namespace qx::platform {

class LocalSingleInstance final : public SingleInstance {
public:
    LocalSingleInstance();
    ~LocalSingleInstance() override;

    InstanceClaim Claim(std::function<void()> onRaiseRequested) override;

    // The socket's path.
    static QString SocketPath();

private:
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace qx::platform
