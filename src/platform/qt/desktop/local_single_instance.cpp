#include "platform/qt/desktop/local_single_instance.h"

#include "platform/posix/private_folder.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace qx::platform {

namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");

QString DefaultSocketPath(uid_t user)
{
    const std::optional<std::string> folder = PrivateRuntimeFolder(user);
    if (!folder) return {};
    return QDir(QFile::decodeName(QByteArray::fromStdString(*folder))).filePath(QStringLiteral("qxbeta.socket"));
}

bool IsPeerOf(const QLocalSocket& socket, uid_t user)
{
    return PeerUser(static_cast<int>(socket.socketDescriptor())) == user;
}

// Asks a running copy of `user` to raise its window; false when none of the
// user's copies answers there.
bool AskRunningCopy(const QString& path, uid_t user)
{
    if (!IsSocketOf(QFile::encodeName(path).toStdString(), user)) return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    if (!IsPeerOf(socket, user)) return false;
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

} // namespace

LocalSingleInstance::LocalSingleInstance() : LocalSingleInstance(DefaultSocketPath(::getuid()), ::getuid()) {}

LocalSingleInstance::LocalSingleInstance(QString socketPath, uid_t user) : m_path(std::move(socketPath)), m_user(user)
{
}

LocalSingleInstance::~LocalSingleInstance() = default;

InstanceClaim LocalSingleInstance::Claim(std::function<void()> onRaiseRequested)
{
    // Without a private folder there is no place to meet: this copy watches.
    if (m_path.isEmpty()) return InstanceClaim::First;
    if (AskRunningCopy(m_path, m_user)) return InstanceClaim::AlreadyRunning;

    QLocalServer::removeServer(m_path);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer& server = *m_server;
    const uid_t user = m_user;
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server, user, onRaiseRequested] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            if (!IsPeerOf(*socket, user)) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, onRaiseRequested] {
                if (socket->readAll().contains(kRaiseRequest.trimmed())) onRaiseRequested();
            });
        }
    });
    // A copy that cannot listen still watches; later copies then run too.
    server.listen(m_path);
    return InstanceClaim::First;
}

} // namespace qx::platform
