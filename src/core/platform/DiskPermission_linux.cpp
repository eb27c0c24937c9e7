#include "DiskPermission.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace platform {

namespace {
QString verbWord(PermissionVerb verb)
{
    switch (verb) {
    case PermissionVerb::Grant:
        return QStringLiteral("grant");
    case PermissionVerb::GrantForFormat:
        return QStringLiteral("grant-format");
    case PermissionVerb::ConnectNbd:
        return QStringLiteral("connect-nbd");
    case PermissionVerb::DisconnectNbd:
        return QStringLiteral("disconnect-nbd");
    case PermissionVerb::Revoke:
        break;
    }
    return QStringLiteral("revoke");
}
} // namespace

PermissionCommand permissionCommand()
{
    PermissionCommand c;
    // polkit lets pkexec start only the installed helper, and only the system's pkexec is
    // asked: nothing a user could put beside the program or name in the environment.
    c.pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    c.helper = QStringLiteral(VENTRIK_HELPER_PATH);
#ifdef VENTRIK_TEST_SEAMS
    // Builds for the tests only: the tests' fake pkexec, and the helper of the build tree.
    if (const QString fake = qEnvironmentVariable("VENTRIK_PKEXEC"); !fake.isEmpty())
        c.pkexec = fake;
    const QString beside =
        QCoreApplication::applicationDirPath() + QStringLiteral("/ventrik-disk-access");
    if (!QFileInfo(c.helper).isExecutable() && QFileInfo(beside).isExecutable())
        c.helper = beside;
#endif
    return c;
}

PermissionAnswer readPermissionAnswer(int exitCode, const QString& errorOutput)
{
    PermissionAnswer a;
    a.status = exitCode;
    // The last line says it; the helper puts its name before its words.
    QString last = errorOutput.trimmed().section(u'\n', -1).trimmed();
    if (last.startsWith(QLatin1String("ventrik-disk-access: ")))
        last = last.mid(21);
    a.message = last;
    if (exitCode == 0)
        a.result = PermissionResult::Done;
    else if (exitCode == 126)
        a.result = PermissionResult::Dismissed;
    else if (exitCode == 127 && errorOutput.contains(QLatin1String("No authentication agent")))
        a.result = PermissionResult::NoAgent;
    else if (exitCode == 127)
        a.result = PermissionResult::NotAuthorised;
    else if ((exitCode >= 2 && exitCode <= 9) || exitCode == 11 || exitCode == 12)
        a.result = PermissionResult::Refused;
    else
        a.result = PermissionResult::Failed;
    return a;
}

DiskPermission::DiskPermission(QObject* parent) : QObject(parent), m_command(permissionCommand()) {}

void DiskPermission::request(PermissionVerb verb, const QStringList& arguments,
                             std::function<void(const PermissionAnswer&)> done)
{
    auto answerLater = [this, done](PermissionResult result, const QString& message) {
        QMetaObject::invokeMethod(
            this,
            [done, result, message] {
                done({result, -1, message, {}});
            },
            Qt::QueuedConnection);
    };
    if (m_command.pkexec.isEmpty()) {
        answerLater(PermissionResult::NoPkexec, QStringLiteral("pkexec was not found"));
        return;
    }
    if (!QFileInfo(m_command.helper).isExecutable()) {
        answerLater(PermissionResult::NoHelper,
                    QStringLiteral("%1 is not installed").arg(m_command.helper));
        return;
    }
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    // A prompt nobody answers, or a helper that hangs, is given up after a while: pkexec is
    // ended (its prompt with it) and the request counts as dismissed.
    auto* limit = new QTimer(process);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, process, [process] { process->kill(); });
    limit->start(m_limitMs);
    connect(process, &QProcess::finished, this,
            [process, done, limit](int exitCode, QProcess::ExitStatus exitStatus) {
                const bool gaveUp = !limit->isActive();
                process->deleteLater();
                const QString err = QString::fromLocal8Bit(process->readAllStandardError());
                PermissionAnswer a = readPermissionAnswer(exitCode, err);
                QString said = QString::fromLocal8Bit(process->readAllStandardOutput())
                                   .trimmed()
                                   .section(u'\n', -1)
                                   .trimmed();
                if (said.startsWith(QLatin1String("ventrik-disk-access: ")))
                    said = said.mid(21);
                a.output = said;
                if (exitStatus != QProcess::NormalExit)
                    a.result = gaveUp ? PermissionResult::Dismissed : PermissionResult::Failed;
                done(a);
            });
    connect(process, &QProcess::errorOccurred, this, [process, done](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        process->deleteLater();
        done({PermissionResult::NoPkexec, -1, process->errorString(), {}});
    });
    process->start(m_command.pkexec, QStringList{m_command.helper, verbWord(verb)} + arguments);
}

void DiskPermission::requestDetached(PermissionVerb verb, const QString& device) const
{
    if (!m_command.pkexec.isEmpty())
        QProcess::startDetached(m_command.pkexec, {m_command.helper, verbWord(verb), device});
}

} // namespace platform
