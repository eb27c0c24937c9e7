// Benchmarks of the main window: a large game table reaching the browse list.
#include "core/devices/Probe.h"
#include "core/jobs/QueueFile.h"
#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"
#include "gui/Dialogs.h"
#include "gui/Startup.h"
#include "gui/StatusWindow.h"
#include "gui/TrayIcon.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace {

// A control the benchmark drives, by its object name; a renamed one ends it with a word.
template <class T> T* control(QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "bench: the window has no control named %s\n", name);
        std::exit(2);
    }
    return found;
}
class NoTray : public TrayIcon
{
public:
    bool isAvailable() const override { return false; }
    void add(const QString&, const QIcon&, QMenu*) override {}
    void remove() override {}
    bool isShown() const override { return false; }
    void showMessage(const QString&, const QString&) override {}
    void notify(const QString&, const QString&) override {}
};
class NoPower : public PowerActions
{
public:
    void ShutdownPC() override {}
    void SuspendPC() override {}
    void InhibitSleep(const QString&, InhibitDone done) override { done(true, {}); }
    void ReleaseSleep() override {}
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

// Runs one job at once, as Install Now does, with the status window shown. The
// tool is a wrapper that runs the simulator's helper named by BENCH_SIM_ARGS.
void runJob(Session& session, const QStringList& args)
{
    qputenv("BENCH_SIM_ARGS", args.join(u' ').toLocal8Bit());
    Job job;
    job.source = QStringLiteral("a.iso");
    job.destination = QStringLiteral("hdd1:");
    job.name = QStringLiteral("Bench");
    QEventLoop loop;
    QObject::connect(&session, &Session::runFinished, &loop, &QEventLoop::quit);
    if (session.runNow(job))
        loop.exec();
    qunsetenv("BENCH_SIM_ARGS");
}

// Waits until the session is idle (a benchmark may wait; the program never does).
void waitIdle(Session& session)
{
    QEventLoop loop;
    QObject::connect(&session, &Session::busyChanged, &loop, [&](bool busy) {
        if (!busy)
            loop.quit();
    });
    if (session.isBusy())
        loop.exec();
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
    // 2,000 games of 4.2 GB: 35 slices each, on a disk with room left for the jobs below.
    {
        QString games;
        for (int i = 0; i < 2000; ++i)
            games += QStringLiteral("%1{\"name\": \"Game number %2\", \"startup\": \"SLUS_%3.45\", "
                                    "\"type\": \"DVD\", \"size_kb\": 4404224, \"flags\": \"+1+3\"}")
                         .arg(i ? QStringLiteral(",") : QString())
                         .arg(i)
                         .arg(i % 1000, 3, 10, QLatin1Char('0'));
        QFile state(statePath);
        state.open(QIODevice::WriteOnly);
        state.write(QStringLiteral("{\"style\": \"win\", \"drives\": [], \"ps2s\": [], "
                                   "\"disks\": [{\"device\": \"hdd1:\", \"path\": \"/dev/sdb\", "
                                   "\"size_mb\": 12000000, \"formatted\": true, \"games\": [%1]}], "
                                   "\"job_seconds\": 0.2}")
                        .arg(games)
                        .toUtf8());
    }
    qputenv("HDL_SIM_STATE", statePath.toLocal8Bit());
    // The tool: the simulator, whose helper named by BENCH_SIM_ARGS stands in for a job.
    const QString tool = dir.filePath(QStringLiteral("hdl_dump"));
    {
        QFile wrapper(tool);
        wrapper.open(QIODevice::WriteOnly);
        // Only the job's own command is replaced, when BENCH_SIM_ARGS says by what; the listing
        // after the run is the simulator's.
        wrapper.write(
            QStringLiteral("#!/bin/sh\ncase \"$1\" in inject_*) [ -n \"$BENCH_SIM_ARGS\" ] "
                           "&& exec '%1' $BENCH_SIM_ARGS;; esac\nexec '%1' \"$@\"\n")
                .arg(QStringLiteral(VENTRIK_SIM_PATH))
                .toUtf8());
        wrapper.setPermissions(wrapper.permissions() | QFileDevice::ExeOwner);
    }
    AppPaths paths = AppPaths::forProgramDir(dir.path());
    // The saved queue and the log stay in the benchmark's folder.
    paths.dataDir = dir.filePath(QStringLiteral("data"));
    paths.stateDir = dir.filePath(QStringLiteral("state"));
    Program program =
        StartProgram(paths, SessionSeams{icmp, power}, MainSeams{dialogs, tray, [] {}});
    Session& session = *program.session;
    auto* list = control<QTreeView>(program.window.get(), "gameList");

    // From asking for the list to the 2,000 rows in the browse list: a whole tool run.
    std::vector<double> ms;
    int rows = 0;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        session.attach(Target::Disk(QStringLiteral("hdd1:")));
        waitIdle(session);
        QApplication::processEvents();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        rows = list->model()->rowCount();
    }
    report("toc_2000_games_ms", median(ms), "ms", 150);
    std::printf("bench: toc_2000_games_rows = %d rows (target = 2000)%s\n", rows,
                rows == 2000 ? "" : "  MISSED");
    g_missed += rows == 2000 ? 0 : 1;

