// hdl_dump_sim: answers the command lines Ventrik issues the way hdl_dump
// does, from a JSON state file (see SimState.h), in the older Windows texts or
// the current Linux ones.
#include "Sim.h"

#include <QCoreApplication>

volatile std::sig_atomic_t g_interrupted = 0;

namespace {

void onInterrupt(int)
{
    g_interrupted = 1;
}

} // namespace

void Sim::logCall(const QStringList& argv)
{
    const QString path = qEnvironmentVariable("HDL_SIM_LOG");
    if (path.isEmpty())
        return;
    QFile f(path);
    if (f.open(QIODevice::Append))
        f.write(QJsonDocument(QJsonArray::fromStringList(argv)).toJson(QJsonDocument::Compact) +
                '\n');
}

int Sim::fault()
{
    QJsonObject f = state.root.value(QStringLiteral("fault")).toObject();
    const QString envMode = qEnvironmentVariable("HDL_SIM_FAULT");
    if (!envMode.isEmpty())
        f[QStringLiteral("mode")] = envMode;
    const QString mode = f.value(QStringLiteral("mode")).toString();
    if (mode.isEmpty() || mode == QLatin1String("none"))
        return -1;
    const QString only = f.value(QStringLiteral("command")).toString();
    if (!only.isEmpty() && only != command)
        return -1;
    // The first "skip" runs of the command go well (a read before a write, say).
    if (const int skip = f.value(QStringLiteral("skip")).toInt(); skip > 0) {
        f[QStringLiteral("skip")] = skip - 1;
        state.root[QStringLiteral("fault")] = f;
        state.save();
        return -1;
    }
    if (f.contains(QStringLiteral("times"))) {
        const int times = f.value(QStringLiteral("times")).toInt();
        if (times <= 0)
            return -1;
        f[QStringLiteral("times")] = times - 1;
        state.root[QStringLiteral("fault")] = f;
        state.save();
    }
    const QString text = f.value(QStringLiteral("text")).toString();
    const int exitCode =
        f.value(QStringLiteral("exit")).toInt(mode == QLatin1String("silent") ? 0 : 1);
    if (mode == QLatin1String("silent"))
        return exitCode;
    if (mode == QLatin1String("crash")) {
        if (!text.isEmpty())
            outLine(text);
        std::fflush(stdout);
        std::signal(SIGABRT, SIG_DFL);
        std::abort();
    }
    if (mode == QLatin1String("hang")) {
        if (!text.isEmpty())
            outLine(text);
        std::fflush(stdout);
        while (!g_interrupted)
            ::pause();
        return interrupted();
    }
    if (mode == QLatin1String("error")) {
        errLine(text);
        return exitCode;
    }
    if (mode == QLatin1String("refused") || mode == QLatin1String("timeout"))
        return networkFailure(mode);
    // These act once the game is written.
    if (mode == QLatin1String("short") || mode == QLatin1String("crash_after_100") ||
        mode == QLatin1String("error_after_100") || mode == QLatin1String("vanish") ||
        mode == QLatin1String("quiet") || mode == QLatin1String("hang_after_100") ||
        mode == QLatin1String("stall_at_20")) {
        m_after = mode;
        m_afterText = text;
        m_afterExit = f.value(QStringLiteral("exit")).toInt(1);
    }
    return -1;
}

int Sim::simLines(const QStringList& args) const
{
    const int count = args.value(0).toInt();
    const int intervalMs = args.value(1).toInt();
    for (int i = 0; i < count && !g_interrupted; ++i) {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        const qint64 ns = static_cast<qint64>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
        out("LINE " + QByteArray::number(i) + ' ' + QByteArray::number(ns) + '\n');
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
    }
    return 0;
}

int Sim::simProgress(const QStringList& args) const
{
    const int count = args.value(0).toInt();
    const int intervalMs = args.value(1).toInt();
    QFile log(qEnvironmentVariable("HDL_SIM_PROGRESS_LOG"));
    const bool logging =
        !log.fileName().isEmpty() && log.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count && !g_interrupted; ++i) {
        std::this_thread::sleep_until(
            start + std::chrono::milliseconds(static_cast<qint64>(i) * intervalMs));
        const int pct = i % 100;
        // The time the record is handed to the pipe, taken before the write.
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        out(QString::number(pct).rightJustified(3).toLatin1() +
            "%, 2 min, 46 sec remaining, 41.74 MB/sec         \r");
        std::fflush(stdout);
        if (logging)
            log.write(QByteArray::number(pct) + ' ' +
                      QByteArray::number(static_cast<qint64>(ts.tv_sec) * 1000000000 + ts.tv_nsec) +
                      '\n');
    }
    return 0;
}

