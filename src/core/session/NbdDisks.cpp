#include "NbdDisks.h"

#include "ProblemText.h"
#include "core/tool/ToolRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>

NbdRouteFacts NbdRouteFacts::OfThisMachine()
{
    NbdRouteFacts f;
    auto found = [](const char* program) {
        // nbd-client lives in sbin, which a user's PATH may lack.
        return !QStandardPaths::findExecutable(QLatin1String(program)).isEmpty() ||
               !QStandardPaths::findExecutable(
                    QLatin1String(program), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                    .isEmpty();
    };
    f.nbdfuse = found("nbdfuse") && found("fusermount3");
    f.fuse = QFileInfo::exists(QStringLiteral("/dev/fuse"));
    const platform::PermissionCommand command = platform::permissionCommand();
    f.pkexec = !command.pkexec.isEmpty() && QFileInfo(command.helper).isExecutable();
    f.nbdClient = found("nbd-client");
    const QString modules =
        QStringLiteral("/lib/modules/%1/kernel/drivers/block/").arg(QSysInfo::kernelVersion());
    f.nbdModule = QFileInfo::exists(QStringLiteral("/sys/module/nbd")) ||
                  !QDir(modules).entryList({QStringLiteral("nbd.ko*")}).isEmpty();
    return f;
}

struct NbdDisks::Disk
{
    std::unique_ptr<platform::NbdMount> mount; // route A
    QString device;                            // route B: /dev/nbdN
    QString path() const { return mount ? mount->diskPath() : device; }
};

NbdDisks::NbdDisks(platform::DiskPermission& permission, QString mountBase, QObject* parent)
    : QObject(parent), m_base(std::move(mountBase)), m_permission(permission),
      m_facts(NbdRouteFacts::OfThisMachine())
{}

QString NbdDisks::mountBase() const
{
    // Asked only once a PS2's export is used: a program that never does needs no such folder.
    if (m_base.isEmpty())
        m_base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                 QStringLiteral("/Ventrik/nbd/");
    return m_base;
}

NbdDisks::~NbdDisks()
{
    // A mount unmounts itself as it goes; a device is disconnected without waiting.
    for (auto& [uri, disk] : m_open)
        if (!disk->device.isEmpty()) {
            m_permission.requestDetached(platform::PermissionVerb::DisconnectNbd, disk->device);
            platform::ForgetNbdDevice(mountBase(), disk->device);
        }
}

void NbdDisks::setTool(const QString& tool, const QString& workingDir)
{
    if (tool != m_tool)
        m_build.reset();
    m_tool = tool;
    m_workingDir = workingDir;
}

QString NbdDisks::diskOf(const QString& argument) const
{
    const auto it = m_open.find(argument);
    return it == m_open.end() ? argument : it->second->path();
}

bool NbdDisks::isOpen(const QString& uri) const
{
    return m_open.find(uri) != m_open.end();
}

void NbdDisks::open(const NbdAddress& address, Opened done)
{
    const QString uri = address.uri();
    // Asked again while it is being opened: answered with the first, never opened twice.
    if (const auto opening = m_opening.find(uri); opening != m_opening.end()) {
        opening->second.push_back(std::move(done));
        return;
    }
    if (isOpen(uri)) {
        done(std::nullopt);
        return;
    }
    m_opening[uri].push_back(std::move(done));
    startOpening(address);
}

void NbdDisks::opened(const QString& uri, const std::optional<Problem>& problem)
{
    const auto opening = m_opening.find(uri);
    if (opening == m_opening.end())
        return;
    const std::vector<Opened> waiting = std::move(opening->second);
    m_opening.erase(opening);
    for (const Opened& done : waiting)
        done(problem);
}

void NbdDisks::startOpening(const NbdAddress& address)
{
    const QString uri = address.uri();
    // A mount a crashed run left in the same place goes first.
    if (!m_cleaned) {
        cleanStale([this, address] { startOpening(address); });
        return;
    }
    // The same export still going away is opened again once it is gone: the same folder.
    if (m_closing.contains(uri)) {
        QTimer::singleShot(50, this, [this, address] { startOpening(address); });
        return;
    }
    // Nothing is opened that the tool could not write: it opens every disk read-write.
    readExport(address, [this, address, uri](const platform::NbdExportInfo& info) {
        if (const std::optional<Problem> p = NbdExportProblem(address, info)) {
            opened(uri, p);
            return;
        }
        knowBuild([this, address](ToolBuild build) { openWithBuild(address, build); });
    });
}

void NbdDisks::readExport(const NbdAddress& address,
                          std::function<void(const platform::NbdExportInfo&)> done)
{
    m_asking.removeAll(nullptr);
    m_asking << platform::ReadNbdExport(this, address.uri(), address.exportName, std::move(done));
}

void NbdDisks::cancelPending()
{
    for (const QPointer<QProcess>& p : std::exchange(m_asking, {}))
        if (p)
            p->kill();
    for (ToolRun* run : findChildren<ToolRun*>(Qt::FindDirectChildrenOnly))
        run->kill();
}

void NbdDisks::abortMounts()
{
    // A mount loses its nbdfuse; a device is disconnected, which fails what waits on it.
    for (auto& [uri, disk] : m_open) {
        if (disk->mount)
            disk->mount->abort();
        else
            m_permission.requestDetached(platform::PermissionVerb::DisconnectNbd, disk->device);
    }
}

void NbdDisks::knowBuild(std::function<void(ToolBuild)> done)
{
    if (m_build) {
        done(*m_build);
        return;
    }
    DetectToolBuild(this, m_tool, m_workingDir, [this, done](ToolBuild build) {
        if (build != ToolBuild::Unknown)
            m_build = build;
        done(build);
    });
}

QString NbdDisks::missing(ToolBuild build) const
{
    QStringList lacks;
    if (build != ToolBuild::DevicesOnly) {
        if (!m_facts.nbdfuse)
            lacks << tr("nbdfuse (the package libnbd-bin)");
        if (!m_facts.fuse)
            lacks << tr("FUSE (/dev/fuse)");
    } else {
        lacks << tr("a build of hdl_dump that takes files (this one is a release build)");
    }
    QStringList deviceRoute;
    if (!m_facts.pkexec)
        deviceRoute << tr("polkit's pkexec with Ventrik's permission helper");
    if (!m_facts.nbdClient)
        deviceRoute << tr("nbd-client (the package nbd-client)");
    if (!m_facts.nbdModule)
        deviceRoute << tr("the kernel's nbd module");
    if (deviceRoute.isEmpty())
        return {};
    return tr("as a file it needs %1; as a device it needs %2")
        .arg(lacks.join(tr(" and ")), deviceRoute.join(tr(" and ")));
}

void NbdDisks::openWithBuild(const NbdAddress& address, ToolBuild build)
{
    const bool asFile = build != ToolBuild::DevicesOnly && m_facts.nbdfuse && m_facts.fuse;
    if (asFile) {
        mountFile(address);
        return;
    }
    const QString lacks = missing(build);
    if (!lacks.isEmpty()) {
        opened(address.uri(), Problem{ProblemKind::NbdNoRoute, address.uri(), lacks});
        return;
    }
    connectDevice(address);
}

void NbdDisks::mountFile(const NbdAddress& address)
{
    const QString uri = address.uri();
    // Open, for the tool, only once it is mounted.
    auto disk = std::make_shared<Disk>();
    // A folder of this program's alone: another Ventrik on the same export has its own, and
    // nobody's record or mount is touched.
    static int mounts = 0;
    disk->mount = std::make_unique<platform::NbdMount>(
        mountBase() + QStringLiteral("%1-%2-%3")
                          .arg(address.key())
                          .arg(QCoreApplication::applicationPid())
                          .arg(++mounts),
        uri);
    disk->mount->mount([this, uri, disk](bool ok, const QString& error) {
        if (!ok) {
            // Not deleted here: this is called from within the mount, perhaps from its
            // process's signal.
            disk->mount.release()->deleteLater();
            opened(uri, Problem{ProblemKind::NbdOpenFailed, uri, error});
            return;
        }
        auto kept = std::make_unique<Disk>();
        kept->mount = std::move(disk->mount);
        m_open[uri] = std::move(kept);
        opened(uri, std::nullopt);
    });
}

void NbdDisks::connectDevice(const NbdAddress& address)
{
    const QString uri = address.uri();
    m_permission.request(
        platform::PermissionVerb::ConnectNbd,
        {address.host, QString::number(address.port), address.exportName},
        [this, uri](const platform::PermissionAnswer& answer) {
            if (answer.result == platform::PermissionResult::Dismissed) {
                opened(uri,
                       Problem{ProblemKind::NbdOpenFailed, uri, tr("the password was not given")});
                return;
            }
            if (answer.result != platform::PermissionResult::Done ||
                !QFileInfo(answer.output).fileName().startsWith(QLatin1String("nbd"))) {
                opened(uri, Problem{ProblemKind::NbdOpenFailed, uri,
                                    answer.message.isEmpty()
                                        ? tr("the helper failed (status %1)").arg(answer.status)
                                        : answer.message});
                return;
            }
            auto disk = std::make_unique<Disk>();
            disk->device = answer.output;
            m_open[uri] = std::move(disk);
            platform::RecordNbdDevice(mountBase(), answer.output);
            opened(uri, std::nullopt);
        });
}

void NbdDisks::closeAll()
{
    for (auto& [uri, disk] : m_open) {
        if (disk->mount) {
            // Kept until fusermount3 is done: a mount that is still going away is not reused.
            platform::NbdMount* mount = disk->mount.release();
            mount->setParent(this);
            m_closing.insert(uri);
            mount->unmount([this, mount, uri = uri](bool, const QString&) {
                mount->deleteLater();
                closed(uri);
            });
        } else {
            m_closing.insert(uri);
            m_permission.request(
                platform::PermissionVerb::DisconnectNbd, disk->device,
                [this, uri = uri, device = disk->device](const platform::PermissionAnswer& answer) {
                    if (answer.result == platform::PermissionResult::Done)
                        platform::ForgetNbdDevice(mountBase(), device);
                    closed(uri);
                });
        }
    }
    m_open.clear();
}

void NbdDisks::closed(const QString& uri)
{
    m_closing.remove(uri);
    if (!m_closing.isEmpty() || !m_open.empty())
        return;
    for (auto& done : std::exchange(m_whenClosed, {}))
        done();
}

void NbdDisks::whenClosed(std::function<void()> done)
{
    if (m_closing.isEmpty() && m_open.empty()) {
        done();
        return;
    }
    m_whenClosed.push_back(std::move(done));
}

void NbdDisks::cleanStale(std::function<void()> then)
{
    m_cleaned = true;
    auto finish = [then] {
        if (then)
            then();
    };
    // Without a runtime folder nothing was ever mounted there.
    if (m_base.isEmpty() && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        finish();
        return;
    }
    // A connection only the helper can end: it asks, as it did when it was made.
    for (const QString& device : platform::TakeStaleNbdDevices(mountBase()))
        m_permission.requestDetached(platform::PermissionVerb::DisconnectNbd, device);
    const QStringList stale = platform::StaleNbdMounts(mountBase());
    if (stale.isEmpty()) {
        finish();
        return;
    }
    auto left = std::make_shared<qsizetype>(stale.size());
    for (const QString& dir : stale) {
        auto* p = new QProcess(this);
        auto ended = [p, left, finish] {
            p->deleteLater();
            if (--*left == 0)
                finish();
        };
        connect(p, &QProcess::finished, this, ended);
        connect(p, &QProcess::errorOccurred, this, [ended](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                ended();
        });
        p->start(QStringLiteral("fusermount3"), {QStringLiteral("-u"), dir});
    }
}
