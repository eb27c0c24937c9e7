// ventrik-cli: the session of the windows, without a display.
#include "CliCommand.h"
#include "core/devices/Probe.h"
#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"
#include "core/session/Session.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {
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

    QStringList args = QCoreApplication::arguments().mid(1);
    CliOptions options;
    QString tool;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--json")) {
            options.json = true;
        } else if (option == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (option == QLatin1String("--no-wait")) {
            options.noWait = true;
        } else if (option == QLatin1String("--hdl-dump") && !args.isEmpty()) {
            tool = args.takeFirst();
        } else if (option == QLatin1String("--help")) {
            std::fputs(CliCommand::usage().toLocal8Bit().constData(), stdout);
            return 0;
        } else if (option == QLatin1String("--version")) {
            std::printf("ventrik-cli %s\n", VENTRIK_VERSION);
            return 0;
        } else {
            std::fprintf(stderr, "ventrik-cli: unknown option %s\n%s",
                         option.toLocal8Bit().constData(),
                         CliCommand::usage().toLocal8Bit().constData());
            return 2;
        }
    }

    const AppPaths paths =
        AppPaths::forProgramDir(QCoreApplication::applicationDirPath(), tool, true);
    SystemIcmpBackend icmp;
    NoPowerActions power;
    Session session(paths, SessionSeams{icmp, power});
    session.setWaitForTargets(!options.noWait);
    CliCommand command(session, options);
    QObject::connect(&command, &CliCommand::done, &app,
                     [](int status) { QCoreApplication::exit(status); });
    // Asked to end: the tool is interrupted as Cancel does, and the program leaves when it has
    // stopped.
    platform::watchTerminationSignals(&app, [&session](int) {
        if (!session.isBusy())
            QCoreApplication::exit(1);
        QObject::connect(&session, &Session::busyChanged, &session, [](bool busy) {
            if (!busy)
                QCoreApplication::exit(1);
        });
        session.cancel();
    });
    command.start(args);
    return QCoreApplication::exec();
}
