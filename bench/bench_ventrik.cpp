// Ventrik's benchmarks: each figure is printed as
//   bench: NAME = VALUE UNIT (target OP LIMIT)
// and the program exits non-zero when a figure misses its target.
#include "core/tool/ToolRun.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

int g_missed = 0;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

void report(const char* name, double value, const char* unit, const char* op, double limit)
{
    const bool ok = (op[0] == '<') ? value < limit : value == limit;
    std::printf("bench: %s = %.3f %s (target %s %g)%s\n", name, value, unit, op, limit,
                ok ? "" : "  MISSED");
    std::fflush(stdout);
    if (!ok)
        ++g_missed;
}

void info(const char* name, double value, const char* unit)
{
    std::printf("bench: %s = %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Latencies of lines "LINE n t_ns" in text, against the time they arrived.
void collect(const QString& text, double arrivedMs, std::vector<double>& out)
{
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(u' ');
        if (parts.size() == 3 && parts[0] == QLatin1String("LINE"))
            out.push_back(arrivedMs - parts[2].toDouble() / 1e6);
    }
}

// Runs the tool to its end; a benchmark may wait where the program never does.
void runToEnd(ToolRun& run)
{
    QEventLoop loop;
    QObject::connect(&run, &ToolRun::finished, &loop, &QEventLoop::quit);
    run.start();
    if (!run.isFinished())
        loop.exec();
}

std::vector<double> runnerLatencies(const QString& sim, int lines)
{
    ToolRun io({sim, {QStringLiteral("sim_lines"), QString::number(lines), QStringLiteral("2")}});
    std::vector<double> lat;
    QString tail;
    QObject::connect(&io, &ToolRun::output, [&](const QString& chunk) {
        const double t = nowMs();
        QString text = tail + chunk;
        const qsizetype cut = text.lastIndexOf(u'\n');
        tail = text.mid(cut + 1);
        collect(text.left(cut + 1), t, lat);
    });
    runToEnd(io);
    return lat;
}

// The same lines read by a bare blocking pipe reader, for comparison.
std::vector<double> pipeLatencies(const QString& sim, int lines)
{
    std::vector<double> lat;
    int fds[2];
    if (pipe(fds) != 0)
        return lat;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        const QByteArray path = sim.toLocal8Bit();
        const QByteArray count = QByteArray::number(lines);
        execl(path.constData(), path.constData(), "sim_lines", count.constData(), "2",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    QString tail;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0)
            break;
        const double t = nowMs();
        QString text = tail + QString::fromLatin1(buf, static_cast<int>(n));
        const qsizetype cut = text.lastIndexOf(u'\n');
        tail = text.mid(cut + 1);
        collect(text.left(cut + 1), t, lat);
    }
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return lat;
}

double cpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

double idleCpuPercent(const QString& sim, double seconds)
{
    ToolRun io({sim, {QStringLiteral("sim_silent"), QString::number(seconds)}});
    const double cpu0 = cpuSeconds();
    const double t0 = nowMs();
    runToEnd(io);
    const double wall = (nowMs() - t0) / 1e3;
    return 100.0 * (cpuSeconds() - cpu0) / wall;
}

// Starts the program offscreen until its main window is shown; returns the
// time to that point and the program's resident memory then.
bool startupOnce(const QString& app, const QString& sim, double* ms, double* rssMb)
{
    QTemporaryDir home;
    // A first start of the program (its settings are written afresh) by a
    // user who has used the tool before: no message to wait on.
    QFile::remove(QFileInfo(app).absolutePath() + QStringLiteral("/config.cfg"));
    QFile conf(home.filePath(QStringLiteral(".hdl_dump.conf")));
    conf.open(QIODevice::WriteOnly);
    conf.write("\"target_kbps\" = \"2300\"\n");
    conf.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    // Its own runtime folder: a Ventrik the user has open is not asked to come forward.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    p.setProcessEnvironment(env);
    const double t0 = nowMs();
    p.start(app, {QStringLiteral("--hdl-dump"), sim, QStringLiteral("--report-startup")});
    QByteArray out;
    while (!out.contains('\n') && p.waitForReadyRead(30000))
        out += p.readAllStandardOutput();
    *ms = nowMs() - t0;
    p.waitForFinished(30000);
    const qsizetype at = out.indexOf("shown rss_kb=");
    if (at < 0)
        return false;
    *rssMb = out.mid(at + 13).split('\n').value(0).toDouble() / 1024.0;
    return true;
}

