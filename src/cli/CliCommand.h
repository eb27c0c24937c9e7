#pragma once

#include "core/jobs/Job.h"
#include "core/session/Problem.h"

#include <QJsonValue>
#include <QObject>
#include <QStringList>

#include <functional>

class Session;

struct CliOptions
{
    bool json = false;
    bool dryRun = false;
};

// One invocation of ventrik-cli: a command of the table run on the session,
// ending with done(exit status): 0 success, 1 a failed operation, 2 a usage error.
class CliCommand : public QObject
{
    Q_OBJECT
public:
    CliCommand(Session& session, CliOptions options, QObject* parent = nullptr);

    // Starts the command; done() follows, possibly at once.
    void start(const QStringList& args);
    static QString usage();

signals:
    void done(int status);

private:
    struct Entry
    {
        const char* name;
        int minArgs;
        int maxArgs;
        void (CliCommand::*run)(const QStringList& args);
    };
    static const QList<Entry>& table();

    void devices(const QStringList& args);
    void games(const QStringList& args);
    void info(const QStringList& args);
    void install(const QStringList& args);
    void copyToPc(const QStringList& args);
    void makeIso(const QStringList& args);
    void remove(const QStringList& args);
    void poweroff(const QStringList& args);
    void doctor(const QStringList& args);
    void queue(const QStringList& args);
    void renameGame(const QStringList& args);
    void setGameFlags(const QStringList& args);
    void modifyGame(const QString& target, const QString& name, const QStringList& shown,
                    std::function<bool()> start);
    void queueAdd(const QStringList& args);
    void queueAddFolder(const QStringList& args);
    void queueList();
    void queueRun(const QStringList& args);
    void showProgress();

    // Reads the disc of an install's source and hands on the job it makes.
    void prepareInstall(const QStringList& args, std::function<void(const Job&)> then);
    static Job copyToPcJob(const QStringList& args);
    static Job makeIsoJob(const QStringList& args);
    static QJsonObject jobJson(const Job& job, int row);
    // Runs the job at once and reports its result.
    void runJob(const Job& job);
    // After the session's current intent: fn, then the exit status.
    void whenIdle(std::function<int()> fn);
    bool printDryRun(const QList<QStringList>& commands);
    void print(const QJsonValue& json, const QString& text);
    void usageError(const QString& text);
    void finish(int status);

    Session& m_session;
    CliOptions m_options;
    bool m_failed = false;
    bool m_finished = false;
    QString m_modifyName;
};
