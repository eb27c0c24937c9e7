#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One Ventrik per user: a second start asks the first to come forward and
// leaves, so two programs never drive the same disk.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The socket lives in the user's runtime folder.
    explicit SingleInstance(QObject* parent = nullptr);

    // True when a running Ventrik took the request to come forward.
    bool forwardToRunning();
    // From now on, later starts reach this one.
    void listen();

signals:
    void activationRequested();

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};
