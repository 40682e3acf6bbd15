#include "shell/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace kardel::gui {
namespace {

constexpr int kAnswerWaitMs = 3000;

} // namespace

QString SingleInstance::Folder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/kardel-instances");
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() {
    if (m_server)
        m_server->close();
}

bool SingleInstance::Listen(std::function<bool(const QString&)> holds) {
    m_holds = std::move(holds);
    QDir().mkpath(Folder());
    m_name = Folder() + QStringLiteral("/%1.sock").arg(QCoreApplication::applicationPid());
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine())
                    return;
                // Base64 keeps a path with line breaks in one line.
                QString path = QString::fromUtf8(QByteArray::fromBase64(socket->readLine().trimmed()));
                bool held = m_holds && m_holds(path);
                socket->write(held ? "1\n" : "0\n");
                socket->flush();
            });
        }
    });
    return true;
}

bool SingleInstance::OfferToOthers(const QString& path) const {
    const QDir folder(Folder());
    for (const QString& entry : folder.entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Files)) {
        const QString name = folder.filePath(entry);
        if (name == m_name)
            continue;
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(500)) {
            // The instance has gone without tidying up.
            if (socket.error() == QLocalSocket::ConnectionRefusedError ||
                socket.error() == QLocalSocket::ServerNotFoundError)
                QFile::remove(name);
            continue;
        }
        socket.write(path.toUtf8().toBase64() + '\n');
        socket.flush();
        while (!socket.canReadLine() && socket.waitForReadyRead(kAnswerWaitMs)) {
        }
        if (socket.readLine().startsWith('1'))
            return true;
    }
    return false;
}

} // namespace kardel::gui
