#include "RunningCopy.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "ProgramFolder.h"

namespace {

const QByteArray ComeForward = QByteArrayLiteral("show\n");
const QByteArray Done = QByteArrayLiteral("ok\n");
// A request is one short line: anything longer is not one of ours.
constexpr qint64 MaxRequest = 64;

} // namespace

RunningCopy::RunningCopy(QObject* parent)
    : QObject(parent)
{
}

RunningCopy::~RunningCopy() = default;

QString RunningCopy::ServerName(const QString& lockPath)
{
    const QByteArray hash = QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString name
        = ProgramFolder::ProductName() + QLatin1Char('-') + QString::fromLatin1(hash) + QLatin1String(".socket");
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? name : runtime + QLatin1Char('/') + name;
}

bool RunningCopy::Listen(const QString& name, QString* reason)
{
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Whoever made this name before us has gone: we hold the lock of the files it guarded.
    QLocalServer::removeServer(name);
    if (!server->listen(name)) {
        if (reason) {
            *reason = server->errorString();
        }
        return false;
    }
    connect(server.get(), &QLocalServer::newConnection, this, &RunningCopy::Answer);
    m_server = std::move(server);
    return true;
}

void RunningCopy::Answer()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > MaxRequest) {
                    socket->abort();
                }
                return;
            }
            const QByteArray request = socket->readLine(MaxRequest + 1);
            if (request == ComeForward) {
                socket->write(Done);
                socket->flush();
                emit ComeForwardAsked();
            }
            socket->disconnectFromServer();
        });
    }
}

bool RunningCopy::AskToComeForward(const QString& name, QString* reason, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    auto left = [&] { return std::max(1, timeoutMs - static_cast<int>(clock.elapsed())); };
    QLocalSocket socket;
    socket.connectToServer(name);
    QString failure;
    if (!socket.waitForConnected(left())) {
        failure = socket.errorString();
    } else {
        socket.write(ComeForward);
        if (!socket.waitForBytesWritten(left())) {
            failure = socket.errorString();
        } else {
            while (!socket.canReadLine() && socket.waitForReadyRead(left())) { }
            if (socket.readLine(MaxRequest) != Done) {
                failure = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
            }
        }
    }
    socket.abort();
    if (!failure.isEmpty() && reason) {
        *reason = failure;
    }
    return failure.isEmpty();
}
