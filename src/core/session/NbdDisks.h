#pragma once

#include "Problem.h"
#include "core/devices/NbdAddress.h"
#include "core/platform/DiskPermission.h"
#include "core/platform/Nbd.h"
#include "core/tool/ToolBuild.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QSet>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// What this machine has for reaching a PS2's export, each found once at the start (tests give
// their own).
struct NbdRouteFacts
{
    bool nbdfuse = false;   // libnbd-bin's nbdfuse and fusermount3
    bool fuse = false;      // /dev/fuse
    bool pkexec = false;    // polkit's pkexec and the permission helper
    bool nbdClient = false; // nbd-client, which the helper runs
    bool nbdModule = false; // the kernel's nbd module, loaded or to load
    static NbdRouteFacts OfThisMachine();
};

// The PS2 exports the session works on, each opened as a disk the tool can take while work
// needs it: mounted as a file with nbdfuse for a build of the tool that takes files, or
// connected as /dev/nbdN through the permission helper for a release build, which takes only
// devices. Opened before the first run of an activity, closed when the activity ends.
class NbdDisks : public QObject
{
    Q_OBJECT
public:
    using Opened = std::function<void(const std::optional<Problem>& problem)>;

    // Mounts go under the user's runtime folder ($XDG_RUNTIME_DIR/Ventrik/nbd) unless a base
    // is given.
    explicit NbdDisks(platform::DiskPermission& permission, QString mountBase = {},
                      QObject* parent = nullptr);
    ~NbdDisks() override;

    void setTool(const QString& tool, const QString& workingDir);
    void setFacts(const NbdRouteFacts& facts) { m_facts = facts; }
    // Checks the export (reachable, a disk, writable), then opens it; done(problem) when it
    // cannot be. At once when it is open already.
    void open(const NbdAddress& address, Opened done);
    // The file or device the tool is given for an argument naming an open export (its URI); the
    // argument itself otherwise.
    QString diskOf(const QString& argument) const;
    bool isOpen(const QString& uri) const;
    bool anyOpen() const { return !m_open.empty(); }
    // Every export closed (unmounted or disconnected), none waited for.
    void closeAll();
    // done() once nothing is open or closing; at once when nothing is.
    void whenClosed(std::function<void()> done);
    // Mounts a Ventrik that ended badly left behind, never a running one's, are unmounted
    // (then() once they are), and devices it connected are disconnected.
    void cleanStale(std::function<void()> then = {});
    QString mountBase() const;
    // nbdinfo's answer for an export, within its limit; ended early by cancelPending().
    void readExport(const NbdAddress& address,
                    std::function<void(const platform::NbdExportInfo&)> done);
    // Questions under way (nbdinfo, the tool's build measured) are ended: their answers say so.
    void cancelPending();
    // Every mounted export cut off from its server: a tool stuck on one that no longer answers
    // gets an error and ends.
    void abortMounts();
    // Whether the tool takes regular files as disks, measured once per tool.
    void knowBuild(std::function<void(ToolBuild)> done);
    // What this machine lacks for mounting a file with FUSE; empty when nothing.
    bool canMountFiles() const { return m_facts.nbdfuse && m_facts.fuse; }

private:
    struct Disk;
    // The steps of opening; each ends in opened(), which answers everyone who asked.
    void startOpening(const NbdAddress& address);
    void openWithBuild(const NbdAddress& address, ToolBuild build);
    void mountFile(const NbdAddress& address);
    void connectDevice(const NbdAddress& address);
    void opened(const QString& uri, const std::optional<Problem>& problem);
    std::map<QString, std::vector<Opened>> m_opening; // by uri, those waiting
    QList<QPointer<QProcess>> m_asking;               // nbdinfo runs under way
    // What this machine lacks for either route, in the user's words.
    QString missing(ToolBuild build) const;

    mutable QString m_base;
    platform::DiskPermission& m_permission;
    NbdRouteFacts m_facts;
    QString m_tool;
    QString m_workingDir;
    std::optional<ToolBuild> m_build;                // measured once per tool
    std::map<QString, std::unique_ptr<Disk>> m_open; // by uri
    QSet<QString> m_closing;                         // exports going away
    std::vector<std::function<void()>> m_whenClosed;
    bool m_cleaned = false; // what a crashed run left was looked for
    void closed(const QString& uri);
};