    auto* bar = control<QProgressBar>(&program.window->statusWindow(), "currentProgress");

    // From the tool writing a progress record to the status window's bar showing it.
    const QString progressLog = dir.filePath(QStringLiteral("progress.log"));
    qputenv("HDL_SIM_PROGRESS_LOG", progressLog.toLocal8Bit());
    std::vector<std::pair<int, double>> shown;
    auto conn = QObject::connect(bar, &QProgressBar::valueChanged,
                                 [&](int v) { shown.emplace_back(v, nowMs()); });
    std::vector<double> latencyMedians;
    for (int run = 0; run < 3; ++run) {
        shown.clear();
        runJob(session,
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
    runJob(session, {QStringLiteral("sim_progress"), QStringLiteral("300"), QStringLiteral("100")});
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
    runJob(session, {QStringLiteral("sim_flood"), QStringLiteral("10")});
    tick.stop();
    const double rss1 = static_cast<double>(platform::residentMemoryKb()) / 1024.0;
    report("progress_flood_ui_lag_ms", worstLag, "ms", 50);
    report("progress_flood_rss_growth_mb", std::max(0.0, rss1 - rss0), "MB", 5);

    // From a saved queue of 500 jobs to their rows in the job list, checks included.
    {
        QList<Job> saved;
        for (int i = 0; i < 500; ++i) {
            Job j;
            j.kind = i % 5 == 0 ? JobKind::CopyToPC : JobKind::Install;
            j.source = i % 5 == 0 ? QStringLiteral("hdd1:") : dir.filePath(QStringLiteral("a.iso"));
            j.destination = i % 5 == 0 ? dir.filePath(QStringLiteral("out%1.iso").arg(i))
                                       : QStringLiteral("hdd1:");
            j.name = QStringLiteral("Queued game %1").arg(i);
            j.startup = QStringLiteral("SLUS_%1.45").arg(i % 1000, 3, 10, QLatin1Char('0'));
            j.sizeKb = 4404224;
            j.state = i < 100 ? JobState::Complete : JobState::Pending;
            saved << j;
        }
        const QByteArray file = QueueToJson(saved);
        control<QRadioButton>(program.window.get(), "queueView")->click();
        auto* jobs = control<QTreeView>(program.window.get(), "jobList");
        std::vector<double> restore;
        for (int run = 0; run < 7; ++run) {
            QFile f(session.queueFile());
            QDir().mkpath(paths.dataDir);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(file);
            f.close();
            QElapsedTimer t;
            t.start();
            session.restoreQueue();
            QApplication::processEvents();
            jobs->viewport()->repaint();
            restore.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            if (jobs->model()->rowCount() != 500)
                restore.back() = 1e9;
        }
        report("queue_restore_500_ms", median(restore), "ms", 50);
        session.jobs().clear();
    }

    // From the end of one job of the queue to the start of the next one's command: installs
    // that succeed, so each job's check after it is the next one's read of the disk before.
    // (After a failed job the next waits for one read of the disk: what failed may have
    // taken space.)
    {
        const int count = 15;
        QFile image(dir.filePath(QStringLiteral("a.iso")));
        image.open(QIODevice::WriteOnly);
        image.resize(4096);
        image.close();
        for (int i = 0; i < count; ++i) {
            Job j;
            j.source = image.fileName();
            j.destination = QStringLiteral("hdd1:");
            j.name = QStringLiteral("Switch %1").arg(i);
            j.startup = QStringLiteral("SCES_%1.00").arg(i);
            session.addJob(j);
        }
        std::vector<double> ended(count, -1);
        std::vector<double> started(count, -1);
        int row = -1;
        auto c1 =
            QObject::connect(&session.runs(), &QueueRuns::jobStarted, [&](int r) { row = r; });
        auto c2 = QObject::connect(&session, &Session::commandStarted, [&](const QString& shown) {
            if (row >= 0 && shown.startsWith(QLatin1String("inject")) && started[row] < 0)
                started[row] = nowMs();
        });
        auto c3 = QObject::connect(&session.jobs(), &QAbstractItemModel::dataChanged,
                                   [&](const QModelIndex& from, const QModelIndex&) {
                                       const int r = from.row();
                                       const JobState st = session.jobs().job(r).state;
                                       if (st != JobState::Active && st != JobState::Pending &&
                                           ended[r] < 0)
                                           ended[r] = nowMs();
                                   });
        session.startQueue();
        waitIdle(session);
        QObject::disconnect(c1);
        QObject::disconnect(c2);
        QObject::disconnect(c3);
        std::vector<double> switches;
        for (int i = 1; i < count; ++i) {
            if (ended[i - 1] >= 0 && started[i] >= 0)
                switches.push_back(started[i] - ended[i - 1]);
        }
        report("job_switch_ms", switches.size() == count - 1 ? median(switches) : 1e9, "ms", 20);
    }
    // Sorting the 2,000 games of the browse list by size, then by title.
    {
        control<QRadioButton>(program.window.get(), "browseView")->click();
        session.attach(Target::Disk(QStringLiteral("hdd1:")));
        waitIdle(session);
        std::vector<double> sorts;
        for (int run = 0; run < 7; ++run) {
            QElapsedTimer t;
            t.start();
            list->sortByColumn(run % 2 == 0 ? 2 : 0, Qt::AscendingOrder);
            list->viewport()->repaint();
            sorts.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        report("sort_2000_games_ms", median(sorts), "ms", 50);
    }

    // From asking to add 200 images in nested folders to their 200 rows in the job list.
    {
        QString images;
        for (int i = 0; i < 200; ++i) {
            const QString file =
                QStringLiteral("batch/%1/%2/game%3.%4")
                    .arg(i % 4)
                    .arg(i % 7)
                    .arg(i)
                    .arg(i % 3 == 0 ? QStringLiteral("ISO") : QStringLiteral("iso"));
            QDir().mkpath(QFileInfo(dir.filePath(file)).path());
            QFile f(dir.filePath(file));
            f.open(QIODevice::WriteOnly);
            f.write("image");
            images += QStringLiteral("%1\"game%2.%3\": {\"startup\": \"SLUS_%4.01\", \"name\": "
                                     "\"GAME %2\", \"size_kb\": 2000000}")
                          .arg(i ? QStringLiteral(",") : QString())
                          .arg(i)
                          .arg(i % 3 == 0 ? QStringLiteral("ISO") : QStringLiteral("iso"))
                          .arg(i, 3, 10, QLatin1Char('0'));
        }
        QFile state(statePath);
        state.open(QIODevice::ReadOnly);
        QByteArray json = state.readAll();
        state.close();
        json.insert(json.lastIndexOf('}'), ", \"images\": {" + images.toUtf8() + "}");
        state.open(QIODevice::WriteOnly | QIODevice::Truncate);
        state.write(json);
        state.close();
        session.jobs().clear();
        auto* jobs = control<QTreeView>(program.window.get(), "jobList");
        QElapsedTimer t;
        t.start();
        session.addImages({dir.filePath(QStringLiteral("batch"))});
        waitIdle(session);
        QApplication::processEvents();
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        const int rows = jobs->model()->rowCount();
        report("batch_add_200_images_ms", rows == 200 ? ms : 1e9, "ms", 4000);
    }
    return g_missed == 0 ? 0 : 1;
}
