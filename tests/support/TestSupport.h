#pragma once

#include "devices/Probe.h"
#include "platform/PowerActions.h"
#include "runner/AppPaths.h"
#include "shell/Dialogs.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>

// A capture of the real tool's output (see tests/captures/README.md).
QByteArray ReadCaptureBytes(const QString& name);
inline QString ReadCapture(const QString& name)
{
    return QString::fromLatin1(ReadCaptureBytes(name));
}

// A program folder in a temporary directory with the simulator placed
// beside the program as its tool, and the simulator's state and call log.
class SimWorld
{
public:
    explicit SimWorld(const QJsonObject& state = defaultState());

    bool isValid() const { return m_dir.isValid(); }
    QString dir() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    AppPaths paths() const { return AppPaths::forProgramDir(m_dir.path()); }
    QString toolPath() const { return path(QStringLiteral("hdl_dump")); }

    QJsonObject state() const;
    void setState(const QJsonObject& state) const;
    void setFault(const QJsonObject& fault) const;
    // The command lines the tool received, one list of arguments each.
    QList<QStringList> calls() const;
    void clearCalls() const { QFile::remove(path(QStringLiteral("calls.log"))); }

    static QJsonObject defaultState();
    static QJsonObject game(const QString& name, const QString& startup, const QString& type,
                            qint64 sizeKb, const QString& flags = {});

private:
    QTemporaryDir m_dir;
};

// Message boxes and questions answered from a script and recorded.
class RecordingDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        QString title;
    };
    void message(const QString& text, Icon icon, const QString& title = {}) override
    {
        shown.append({text, icon, title.isEmpty() ? programTitle() : title});
    }
    Answer question(const QString& text, Icon icon, const QString& title = {}) override
    {
        shown.append({text, icon, title.isEmpty() ? programTitle() : title});
        if (answers.empty())
            return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> openFile(const FileDialogRequest& request) override
    {
        fileRequests.append(request);
        return nextFile();
    }
    std::optional<QString> saveFile(const FileDialogRequest& request) override
    {
        fileRequests.append(request);
        return nextFile();
    }
    std::optional<QString> inputText(const QString& prompt, const QString& title) override
    {
        shown.append({prompt, Icon::Information, title});
        if (inputs.empty())
            return std::nullopt;
        const std::optional<QString> a = inputs.front();
        inputs.pop_front();
        return a;
    }
    std::optional<QString> chooseFolder(const QString& title, const QString& directory) override
    {
        shown.append({directory, Icon::Information, title});
        if (folders.empty())
            return std::nullopt;
        const std::optional<QString> f = folders.front();
        folders.pop_front();
        return f;
    }
    std::optional<quint32> chooseColor(quint32 initial) override
    {
        colorAsked = initial;
        if (colors.empty())
            return std::nullopt;
        const std::optional<quint32> c = colors.front();
        colors.pop_front();
        return c;
    }
    QStringList texts() const
    {
        QStringList t;
        for (const Shown& s : shown)
            t << s.text;
        return t;
    }

    QList<Shown> shown;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> files; // nothing: the user cancels
    std::deque<std::optional<QString>> inputs;
    QList<FileDialogRequest> fileRequests;
    std::deque<std::optional<QString>> folders;
    std::deque<std::optional<quint32>> colors;
    quint32 colorAsked = 0;

private:
    std::optional<QString> nextFile()
    {
        if (files.empty())
            return std::nullopt;
        const std::optional<QString> f = files.front();
        files.pop_front();
        return f;
    }

public:
};

// Probe backend that sends nothing: answers come from a table, every
// address asked for is recorded.
class FakeIcmp : public IcmpBackend
{
public:
    bool start() override
    {
        ++starts;
        return startOk;
    }
    void stop() override { ++stops; }
    bool sendEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs,
                  EchoReply& reply) override;

    // Address text -> status (0 answers); unlisted addresses time out.
    QMap<QString, quint32> status;
    quint32 roundTrip = 3;
    bool startOk = true;
    int starts = 0;
    int stops = 0;
    QStringList sent;
    QByteArray lastPayload;
    int lastTimeout = 0;
};

// Records the PC power actions instead of performing them.
class FakePower : public PowerActions
{
public:
    void ShutdownPC() override { calls << QStringLiteral("shutdown"); }
    void SuspendPC() override { calls << QStringLiteral("standby"); }
    QStringList calls;
};
