#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

// One Ventrik per user: a second start asks the first to come forward and
// leaves, so two programs never drive the same disk. Which start is the one is decided by a
// lock file taken before anything else (two starts at the same moment: one wins); the socket
// is the winner's alone, and a live window's socket is never removed.
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

    // Longest a silent socket is given; while the lock's holder lives, it is asked again
    // (it may still be starting) for at most kStartingMs.
    static constexpr int kAnswerTimeoutMs = 1000;
    static constexpr int kStartingMs = 10000;

signals:
    void handedOver();
    void alone();
    void activationRequested();

private:
    void settle(bool handed);
    void ask();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    int m_askedMs = 0;
    QLocalServer* m_server = nullptr;
    QLocalSocket* m_asking = nullptr;
};
