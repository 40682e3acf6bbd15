#include "gui/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace kardel::gui {
namespace {

// How long a new instance waits for the answers of all the others together. A stopped one
// is not asked at all; one that hangs holds the new window up this long at most.
constexpr int kAnswerWaitMs = 3000;
// A path, base64-coded, on one line; anything longer is not a path and ends the connection.
constexpr qint64 kMaxLine = 64 * 1024;
// An asker says what it has to say at once; a connection idle for longer is closed.
constexpr int kIdleMs = 5000;

// A folder only this user can reach: a real directory (not a link) owned by the user, with no
// access for anyone else. Made with mode 0700 when missing; one of ours that is open to
// others is closed up.
bool IsPrivateFolder(const QByteArray& path, bool create) {
    if (create && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & 077) != 0)
        ok = create && ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok;
}

// Whether the instance behind a socket "<pid>.sock" is stopped (or held by a debugger): it
// cannot answer before it is continued, so it is passed over.
bool IsStopped(const QString& socketName) {
    bool ok = false;
    const qint64 pid = QFileInfo(socketName).completeBaseName().toLongLong(&ok);
    if (!ok || pid <= 0)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) state ...": the name may hold anything, parentheses included.
    const QByteArray line = stat.read(4096);
    const qsizetype close = line.lastIndexOf(')');
    return close > 0 && close + 2 < line.size() && (line[close + 2] == 'T' || line[close + 2] == 't');
}

} // namespace

QString SingleInstance::Folder() {
    // The desktop's per-user runtime folder when it is one, else a folder of the user's own
    // under the temporary folder; never a folder shared with other users.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QByteArray folder;
    if (runtime.startsWith('/') && IsPrivateFolder(runtime, false))
        folder = runtime + "/kardel-instances";
    else
        folder = QFile::encodeName(QDir::tempPath()) + "/kardel-" + QByteArray::number(::geteuid());
    return IsPrivateFolder(folder, true) ? QFile::decodeName(folder) : QString();
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() {
    if (m_server)
        m_server->close();
}

bool SingleInstance::Listen(std::function<bool(const QString&)> holds) {
    m_holds = std::move(holds);
    const QString folder = Folder();
    if (folder.isEmpty())
        return false;
    m_name = folder + QStringLiteral("/%1.sock").arg(QCoreApplication::applicationPid());
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            // Nothing beyond one line is ever held for an asker.
            socket->setReadBufferSize(kMaxLine + 1);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { Answer(socket); });
            QTimer::singleShot(kIdleMs, socket, [socket] { socket->abort(); });
        }
    });
    return true;
}

void SingleInstance::Answer(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine();
        if (line.size() > kMaxLine) {
            socket->abort();
            return;
        }
        // Base64 keeps a path with line breaks in one line.
        const QString path = QString::fromUtf8(QByteArray::fromBase64(line.trimmed()));
        const bool held = m_holds && m_holds(path);
        socket->write(held ? "1\n" : "0\n");
        socket->flush();
    }
    if (socket->bytesAvailable() > kMaxLine)
        socket->abort();
}

bool SingleInstance::OfferToOthers(const QString& path) const {
    const QString folderPath = Folder();
    if (folderPath.isEmpty())
        return false;
    const QDir folder(folderPath);
    const QByteArray message = path.toUtf8().toBase64() + '\n';
    QDeadlineTimer deadline(kAnswerWaitMs);
    // Every other instance is asked at once; the answers are then read as they come.
    std::vector<std::unique_ptr<QLocalSocket>> asked;
    for (const QString& entry : folder.entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Files)) {
        const QString name = folder.filePath(entry);
        if (name == m_name || IsStopped(name))
            continue;
        auto socket = std::make_unique<QLocalSocket>();
        socket->setReadBufferSize(16);
        socket->connectToServer(name);
        if (!socket->waitForConnected(int(std::max<qint64>(0, deadline.remainingTime())))) {
            // The instance has gone without tidying up.
            if (socket->error() == QLocalSocket::ConnectionRefusedError ||
                socket->error() == QLocalSocket::ServerNotFoundError)
                QFile::remove(name);
            continue;
        }
        socket->write(message);
        socket->flush();
        asked.push_back(std::move(socket));
    }
    while (!asked.empty() && !deadline.hasExpired()) {
        for (auto it = asked.begin(); it != asked.end();) {
            QLocalSocket& socket = **it;
            if (!socket.canReadLine())
                socket.waitForReadyRead(int(std::min<qint64>(10, std::max<qint64>(0, deadline.remainingTime()))));
            if (socket.canReadLine()) {
                if (socket.readLine(16).startsWith('1'))
                    return true;
                it = asked.erase(it);
            } else if (socket.state() != QLocalSocket::ConnectedState) {
                it = asked.erase(it);
            } else {
                ++it;
            }
        }
    }
    return false;
}

} // namespace kardel::gui
