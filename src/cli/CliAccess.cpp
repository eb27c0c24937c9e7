#include "CliCommand.h"
#include "CliSupport.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QJsonObject>

// grant and revoke: access to one disk, through pkexec. From a terminal pkexec asks for the
// password there when no desktop agent runs.

void CliCommand::grant(const QStringList& args)
{
    changeAccess(platform::PermissionVerb::Grant, args[0]);
}

void CliCommand::revoke(const QStringList& args)
{
    changeAccess(platform::PermissionVerb::Revoke, args[0]);
}

void CliCommand::changeAccess(platform::PermissionVerb verb, const QString& disk)
{
    // The helper checks the disk itself; here only that it is a path and no target name.
    if (!disk.startsWith(u'/')) {
        usageError(QStringLiteral("\"%1\" is not a disk (/dev/sdX)").arg(disk));
        return;
    }
    const bool granting = verb != platform::PermissionVerb::Revoke;
    // Through the session like every other intent: it tells what went wrong as a problem.
    connect(
        &m_session, &Session::diskAccessAnswered, this,
        [this, disk, granting](const QString& device, const platform::PermissionAnswer& answer) {
            if (device != disk)
                return;
            const bool done = answer.result == platform::PermissionResult::Done;
            QString text;
            if (done)
                text = granting ? QStringLiteral("You may now read and write %1.\n").arg(disk)
                                : QStringLiteral("Your access to %1 was taken back.\n").arg(disk);
            else if (answer.result == platform::PermissionResult::Dismissed)
                cli::writeError(QStringLiteral("Nothing was changed: the request was dismissed."));
            print(QJsonObject{{QStringLiteral("disk"), disk},
                              {QStringLiteral("granted"), granting && done},
                              {QStringLiteral("done"), done},
                              {QStringLiteral("status"), answer.status}},
                  text);
            finish(done ? 0 : 1);
        });
    if (granting)
        m_session.requestDiskAccess(disk, DiskAccessUse::Kept);
    else
        m_session.giveBackDiskAccess(disk);
}
