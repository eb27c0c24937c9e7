// Benchmarks of the main window: a large game table reaching the browse list.
#include "core/devices/Probe.h"
#include "core/platform/PowerActions.h"
#include "gui/BrowsePane.h"
#include "gui/Dialogs.h"
#include "gui/TrayIcon.h"
#include "interpreter/Interpreter.h"
#include "shell/Startup.h"

#include "core/jobs/JobListModel.h"
#include "core/platform/Platform.h"
#include "jobs/frmStatus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace {
class NoTray : public TrayIcon
{
public:
    bool isAvailable() const override { return false; }
    void add(const QString&, const QIcon&, QMenu*) override {}
    void remove() override {}
    bool isShown() const override { return false; }
    void showMessage(const QString&, const QString&) override {}
};
class NoPower : public PowerActions
{
public:
    void ShutdownPC() override {}
    void SuspendPC() override {}
};
class NoIcmp : public IcmpBackend
{
public:
    bool sendEcho(quint32, const QByteArray&, int, EchoReply&) override { return false; }
};
double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double cpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int g_missed = 0;

void report(const char* name, double value, const char* unit, double limit)
{
    const bool ok = value < limit;
    std::printf("bench: %s = %.3f %s (target < %g)%s\n", name, value, unit, limit,
                ok ? "" : "  MISSED");
    std::fflush(stdout);
    g_missed += ok ? 0 : 1;
}

// Runs one job command as the queue runner does, with the status window shown.
void runJob(frmMain& window, const QStringList& args)
{
    window.state.JobActive = true;
    window.state.InstallNow = false;
    window.state.CurrentJob = 1;
    window.state.JobFinished = false;
    window.HDL_Command(args);
    window.state.JobActive = false;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SilentDialogs dialogs;
    NoTray tray;
    NoIcmp icmp;
    NoPower power;
    const QString statePath = dir.filePath(QStringLiteral("state.json"));
    {
        QFile state(statePath);
        state.open(QIODevice::WriteOnly);
        state.write("{\"style\": \"linux\", \"disks\": [], \"drives\": [], \"ps2s\": []}");
    }
    qputenv("HDL_SIM_STATE", statePath.toLocal8Bit());
    auto window = Main(AppPaths::forProgramDir(dir.path(), QStringLiteral(VENTRIK_SIM_PATH)),
                       MainSeams{dialogs, tray, icmp, power, [] {}});

    QString toc = QStringLiteral("type     size flags           startup      name\r\n");
    for (int i = 0; i < 2000; ++i)
        toc += QStringLiteral("DVD 4404224KB             1+3 SLUS_%1.45  Game number %2\r\n")
                   .arg(i % 1000, 3, 10, QLatin1Char('0'))
                   .arg(i);
    toc += QStringLiteral("total 2384750MB, used 783200MB, available 1601550MB\r\n");

    std::vector<double> ms;
    int rows = 0;
    for (int run = 0; run < 7; ++run) {
        window->state.AwaitGameTable = true;
        QElapsedTimer t;
        t.start();
        for (qsizetype at = 0; at < toc.size(); at += 4096)
            window->front().StdIO_GotData(toc.mid(at, 4096));
        window->interpreter().FinishOutput();
        QApplication::processEvents();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        rows = window->fmBrowse->lstHD->topLevelItemCount();
    }
    report("toc_2000_games_ms", median(ms), "ms", 100);
    std::printf("bench: toc_2000_games_rows = %d rows (target = 2000)%s\n", rows,
                rows == 2000 ? "" : "  MISSED");
    g_missed += rows == 2000 ? 0 : 1;

    window->jobs().AddJob(QStringLiteral("Install"), QStringLiteral("a.iso"),
                          QStringLiteral("hdd1:"), QStringLiteral("Bench"), {},
                          QStringLiteral("DVD-ROM"), {});
    frmStatus& status = window->status();
    status.show();

    // From the tool writing a progress record to the status window's bar showing it.
    const QString progressLog = dir.filePath(QStringLiteral("progress.log"));
    qputenv("HDL_SIM_PROGRESS_LOG", progressLog.toLocal8Bit());
    std::vector<std::pair<int, double>> shown;
    auto conn = QObject::connect(status.prgCurrent, &QProgressBar::valueChanged,
                                 [&](int v) { shown.emplace_back(v, nowMs()); });
    std::vector<double> latencyMedians;
    for (int run = 0; run < 3; ++run) {
        shown.clear();
        runJob(*window,
               {QStringLiteral("sim_progress"), QStringLiteral("300"), QStringLiteral("10")});
        QFile log(progressLog);
        log.open(QIODevice::ReadOnly);
        std::vector<std::pair<int, double>> written;
        for (const QByteArray& line : log.readAll().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2)
                written.emplace_back(parts[0].toInt(), parts[1].toDouble() / 1e6);
        }
        std::vector<double> lat;
        for (const auto& [value, at] : shown) {
            // The newest record of that value written before it was shown.
            double best = -1;
            for (const auto& [pct, wrote] : written) {
                if (pct == value && wrote <= at + 0.5)
                    best = wrote;
            }
            if (best >= 0)
                lat.push_back(std::max(0.0, at - best));
        }
        latencyMedians.push_back(median(lat));
    }
    QObject::disconnect(conn);
    report("progress_latency_median_ms", median(latencyMedians), "ms", 5);

    // CPU used while a 30-second job prints ten records a second.
    const double cpu0 = cpuSeconds();
    const double t0 = nowMs();
    runJob(*window, {QStringLiteral("sim_progress"), QStringLiteral("300"), QStringLiteral("100")});
    report("job_cpu_percent", 100.0 * (cpuSeconds() - cpu0) / ((nowMs() - t0) / 1e3), "%", 2);

    // The event loop's responsiveness and memory while the tool floods it with progress.
    double lastTick = nowMs();
    double worstLag = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double now = nowMs();
        worstLag = std::max(worstLag, now - lastTick - 10);
        lastTick = now;
    });
    const double rss0 = static_cast<double>(platform::residentMemoryKb()) / 1024.0;
    lastTick = nowMs();
    tick.start(10);
    runJob(*window, {QStringLiteral("sim_flood"), QStringLiteral("10")});
    tick.stop();
    const double rss1 = static_cast<double>(platform::residentMemoryKb()) / 1024.0;
    report("progress_flood_ui_lag_ms", worstLag, "ms", 50);
    report("progress_flood_rss_growth_mb", std::max(0.0, rss1 - rss0), "MB", 5);
    return g_missed == 0 ? 0 : 1;
}
