#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// Asks the system, through pkexec and the permission helper, to let this user read and write
// one disk, or to take that back. pkexec shows the desktop's password prompt; polkit keeps
// the permission for a few minutes, so the next disk asks nothing.
namespace platform {

// The helper's verbs: a disk granted or taken back, a PS2's NBD export connected as /dev/nbdN
// (IP PORT EXPORT) or disconnected.
enum class PermissionVerb { Grant, GrantForFormat, Revoke, ConnectNbd, DisconnectNbd };

enum class PermissionResult {
    Done,
    Dismissed,     // the prompt was closed (pkexec 126)
    NotAuthorised, // a wrong password, or polkit says no (pkexec 127)
    NoAgent,       // nothing runs that could ask for the password
    NoPkexec,      // pkexec is not installed
    NoHelper,      // the helper is not installed
    Refused,       // the helper's checks said no
    Failed,        // anything else
};

struct PermissionAnswer
{
    PermissionResult result = PermissionResult::Failed;
    int status = -1;
    QString message; // the helper's or pkexec's own words
    QString output;  // the last line the helper printed where all went well (a device)
};

struct PermissionCommand
{
    QString pkexec; // pkexec on the PATH (a test build: VENTRIK_PKEXEC first)
    QString helper; // installed, else beside the program (a build)
};
PermissionCommand permissionCommand();

// What pkexec's ending means.
PermissionAnswer readPermissionAnswer(int exitCode, const QString& errorOutput);

class DiskPermission : public QObject
{
    Q_OBJECT
public:
    explicit DiskPermission(QObject* parent = nullptr);

    // Runs pkexec once; done is called on this object's thread.
    void request(PermissionVerb verb, const QString& device,
                 std::function<void(const PermissionAnswer&)> done)
    {
        request(verb, QStringList{device}, std::move(done));
    }
    void request(PermissionVerb verb, const QStringList& arguments,
                 std::function<void(const PermissionAnswer&)> done);
    // At the program's end: started and left to run, nothing waits for it.
    void revokeDetached(const QString& device) const
    {
        requestDetached(PermissionVerb::Revoke, device);
    }
    void requestDetached(PermissionVerb verb, const QString& device) const;

    void setCommand(const PermissionCommand& command) { m_command = command; }
    // How long a request may wait (for the password, for the helper) before it is given up
    // as dismissed: 5 minutes.
    void setLimit(int ms) { m_limitMs = ms; }

private:
    PermissionCommand m_command;
    int m_limitMs = 5 * 60 * 1000;
};

} // namespace platform
