#include "Platform.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace platform {

QString toolFileName()
{
    return QStringLiteral("hdl_dump");
}

QString homeDir()
{
    return QDir::homePath();
}

QString userConfigDir()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = homeDir() + QStringLiteral("/.config");
    return base + QStringLiteral("/Ventrik");
}

QString userDataDir()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = homeDir() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/Ventrik");
}

QString diskSerial(const QString& device)
{
    if (!device.startsWith(QLatin1String("/dev/")))
        return {};
    const QString name = QFileInfo(device).fileName();
    for (const char* field : {"serial", "wwid"}) {
        QFile f(QStringLiteral("/sys/class/block/%1/device/%2").arg(name, QLatin1String(field)));
        if (f.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromLatin1(f.read(256)).trimmed();
            if (!text.isEmpty())
                return text;
        }
    }
    return {};
}

QString userStateDir()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty())
        base = homeDir() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/Ventrik");
}

QString defaultToolConfigPath()
{
    return homeDir() + QStringLiteral("/.hdl_dump.conf");
}

QString defaultDiscDatabasePath()
{
    return homeDir() + QStringLiteral("/.hdl_dump.list");
}

bool isDirWritable(const QString& dir)
{
    // Permission bits can lie (read-only mounts, ACLs): try it.
    QTemporaryFile probe(dir + QStringLiteral("/.ventrik-write-test-XXXXXX"));
    return probe.open();
}

bool isSystemProgramDir(const QString& dir)
{
    const QString clean = QDir::cleanPath(dir);
    for (const char* prefix : {"/usr", "/bin", "/sbin", "/lib", "/snap"}) {
        const QString p = QString::fromLatin1(prefix);
        if (clean == p || clean.startsWith(p + u'/'))
            return true;
    }
    return false;
}

static bool sendSignal(qint64 pid, int sig)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), sig) == 0;
}

bool interruptProcess(qint64 pid)
{
    return sendSignal(pid, SIGINT);
}

bool terminateProcess(qint64 pid)
{
    return sendSignal(pid, SIGTERM);
}

bool processExists(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void prepareChildProcess(QProcess& process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        // Only async-signal-safe calls here: this runs between fork and exec. The
        // parent's own handlers must not catch what is meant to stop the child.
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            ::signal(signal, SIG_DFL);
        ::prctl(PR_SET_PDEATHSIG, SIGINT);
        // The parent may have died before the line above took effect.
        if (::getppid() != parent)
            ::raise(SIGINT);
    });
}

namespace {
int g_signalPipe[2] = {-1, -1};

void onTerminationSignal(int signal)
{
    // Only async-signal-safe work here: the number goes through a pipe to the event loop.
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &number, 1);
}
} // namespace

void watchTerminationSignals(QObject* context, std::function<void(int signal)> handler)
{
    if (g_signalPipe[0] >= 0 || ::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [handler] {
        unsigned char number = 0;
        while (::read(g_signalPipe[0], &number, 1) == 1)
            handler(number);
    });
    struct sigaction action
    {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

FileStamp fileStamp(const QString& path)
{
    struct stat st
    {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    auto ns = [](const timespec& t) {
        return static_cast<qint64>(t.tv_sec) * 1000000000 + static_cast<qint64>(t.tv_nsec);
    };
    return {static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino),
            static_cast<qint64>(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

bool appendToRegularFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600);
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("it is not a regular file"));
    }
    const qint64 written = writeAll(fd, bytes);
    const int saved = errno;
    ::close(fd);
    if (written != bytes.size())
        return fail(QString::fromLocal8Bit(std::strerror(saved)));
    return true;
}

QString lockFileProblem(const QString& path)
{
    struct stat st
    {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("%1 is not a plain file").arg(path);
    if (st.st_size > 4096)
        return QStringLiteral("%1 is far larger than a lock file (%2 bytes)")
            .arg(path)
            .arg(st.st_size);
    return {};
}

std::optional<QString> identityOf(const QString& path)
{
    struct stat st
    {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    if (S_ISBLK(st.st_mode))
        return QStringLiteral("block %1:%2").arg(major(st.st_rdev)).arg(minor(st.st_rdev));
    return QStringLiteral("file %1:%2")
        .arg(static_cast<quint64>(st.st_dev))
        .arg(static_cast<quint64>(st.st_ino));
}

FileRead readRegularFile(const QString& path, qint64 maxBytes)
{
    FileRead result;
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Failed;
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.status = FileReadStatus::NotRegular;
        result.error = QStringLiteral("it is not a regular file");
        return result;
    }
    // One byte more than allowed tells a file that is too large, whatever stat said.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(std::min<qint64>(info.st_size, maxBytes) + 1));
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.status = FileReadStatus::Failed;
            result.error = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        got += n;
        if (got == bytes.size() && got <= maxBytes)
            bytes.resize(static_cast<qsizetype>(std::min<qint64>(got * 2, maxBytes + 1)));
    }
    ::close(fd);
    if (got > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        result.error = QStringLiteral("it is larger than %1 MB").arg(maxBytes / (1024 * 1024));
        return result;
    }
    bytes.resize(static_cast<qsizetype>(got));
    result.status = FileReadStatus::Read;
    result.bytes = bytes;
    return result;
}

QList<RawEntry> undecodableEntries(const QString& dir)
{
    QList<RawEntry> found;
    const QByteArray path = QFile::encodeName(dir);
    DIR* d = ::opendir(path.constData());
    if (!d)
        return found;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString shown = utf8.decode(name);
        if (!utf8.hasError())
            continue;
        struct stat info
        {};
        const bool folder =
            ::lstat((path + '/' + name).constData(), &info) == 0 && S_ISDIR(info.st_mode);
        found.append({shown, name, folder});
    }
    ::closedir(d);
    return found;
}

