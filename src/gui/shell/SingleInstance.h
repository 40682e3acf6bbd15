#pragma once
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

namespace kardel::gui {

// The hand-over between instances: each instance listens on a socket of its own in a
// folder only its user can reach; an instance asked to open a file offers the path to every
// other one, and the one holding that file comes forward and answers yes. Askers wait a
// short while at most, and a listener holds no more than one bounded line per asker.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Starts answering; `holds` tells whether this instance has `path` open (and comes forward).
    bool Listen(std::function<bool(const QString& path)> holds);
    // True when a running instance took the path. Asks them all at once and waits a few
    // seconds at most for the answers; a stopped instance is passed over without waiting.
    bool OfferToOthers(const QString& path) const;

    // The sockets' folder, made when missing; empty when no private folder can be had (then
    // there is no hand-over).
    static QString Folder();

private:
    void Answer(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
    QString m_name;
    std::function<bool(const QString&)> m_holds;
};

} // namespace kardel::gui