// A whole "ventrik-cli --json games" process against a disk of 2,000 games.
double cliGamesOnce(const QString& cli, const QString& sim, const QString& statePath)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HDL_SIM_STATE"), statePath);
    p.setProcessEnvironment(env);
    const double t0 = nowMs();
    p.start(cli, {QStringLiteral("--hdl-dump"), sim, QStringLiteral("--json"),
                  QStringLiteral("games"), QStringLiteral("hdd1:")});
    p.waitForFinished(60000);
    const double ms = nowMs() - t0;
    const QJsonObject out = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    return out.value(QStringLiteral("games")).toArray().size() == 2000 ? ms : -1;
}

QString bigDiskState(const QTemporaryDir& dir)
{
    QJsonArray games;
    for (int i = 0; i < 2000; ++i)
        games.append(
            QJsonObject{{QStringLiteral("name"), QStringLiteral("Game %1").arg(i)},
                        {QStringLiteral("startup"),
                         QStringLiteral("SLUS_%1.00").arg(i % 1000, 3, 10, QLatin1Char('0'))},
                        {QStringLiteral("type"), QStringLiteral("DVD")},
                        {QStringLiteral("size_kb"), 1000 + i}});
    const QJsonObject disk{{QStringLiteral("device"), QStringLiteral("hdd1:")},
                           {QStringLiteral("path"), QStringLiteral("/dev/sdb")},
                           {QStringLiteral("size_mb"), 2000000},
                           {QStringLiteral("formatted"), true},
                           {QStringLiteral("games"), games}};
    const QString path = dir.filePath(QStringLiteral("big.json"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QJsonDocument(QJsonObject{{QStringLiteral("style"), QStringLiteral("win")},
                                      {QStringLiteral("disks"), QJsonArray{disk}},
                                      {QStringLiteral("drives"), QJsonArray()},
                                      {QStringLiteral("ps2s"), QJsonArray()}})
                .toJson());
    return path;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString sim = QStringLiteral(VENTRIK_SIM_PATH);
    const QString ventrik = QStringLiteral(VENTRIK_APP_PATH);
    QTemporaryDir state;
    QFile f(state.filePath(QStringLiteral("state.json")));
    f.open(QIODevice::WriteOnly);
    f.write("{\"style\": \"win\", \"disks\": [], \"drives\": [], \"ps2s\": []}");
    f.close();
    qputenv("HDL_SIM_STATE", f.fileName().toLocal8Bit());

    std::vector<double> runMedians, runP99s, pipeMedians;
    for (int run = 0; run < 3; ++run) {
        const std::vector<double> r = runnerLatencies(sim, 1000);
        runMedians.push_back(median(r));
        runP99s.push_back(percentile(r, 0.99));
        pipeMedians.push_back(median(pipeLatencies(sim, 1000)));
    }
    report("output_latency_median_ms", median(runMedians), "ms", "<", 1);
    report("output_latency_p99_ms", median(runP99s), "ms", "<", 5);
    info("pipe_latency_median_ms", median(pipeMedians), "ms");

    std::vector<double> idle;
    for (int run = 0; run < 3; ++run)
        idle.push_back(idleCpuPercent(sim, 10));
    report("idle_cpu_percent", median(idle), "%", "<", 1);

    std::vector<double> ms, rss;
    for (int run = 0; run < 5; ++run) {
        double m = 0, r = 0;
        if (startupOnce(ventrik, sim, &m, &r)) {
            ms.push_back(m);
            rss.push_back(r);
        }
    }
    if (ms.empty()) {
        std::printf("bench: startup could not be measured\n");
        ++g_missed;
    } else {
        report("startup_ms", median(ms), "ms", "<", 500);
        report("startup_rss_mb", median(rss), "MB", "<", 120);
    }

    const QString big = bigDiskState(state);
    std::vector<double> cli;
    for (int run = 0; run < 5; ++run)
        cli.push_back(cliGamesOnce(QStringLiteral(VENTRIK_CLI_PATH), sim, big));
    if (*std::min_element(cli.begin(), cli.end()) < 0) {
        std::printf("bench: cli_games_2000 did not list 2000 games\n");
        ++g_missed;
    } else {
        report("cli_games_2000_ms", median(cli), "ms", "<", 150);
    }
    return g_missed == 0 ? 0 : 1;
}