quint64 processStartTime(qint64 pid)
{
    if (pid <= 0)
        return 0;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // Field 22, counted after the command name, which is in parentheses and may hold blanks.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // fields[0] is the state (field 3): a zombie has ended.
    if (fields.size() < 20 || fields[0] == "Z")
        return 0;
    return fields[19].toULongLong();
}

bool killProcess(qint64 pid)
{
    return sendSignal(pid, SIGKILL);
}

bool replaceFile(const QString& from, const QString& to, QString* error)
{
    // rename() replaces the target atomically: there is never a moment without an image.
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

QString signalName(int signal)
{
    const char* abbrev = ::sigabbrev_np(signal);
    return abbrev ? QStringLiteral("SIG") + QString::fromLatin1(abbrev) : QString::number(signal);
}

qint64 residentMemoryKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

std::optional<quint32> parseIPv4(const QString& text)
{
    const QByteArray raw = text.toLatin1();
    if (raw.isEmpty() || raw.contains('\0'))
        return std::nullopt;
    const in_addr_t a = ::inet_addr(raw.constData());
    if (a == INADDR_NONE)
        return std::nullopt;
    return static_cast<quint32>(a);
}

namespace {

quint16 checksum(const unsigned char* data, size_t len)
{
    quint32 sum = 0;
    for (size_t i = 0; i + 1 < len; i += 2)
        sum += static_cast<quint32>(data[i] << 8 | data[i + 1]);
    if (len & 1)
        sum += static_cast<quint32>(data[len - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    return static_cast<quint16>(~sum);
}

constexpr quint32 kTimedOut = 11010;
constexpr quint32 kHostUnreachable = 11003;
constexpr quint32 kNetUnreachable = 11002;
constexpr quint32 kGeneralFailure = 11050;

quint32 statusForIcmpType(int type, int code)
{
    if (type == ICMP_DEST_UNREACH) {
        switch (code) {
        case ICMP_NET_UNREACH:
            return kNetUnreachable;
        case ICMP_PROT_UNREACH:
            return 11004;
        case ICMP_PORT_UNREACH:
            return 11005;
        default:
            return kHostUnreachable;
        }
    }
    if (type == ICMP_TIME_EXCEEDED)
        return 11013;
    if (type == ICMP_PARAMETERPROB)
        return 11015;
    if (type == ICMP_SOURCE_QUENCH)
        return 11016;
    return kGeneralFailure;
}

// Sends one echo on an open socket and waits for its answer. Raw sockets
// deliver the IP header in front of the ICMP message; datagram sockets do not.
EchoResult echoOnSocket(int fd, bool raw, quint32 addr, const QByteArray& payload, int timeoutMs)
{
    EchoResult result;
    const quint16 ident = static_cast<quint16>(::getpid() & 0xffff);
    const quint16 seq =
        static_cast<quint16>(std::chrono::steady_clock::now().time_since_epoch().count() & 0xffff);

    QByteArray packet(static_cast<int>(sizeof(icmphdr)), '\0');
    packet.append(payload);
    auto* hdr = reinterpret_cast<icmphdr*>(packet.data());
    hdr->type = ICMP_ECHO;
    hdr->code = 0;
    hdr->un.echo.id = htons(ident);
    hdr->un.echo.sequence = htons(seq);
    hdr->checksum = 0;
    hdr->checksum = htons(checksum(reinterpret_cast<const unsigned char*>(packet.constData()),
                                   static_cast<size_t>(packet.size())));

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = addr;
    const auto start = std::chrono::steady_clock::now();
    if (::sendto(fd, packet.constData(), static_cast<size_t>(packet.size()), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0) {
        result.sent = true;
        result.status = errno == ENETUNREACH ? kNetUnreachable : kGeneralFailure;
        return result;
    }
    result.sent = true;
    result.status = kTimedOut;

    for (;;) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count();
        const int left = timeoutMs - static_cast<int>(elapsed);
        if (left <= 0)
            return result;
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, left);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return result;
        unsigned char buf[1500];
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n =
            ::recvfrom(fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n <= 0)
            continue;
        size_t offset = 0;
        if (raw) {
            offset = static_cast<size_t>(buf[0] & 0x0f) * 4;
            if (static_cast<size_t>(n) < offset + sizeof(icmphdr))
                continue;
        } else if (static_cast<size_t>(n) < sizeof(icmphdr)) {
            continue;
        }
        icmphdr reply{};
        std::memcpy(&reply, buf + offset, sizeof reply);
        if (reply.type == ICMP_ECHO) // our own request seen on loopback by a raw socket
            continue;
        if (reply.type == ICMP_ECHOREPLY) {
            // Datagram sockets rewrite the identifier; match the sequence only there.
            if (ntohs(reply.un.echo.sequence) != seq || (raw && ntohs(reply.un.echo.id) != ident))
                continue;
            if (from.sin_addr.s_addr != addr)
                continue;
            result.status = 0;
            result.roundTripMs =
                static_cast<quint32>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now() - start)
                                         .count());
            return result;
        }
        result.status = statusForIcmpType(reply.type, reply.code);
        return result;
    }
}

} // namespace

