#include "TestSupport.h"
#include "ApaImage.h"
#include "Ps2Image.h"
#include "core/platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QtEndian>

#include <arpa/inet.h>
#include <csignal>
#include <sys/resource.h>

namespace {
// No test ever asks the real pkexec: the fake one runs the helper on a fake machine.
const bool kFakePkexec = [] {
    qputenv("VENTRIK_PKEXEC", VENTRIK_FAKE_PKEXEC);
    qputenv("FAKE_DISK_HELPER", VENTRIK_TEST_DISK_HELPER);
    return true;
}();
} // namespace

SimWorld::SimWorld(const QJsonObject& state)
{
    Q_UNUSED(kFakePkexec);
    qputenv("FAKE_PKEXEC_LOG", path(QStringLiteral("pkexec.log")).toLocal8Bit());
    qputenv("FAKE_DISK_ROOT", path(QStringLiteral("machine")).toLocal8Bit());
    QFile::link(QStringLiteral(VENTRIK_SIM_PATH), toolPath());
    // The tool's configuration lives in the home folder: tests get their own.
    QDir().mkpath(path(QStringLiteral("home")));
    qputenv("HOME", path(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("home/.config")).toLocal8Bit());
    QFile conf(path(QStringLiteral("home/.hdl_dump.conf")));
    conf.open(QIODevice::WriteOnly);
    conf.write("\"disc_database_file\" = \"\"\n\"target_kbps\" = \"2300\"\n");
    setState(state);
    qputenv("HDL_SIM_STATE", path(QStringLiteral("sim-state.json")).toLocal8Bit());
    qputenv("HDL_SIM_LOG", path(QStringLiteral("calls.log")).toLocal8Bit());
}

PrivateBus::PrivateBus()
{
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address=1")});
    if (m_daemon.waitForStarted() && m_daemon.waitForReadyRead(5000))
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    m_daemon.terminate();
    m_daemon.waitForFinished();
}

QString AddFakeDisk(const QString& root, const QString& name, const QByteArray& sector0)
{
    QDir().mkpath(root + QStringLiteral("/sys/block/") + name);
    QDir().mkpath(root + QStringLiteral("/dev"));
    QFile size(root + QStringLiteral("/sys/block/%1/size").arg(name));
    size.open(QIODevice::WriteOnly);
    size.write("4194304\n"); // 2 GiB
    // Its number, and udev's record of it: udev found nothing it knows on it.
    static int disks = 0;
    const QByteArray number = "8:" + QByteArray::number(++disks * 16);
    QFile dev(root + QStringLiteral("/sys/block/%1/dev").arg(name));
    dev.open(QIODevice::WriteOnly);
    dev.write(number + '\n');
    QDir().mkpath(root + QStringLiteral("/udev"));
    QFile udev(root + QStringLiteral("/udev/b") + QString::fromLatin1(number));
    udev.open(QIODevice::WriteOnly);
    udev.write("E:DEVNAME=/dev/" + name.toLatin1() + '\n');
    const QString node = root + QStringLiteral("/dev/") + name;
    QFile file(node);
    file.open(QIODevice::WriteOnly);
    file.write(sector0);
    // As large as the system says: what lies after its first sectors is read too.
    file.resize(qint64{4194304} * 512);
    return node;
}

QByteArray Ps2Sector()
{
    // A formatted disk's first header, as hdl_dump writes it: its table, holding no game yet.
    return ApaHeader(QStringLiteral("__mbr"), 0, 0x40000, 1, 0, 0, 0, 0, {},
                     QByteArrayLiteral("\x11\x22\x33\x44\x55\x66\x77\x88"));
}

QList<platform::Device> FakeMachineDevices(const QString& root)
{
    platform::SystemFiles files;
    files.sysRoot = root + QStringLiteral("/sys");
    files.devRoot = root + QStringLiteral("/dev");
    files.usageFiles = {root + QStringLiteral("/mounts")};
    files.udevData = root + QStringLiteral("/udev");
    // Who may read what: the last word of the helper's log for each disk.
    QHash<QString, bool> granted;
    QFile log(root + QStringLiteral("/access.log"));
    if (log.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : log.readAll().split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.size() >= 2)
                granted[QString::fromUtf8(words[1])] = words[0] == "grant";
        }
    }
    QList<platform::Device> devices = platform::discoverDevices(files);
    for (platform::Device& d : devices) {
        if (d.optical || granted.value(QFileInfo(d.path).fileName()))
            continue;
        // As root every file reads: this user is one who may not.
        d.readable = false;
        d.ps2Formatted = false;
        d.needsPermission = !d.inUse;
    }
    return devices;
}

