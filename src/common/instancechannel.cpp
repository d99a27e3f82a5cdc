#include "instancechannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray ShowRequest = "show\n";
const QByteArray ShowAnswer = "shown\n";

} // namespace

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent) {}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::serverName(const QString &dataDir)
{
    const QFileInfo info(dataDir);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = info.absoluteFilePath();
#ifdef Q_OS_WIN
    path = path.toLower();
#endif
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("labelstation-") + QString::fromLatin1(hash);
}

bool InstanceChannel::listen(const QString &dataDir)
{
    delete m_server;
    m_server = new QLocalServer(this);
    const QString name = serverName(dataDir);
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == ShowRequest) {
                    Q_EMIT showRequested();
                    socket->write(ShowAnswer);
                    socket->flush();
                }
                socket->disconnectFromServer();
            });
        }
    });
    return true;
}

bool InstanceChannel::askToShow(const QString &dataDir, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(dataDir));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(ShowRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (!socket.waitForReadyRead(timeoutMs))
            break;
        answer += socket.readAll();
    }
    return answer == ShowAnswer;
}