EchoResult echoWithPingCommand(quint32 addr, int timeoutMs)
{
    EchoResult result;
    in_addr a{};
    a.s_addr = addr;
    QByteArray host = ::inet_ntoa(a);
    QByteArray wait = QByteArray::number(timeoutMs / 1000.0, 'f', 1);
    QByteArray args[] = {"ping", "-n", "-c", "1", "-W", wait, host};
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, "ping", &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return result;
    }
    result.sent = true;

    // This runs on the probe's own thread: reading ping's answer may block it, bounded.
    QByteArray text;
    bool ended = false;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs + 1500);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd p{out[0], POLLIN, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0)
            break;
        char buf[512];
        const ssize_t n = ::read(out[0], buf, sizeof buf);
        if (n <= 0) {
            ended = n == 0;
            break;
        }
        text.append(buf, static_cast<qsizetype>(n));
    }
    ::close(out[0]);
    int status = 0;
    if (!ended)
        ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    static const QRegularExpression time(QStringLiteral("time[=<]([0-9.]+) ms"));
    const auto m = time.match(QString::fromLocal8Bit(text));
    if (ended && WIFEXITED(status) && WEXITSTATUS(status) == 0 && m.hasMatch()) {
        result.status = 0;
        result.roundTripMs = static_cast<quint32>(m.captured(1).toDouble());
    } else {
        result.status = kTimedOut;
    }
    return result;
}

EchoResult sendIcmpEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs)
{
    // Unprivileged ICMP datagram sockets where the kernel allows them, raw sockets
    // where we are privileged, the system ping command as the last resort.
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    bool raw = false;
    if (fd < 0) {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        raw = true;
    }
    if (fd < 0)
        return echoWithPingCommand(addressNetOrder, timeoutMs);
    const EchoResult r = echoOnSocket(fd, raw, addressNetOrder, payload, timeoutMs);
    ::close(fd);
    return r;
}

} // namespace platform
