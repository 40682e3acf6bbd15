#pragma once
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace kardel::gui {

// The hand-over between instances: each instance listens on a socket of its own in a
// per-user folder; an instance asked to open a file offers the path to every other one,
// and the one holding that file comes forward and answers yes.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Starts answering; `holds` tells whether this instance has `path` open (and comes forward).
    bool Listen(std::function<bool(const QString& path)> holds);
    // True when a running instance took the path. Waits for each answer.
    bool OfferToOthers(const QString& path) const;

    static QString Folder();

private:
    QLocalServer* m_server = nullptr;
    QString m_name;
    std::function<bool(const QString&)> m_holds;
};

} // namespace kardel::gui
