// SPDX-License-Identifier: GPL-3.0-or-later
#include "instancechannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QByteArray ShowRequest = "show\n";
const QByteArray ShowAnswer = "shown\n";
// A caller says its line within this time and length, or is dropped.
constexpr int ClientMs = 1000;
constexpr qint64 ClientBytes = 64;

} // namespace

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent) {}

InstanceChannel::~InstanceChannel()
{
    // The socket goes with the program (a killed program's socket is removed by the next
    // listener of the folder).
    if (m_server)
        m_server->close();
}

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
    const QString name = QStringLiteral("labelstation-") + QString::fromLatin1(hash);
#ifdef Q_OS_UNIX
    // In the user's own runtime folder (XDG_RUNTIME_DIR, mode 0700), not in /tmp where anyone
    // could compute the name and be there first.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(name);
#endif
    return name;
}

bool InstanceChannel::listen(const QString &dataDir)
{
    delete m_server;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverName(dataDir);
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // A caller that says no whole line in time is let go.
            QTimer::singleShot(ClientMs, socket, [socket] {
                socket->abort();
                socket->deleteLater();
            });
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > ClientBytes) {
                        socket->abort();
                        socket->deleteLater();
                    }
                    return;
                }
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
