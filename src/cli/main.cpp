// ventrik-cli: the session of the windows, without a display.
#include "CliCommand.h"
#include "core/devices/Probe.h"
#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"
#include "core/session/Session.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {
// How long a tool may take to stop when the program is asked to end (it must be gone within 5 s).
constexpr int kLeaveWithinMs = 3500;
// The command line's runs never end with the PC's power actions; they do keep it awake.
class NoPowerActions : public SystemPowerActions
{
public:
    void ShutdownPC() override {}
    void SuspendPC() override {}
};
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ventrik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VENTRIK_VERSION));

    // The program's own options count wherever they stand, before or after the command
    // ("games --json TARGET"); a command's own options are left to it.
    const QStringList given = QCoreApplication::arguments().mid(1);
    QStringList args;
    CliOptions options;
    QString tool;
    QString pfsShell;
    int stallSeconds = 0;
    bool help = false;
    for (int i = 0; i < given.size(); ++i) {
        const QString& a = given[i];
        if (a == QLatin1String("--json")) {
            options.json = true;
        } else if (a == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (a == QLatin1String("--no-wait")) {
            options.noWait = true;
        } else if (a == QLatin1String("--stall-timeout")) {
            bool number = false;
            const int seconds = given.value(i + 1).toInt(&number);
            if (!number || seconds < 1) {
                std::fputs("ventrik-cli: --stall-timeout needs a number of seconds (1 or more)\n",
                           stderr);
                return 2;
            }
            stallSeconds = seconds;
            ++i;
        } else if (a == QLatin1String("--hdl-dump")) {
            if (i + 1 >= given.size()) {
                std::fputs("ventrik-cli: --hdl-dump needs a path\n", stderr);
                return 2;
            }
            tool = given[++i];
        } else if (a == QLatin1String("--pfsshell")) {
            if (i + 1 >= given.size()) {
                std::fputs("ventrik-cli: --pfsshell needs a path\n", stderr);
                return 2;
            }
            pfsShell = given[++i];
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            help = true;
        } else if (a == QLatin1String("--version") || a == QLatin1String("-V")) {
            std::printf("ventrik-cli %s\n", VENTRIK_VERSION);
            return 0;
        } else if (args.isEmpty() && a.startsWith(u'-')) {
            std::fprintf(stderr, "ventrik-cli: unknown option %s\n%s", a.toLocal8Bit().constData(),
                         CliCommand::shortHelp().toLocal8Bit().constData());
            return 2;
        } else {
            args << a;
        }
    }
    // "help", "-h" and "--help" print the help; with a command, that command's.
    if (help || args.value(0) == QLatin1String("help")) {
        const QString command =
            args.value(0) == QLatin1String("help") ? args.value(1) : args.value(0);
        const QString text = command.isEmpty() ? CliCommand::usage() : CliCommand::usageOf(command);
        std::fputs((text.isEmpty() ? CliCommand::usage() : text).toLocal8Bit().constData(), stdout);
        return 0;
    }

    AppPaths paths = AppPaths::forProgramDir(QCoreApplication::applicationDirPath(), tool, true);
    paths.pfsShellOverride = pfsShell;
    paths.findPfsShell({});
    SystemIcmpBackend icmp;
    NoPowerActions power;
    Session session(paths, SessionSeams{icmp, power});
    session.setWaitForTargets(!options.noWait);
    if (stallSeconds > 0)
        session.setStallTimeout(stallSeconds * 1000);
    session.setCommandsBeforeGames(false);
    // The disks named are read for their layout, devices too.
    session.setReadsDevices(true);
    CliCommand command(session, options);
    QObject::connect(&command, &CliCommand::done, &app,
                     [](int status) { QCoreApplication::exit(status); });
    // Asked to end: the tool is interrupted as Cancel does, and the program leaves when it has
    // stopped; whatever has not stopped a few seconds later is ended the hard way, tool first.
    platform::watchTerminationSignals(&app, [&session](int) {
        session.whenIdle([] { QCoreApplication::exit(1); });
        session.cancel();
        QTimer::singleShot(kLeaveWithinMs, &session, [&session] {
            session.abandon();
            // A moment for the killed tool to be reaped.
            QTimer::singleShot(200, [] { QCoreApplication::exit(1); });
        });
    });
    command.start(args);
    return QCoreApplication::exec();
}
