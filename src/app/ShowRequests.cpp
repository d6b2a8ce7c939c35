#include "ShowRequests.h"

#include "base/FailureText.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace tankeli {
namespace {

using namespace std::chrono_literals;

constexpr QByteArrayView request("Tankeli: nayta ikkuna\n");
constexpr QByteArrayView answer("Tankeli: ikkuna esilla\n");
constexpr int maxConnections = 8;
constexpr auto silenceLimit = 2s;
constexpr auto retryPause = 50ms;

} // namespace

QString channelName(const ProgramFolders &folders)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return {};
    const QFileInfo data(folders.dataFolder());
    const QString path = data.exists() ? data.canonicalFilePath() : data.absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha256);
    return runtime + QStringLiteral("/tankeli-") + QString::fromLatin1(hash.toHex().left(16));
}

ShowRequests::ShowRequests(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &ShowRequests::accept);
}

Done ShowRequests::listen(const QString &name)
{
    if (name.isEmpty())
        return Done::failure(QStringLiteral("Käyttäjän ajonaikaista kansiota ei ole, joten toinen "
                                            "käynnistys ei voi tuoda tätä ikkunaa esiin."));
    struct stat left;
    if (::lstat(QFile::encodeName(name).constData(), &left) == 0) {
        // Listening would put the socket in place of whatever is there.
        if (!S_ISSOCK(left.st_mode))
            return Done::failure(QStringLiteral("Pistoketta %1 ei voitu avata: samanniminen tiedosto on jo "
                                                "olemassa. Toinen käynnistys ei siksi voi tuoda tätä "
                                                "ikkunaa esiin.").arg(shownPath(name)));
        QLocalServer::removeServer(name);
    }
    if (m_server->listen(name))
        return {};
    QString cause;
    switch (m_server->serverError()) {
    case QAbstractSocket::SocketAccessError: cause = systemErrorText(EACCES); break;
    case QAbstractSocket::HostNotFoundError: cause = systemErrorText(ENAMETOOLONG); break;
    default: cause = m_server->errorString(); break;
    }
    return Done::failure(QStringLiteral("Pistoketta %1 ei voitu avata: %2. Toinen käynnistys ei "
                                        "siksi voi tuoda tätä ikkunaa esiin.")
                             .arg(shownPath(name), cause));
}

void ShowRequests::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (m_server->findChildren<QLocalSocket *>(Qt::FindDirectChildrenOnly).size() > maxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Never more than the request is held, however much is sent.
        socket->setReadBufferSize(request.size());
        QTimer::singleShot(silenceLimit, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        read(socket);
    }
}

void ShowRequests::read(QLocalSocket *socket)
{
    const QByteArray seen = socket->peek(request.size());
    if (!request.startsWith(seen)) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (seen.size() < request.size())
        return;
    socket->disconnect(this);
    socket->read(request.size());
    emit showRequested();
    socket->write(answer.data(), answer.size());
    socket->disconnectFromServer();
}

bool askToShow(const QString &name, std::chrono::milliseconds patience)
{
    if (name.isEmpty())
        return false;
    // A second start has no window to keep alive, so it simply waits, never longer than
    // the patience given.
    const QDeadlineTimer deadline(patience);
    QLocalSocket socket;
    socket.connectToServer(name);
    while (!socket.waitForConnected(int(deadline.remainingTime()))) {
        // The running copy may hold the lock a moment before it listens.
        const bool notYetListening = socket.error() == QLocalSocket::ServerNotFoundError
            || socket.error() == QLocalSocket::ConnectionRefusedError;
        if (!notYetListening || deadline.hasExpired())
            return false;
        QThread::msleep(std::min<qint64>(retryPause.count(), deadline.remainingTime()));
        socket.abort();
        socket.connectToServer(name);
    }
    socket.write(request.data(), request.size());
    socket.waitForBytesWritten(int(deadline.remainingTime()));
    QByteArray answered;
    while (answered.size() < answer.size()
           && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(int(deadline.remainingTime()))))
        answered += socket.read(answer.size() - answered.size());
    return answered == answer;
}

} // namespace tankeli