int Sim::simSilent(const QStringList& args) const
{
    std::this_thread::sleep_for(
        std::chrono::milliseconds(static_cast<qint64>(args.value(0).toDouble() * 1000)));
    return 0;
}

int Sim::simFlood(const QStringList& args) const
{
    const auto end =
        std::chrono::steady_clock::now() +
        std::chrono::milliseconds(static_cast<qint64>(args.value(0).toDouble() * 1000));
    int pct = 0;
    while (std::chrono::steady_clock::now() < end && !g_interrupted) {
        const QByteArray rec = QString::number(pct).rightJustified(3).toLatin1() +
                               "%, 2 min, 46 sec remaining, 41.74 MB/sec         \r";
        out(rec);
        pct = (pct + 1) % 100;
    }
    std::fflush(stdout);
    return 0;
}

int Sim::run(const QStringList& argv)
{
    if (!state.load()) {
        std::fprintf(stderr, "hdl_dump_sim: cannot read state file %s\n",
                     qPrintable(SimState::statePath()));
        return 2;
    }
    win = state.root.value(QStringLiteral("style")).toString(QStringLiteral("win")) !=
          QLatin1String("linux");
    logCall(argv);
    if (argv.isEmpty())
        return usage();
    command = argv[0];
    const QStringList args = argv.mid(1);
    if (const int rc = fault(); rc >= 0)
        return rc;
    // Every command the simulator answers; the newer ones only in the current Linux texts.
    struct Command
    {
        const char* name;
        bool currentOnly;
        int (*handle)(Sim&, const QStringList&);
    };
    static const Command kCommands[] = {
        {"query", false,
         [](Sim& s, const QStringList& a) { return a.isEmpty() ? s.query() : s.usage(); }},
        {"hdl_toc", false, [](Sim& s, const QStringList& a) { return s.hdlToc(a); }},
        {"toc", false, [](Sim& s, const QStringList& a) { return s.toc(a); }},
        {"cdvd_info", false, [](Sim& s, const QStringList& a) { return s.cdvdInfo(a); }},
        {"cdvd_info2", true, [](Sim& s, const QStringList& a) { return s.cdvdInfo2(a); }},
        {"inject_cd", false, [](Sim& s, const QStringList& a) { return s.inject(a, false); }},
        {"inject_dvd", false, [](Sim& s, const QStringList& a) { return s.inject(a, true); }},
        {"extract", false, [](Sim& s, const QStringList& a) { return s.extract(a); }},
        {"dump", false, [](Sim& s, const QStringList& a) { return s.dump(a); }},
        {"delete", false, [](Sim& s, const QStringList& a) { return s.deleteGame(a); }},
        {"initialize", false, [](Sim& s, const QStringList& a) { return s.initialize(a); }},
        {"poweroff", false, [](Sim& s, const QStringList& a) { return s.poweroff(a); }},
        {"backup_toc", true, [](Sim& s, const QStringList& a) { return s.backupToc(a); }},
        {"restore_toc", true, [](Sim& s, const QStringList& a) { return s.restoreToc(a); }},
        {"modify", true, [](Sim& s, const QStringList& a) { return s.modify(a); }},
        {"sim_lines", false, [](Sim& s, const QStringList& a) { return s.simLines(a); }},
        {"sim_progress", false, [](Sim& s, const QStringList& a) { return s.simProgress(a); }},
        {"sim_silent", false, [](Sim& s, const QStringList& a) { return s.simSilent(a); }},
        {"sim_flood", false, [](Sim& s, const QStringList& a) { return s.simFlood(a); }},
    };
    for (const Command& c : kCommands) {
        if (command == QLatin1String(c.name) && (!c.currentOnly || has(c.name)))
            return c.handle(*this, args);
    }
    return usage(command + QStringLiteral(": unrecognized command."));
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::signal(SIGINT, onInterrupt);
    Sim sim;
    const int rc = sim.run(QCoreApplication::arguments().mid(1));
    std::fflush(stdout);
    return rc;
}
