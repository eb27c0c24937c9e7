#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One Ventrik per user: a second start asks the first to come forward and
// leaves, so two programs never drive the same disk.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The socket lives in the user's runtime folder.
    explicit SingleInstance(QObject* parent = nullptr);

    // Asks a running Ventrik to come forward, without waiting for it: handedOver() when one
    // took the request, alone() when none answers. Exactly one of them follows.
    void askRunning();
    // From now on, later starts reach this one.
    void listen();

    // Longest a silent socket is given before this start goes on alone.
    static constexpr int kAnswerTimeoutMs = 1000;

signals:
    void handedOver();
    void alone();
    void activationRequested();

private:
    void settle(bool handed);

    QString m_name;
    QLocalServer* m_server = nullptr;
    QLocalSocket* m_asking = nullptr;
};
