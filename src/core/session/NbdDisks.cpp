#include "NbdDisks.h"

#include "ProblemText.h"

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

QString NbdDisks::diskOf(const QString& target) const
{
    const auto it = m_open.find(target);
    return it == m_open.end() ? target : it->second->path();
}

bool NbdDisks::isOpen(const QString& target) const
{
    return m_open.find(target) != m_open.end();
}

void NbdDisks::open(const NbdAddress& address, Opened done)
{
    if (isOpen(address.uri())) {
        done(std::nullopt);
        return;
    }
    // A mount a crashed run left in the same place goes first.
    if (!m_cleaned) {
        cleanStale([this, address, done] { open(address, done); });
        return;
    }
    // The same export still going away is opened again once it is gone: the same folder.
    if (m_closing.contains(address.uri())) {
        QTimer::singleShot(50, this, [this, address, done] { open(address, done); });
        return;
    }
    // Nothing is opened that the tool could not write: it opens every disk read-write.
    platform::ReadNbdExport(
        this, address.uri(), [this, address, done](const platform::NbdExportInfo& info) {
            if (const std::optional<Problem> p = NbdExportProblem(address, info)) {
                done(p);
                return;
            }
            if (m_build) {
                openWithBuild(address, *m_build, done);
                return;
            }
            DetectToolBuild(this, m_tool, m_workingDir, [this, address, done](ToolBuild build) {
                if (build != ToolBuild::Unknown)
                    m_build = build;
                openWithBuild(address, build, done);
            });
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

void NbdDisks::openWithBuild(const NbdAddress& address, ToolBuild build, Opened done)
{
    const bool asFile = build != ToolBuild::DevicesOnly && m_facts.nbdfuse && m_facts.fuse;
    if (asFile) {
        mountFile(address, done);
        return;
    }
    const QString lacks = missing(build);
    if (!lacks.isEmpty()) {
        done(Problem{ProblemKind::NbdNoRoute, address.uri(), lacks});
        return;
    }
    connectDevice(address, done);
}

void NbdDisks::mountFile(const NbdAddress& address, Opened done)
{
    const QString uri = address.uri();
    auto disk = std::make_unique<Disk>();
    disk->mount = std::make_unique<platform::NbdMount>(mountBase() + address.key(), uri);
    platform::NbdMount* mount = disk->mount.get();
    m_open[uri] = std::move(disk);
    mount->mount([this, uri, done](bool ok, const QString& error) {
        if (!ok) {
            m_open.erase(uri);
            done(Problem{ProblemKind::NbdOpenFailed, uri, error});
            return;
        }
        done(std::nullopt);
    });
}

void NbdDisks::connectDevice(const NbdAddress& address, Opened done)
{
    const QString uri = address.uri();
    m_permission.request(
        platform::PermissionVerb::ConnectNbd,
        {address.host, QString::number(address.port), address.exportName},
        [this, uri, done](const platform::PermissionAnswer& answer) {
            if (answer.result == platform::PermissionResult::Dismissed) {
                done(Problem{ProblemKind::NbdOpenFailed, uri, tr("the password was not given")});
                return;
            }
            if (answer.result != platform::PermissionResult::Done ||
                !QFileInfo(answer.output).fileName().startsWith(QLatin1String("nbd"))) {
                done(Problem{ProblemKind::NbdOpenFailed, uri,
                             answer.message.isEmpty()
                                 ? tr("the helper failed (status %1)").arg(answer.status)
                                 : answer.message});
                return;
            }
            auto disk = std::make_unique<Disk>();
            disk->device = answer.output;
            m_open[uri] = std::move(disk);
            platform::RecordNbdDevice(mountBase(), answer.output);
            done(std::nullopt);
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
