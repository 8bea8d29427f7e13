#include "platform/qt/desktop/local_single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace qx::platform {

namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");

// Asks a running copy to raise its window; false when none answers.
bool AskRunningCopy(const QString& path)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

} // namespace

LocalSingleInstance::LocalSingleInstance() = default;
LocalSingleInstance::~LocalSingleInstance() = default;

QString LocalSingleInstance::SocketPath()
{
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(QStringLiteral("qxbeta.socket"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("qxbeta-%1.socket").arg(::getuid()));
}

InstanceClaim LocalSingleInstance::Claim(std::function<void()> onRaiseRequested)
{
    const QString path = SocketPath();
    if (AskRunningCopy(path)) return InstanceClaim::AlreadyRunning;

    QLocalServer::removeServer(path);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer& server = *m_server;
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server, onRaiseRequested] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, onRaiseRequested] {
                if (socket->readAll().contains(kRaiseRequest.trimmed())) onRaiseRequested();
            });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    // A copy that cannot listen still watches; later copies then run too.
    server.listen(path);
    return InstanceClaim::First;
}

} // namespace qx::platform