QJsonObject SimWorld::state() const
{
    QFile f(path(QStringLiteral("sim-state.json")));
    f.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(f.readAll()).object();
}

void SimWorld::setState(const QJsonObject& state) const
{
    // Replaced whole: a simulator the program starts meanwhile reads the old state or the new
    // one, never a file cut short.
    QString error;
    platform::writeFileAtomically(path(QStringLiteral("sim-state.json")),
                                  QJsonDocument(state).toJson(), &error, 0600,
                                  platform::Lasting::ProgramOnly);
}

void SimWorld::setFault(const QJsonObject& fault) const
{
    QJsonObject s = state();
    s[QStringLiteral("fault")] = fault;
    setState(s);
}

void SimWorld::holdJobsAt(int percent) const
{
    QFile::remove(path(QStringLiteral("release")));
    QJsonObject s = state();
    s[QStringLiteral("hold")] =
        QJsonObject{{QStringLiteral("percent"), percent},
                    {QStringLiteral("until"), path(QStringLiteral("release"))}};
    setState(s);
}

void SimWorld::releaseJobs() const
{
    QFile release(path(QStringLiteral("release")));
    release.open(QIODevice::WriteOnly);
}

QList<QStringList> SimWorld::calls() const
{
    QList<QStringList> result;
    QFile f(path(QStringLiteral("calls.log")));
    if (!f.open(QIODevice::ReadOnly))
        return result;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        QStringList args;
        for (const QJsonValue v : QJsonDocument::fromJson(line).array())
            args << v.toString();
        result << args;
    }
    return result;
}

QJsonObject SimWorld::game(const QString& name, const QString& startup, const QString& type,
                           qint64 sizeKb, const QString& flags)
{
    return QJsonObject{
        {QStringLiteral("name"), name},   {QStringLiteral("startup"), startup},
        {QStringLiteral("type"), type},   {QStringLiteral("size_kb"), sizeKb},
        {QStringLiteral("flags"), flags}, {QStringLiteral("dma"), QStringLiteral("*u4")}};
}

Job SimWorld::install(const QString& name, const QString& target) const
{
    QJsonObject s = state();
    QJsonObject images = s.value(QStringLiteral("images")).toObject();
    images[name + QStringLiteral(".iso")] =
        QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLES_543.21")},
                    {QStringLiteral("name"), name},
                    {QStringLiteral("size_kb"), 300000}};
    s[QStringLiteral("images")] = images;
    setState(s);
    QFile image(path(name + QStringLiteral(".iso")));
    image.open(QIODevice::WriteOnly);
    image.resize(4096);
    Job job;
    job.kind = JobKind::Install;
    job.source = image.fileName();
    job.destination = target;
    job.name = name;
    job.startup = QStringLiteral("SLES_543.21");
    job.sizeKb = 300000;
    return job;
}

QJsonObject SimWorld::defaultState()
{
    QJsonArray games1{game(QStringLiteral("Test Game"), QStringLiteral("SLUS_123.45"),
                           QStringLiteral("CD"), 308576, QStringLiteral("+1+3")),
                      game(QStringLiteral("Small"), QStringLiteral("SLUS_123.45"),
                           QStringLiteral("CD"), 1374, QStringLiteral("+2"))};
    QJsonArray disks{QJsonObject{{QStringLiteral("device"), QStringLiteral("hdd1:")},
                                 {QStringLiteral("path"), QStringLiteral("/dev/sdb")},
                                 {QStringLiteral("size_mb"), 20480},
                                 {QStringLiteral("formatted"), true},
                                 {QStringLiteral("games"), games1}},
                     QJsonObject{{QStringLiteral("device"), QStringLiteral("hdd2:")},
                                 {QStringLiteral("path"), QStringLiteral("/dev/sdc")},
                                 {QStringLiteral("size_mb"), 40960},
                                 {QStringLiteral("formatted"), true},
                                 {QStringLiteral("games"), QJsonArray()}},
                     QJsonObject{{QStringLiteral("device"), QStringLiteral("hdd3:")},
                                 {QStringLiteral("path"), QStringLiteral("/dev/sdd")},
                                 {QStringLiteral("size_mb"), 900},
                                 {QStringLiteral("formatted"), false},
                                 {QStringLiteral("games"), QJsonArray()}}};
    QJsonArray drives{
        QJsonObject{{QStringLiteral("device"), QStringLiteral("cd0:")},
                    {QStringLiteral("path"), QStringLiteral("/dev/sr0")},
                    {QStringLiteral("disc"),
                     QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLUS_123.45")},
                                 {QStringLiteral("name"), QStringLiteral("TESTGAME")},
                                 {QStringLiteral("size_kb"), 308576}}}}};
    QJsonArray ps2s{
        QJsonObject{{QStringLiteral("address"), QStringLiteral("127.0.0.1")},
                    {QStringLiteral("size_mb"), 20480},
                    {QStringLiteral("games"),
                     QJsonArray{game(QStringLiteral("Net Game"), QStringLiteral("SLUS_123.45"),
                                     QStringLiteral("CD"), 308576)}}}};
    return QJsonObject{{QStringLiteral("style"), QStringLiteral("win")},
                       {QStringLiteral("job_seconds"), 0.3},
                       {QStringLiteral("rate"), 50},
                       {QStringLiteral("burst_ms"), 50},
                       {QStringLiteral("disks"), disks},
                       {QStringLiteral("drives"), drives},
                       {QStringLiteral("ps2s"), ps2s}};
}

bool FakeIcmp::sendEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs,
                        EchoReply& reply)
{
    in_addr a{};
    a.s_addr = addressNetOrder;
    const QString text = QString::fromLatin1(inet_ntoa(a));
    sent << text;
    lastPayload = payload;
    lastTimeout = timeoutMs;
    reply.status = status.value(text, 11010);
    reply.roundTripTime = reply.status == 0 ? roundTrip : 0;
    return canSend;
}

QByteArray ReadCaptureBytes(const QString& name)
{
    QFile f(QStringLiteral(VENTRIK_CAPTURES_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing capture %s", qPrintable(name));
    return f.readAll();
}

QProcessEnvironment HomeIn(const QString& dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), dir + QStringLiteral("/state"));
    return env;
}

bool WriteBitmap(const QString& path, int w, int h, quint8 shade)
{
    const int row = (w * 3 + 3) & ~3;
    QByteArray b(54 + row * h, char(shade));
    auto put32 = [&](int at, quint32 v) { qToLittleEndian<quint32>(v, b.data() + at); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, quint32(b.size()));
    put32(6, 0);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(w));
    put32(22, quint32(h));
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(24, b.data() + 28);
    put32(30, 0);
    put32(34, quint32(row * h));
    put32(38, 2835);
    put32(42, 2835);
    put32(46, 0);
    put32(50, 0);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
}

QString MakeDiskWithGame(const QString& dir, const QString& toolsDir)
{
    const QString disk = dir + QStringLiteral("/disk.img");
    QFile f(disk);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(qint64(1024) * 1024 * 1024))
        return {};
    f.close();
    const QString image = dir + QStringLiteral("/world.iso");
    const QProcessEnvironment env = HomeIn(dir);
    if (RunProcess(toolsDir + QStringLiteral("/hdl_dump-0.9.0"),
                   {QStringLiteral("initialize"), disk}, env, dir)
                .status != 0 ||
        !WritePs2Image(image, QStringLiteral("SLUS_123.45"), QStringLiteral("GAME"), 3000, 'W'))
        return {};
    const ProcessResult installed =
        RunProcess(QStringLiteral(VENTRIK_CLI_PATH),
                   {QStringLiteral("--hdl-dump"), toolsDir + QStringLiteral("/hdl_dump-0.9.2"),
                    QStringLiteral("install"), disk, image, QStringLiteral("--name"),
                    QStringLiteral("World"), QStringLiteral("--type"), QStringLiteral("cd")},
                   env, dir);
    return installed.status == 0 ? disk : QString();
}

ProcessResult RunProcess(const QString& program, const QStringList& args,
                         const QProcessEnvironment& env, const QString& cwd, qint64 fileSizeLimit)
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!cwd.isEmpty())
        p.setWorkingDirectory(cwd);
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            // Only the soft limit, so a child (the simulated tool) can lift it again.
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = static_cast<rlim_t>(fileSizeLimit);
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    p.start(program, args);
    if (!p.waitForFinished(240000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_oldSoft = static_cast<qint64>(limit.rlim_cur);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_oldSoft);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}
