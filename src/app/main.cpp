#include "devices/Probe.h"
#include "platform/Platform.h"
#include "platform/PowerActions.h"
#include "shell/Dialogs.h"
#include "shell/Startup.h"
#include "shell/TrayIcon.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ventrik"));
    QApplication::setApplicationVersion(QStringLiteral(VENTRIK_VERSION));
    // Hiding to the tray is not quitting; the exit routine ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Installs, browses, copies and deletes PS2 games on PS2 hard disks "
                       "through the hdl_dump tool."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption tool(
        QStringLiteral("hdl-dump"),
        QStringLiteral("Run the hdl_dump found at PATH instead of the one beside the "
                       "program."),
        QStringLiteral("PATH"));
    QCommandLineOption quitAfter(QStringLiteral("quit-after"),
                                 QStringLiteral("Leave after MS milliseconds (for checks)."),
                                 QStringLiteral("MS"));
    QCommandLineOption reportStartup(
        QStringLiteral("report-startup"),
        QStringLiteral("Print the memory in use once the window is shown, then "
                       "leave (for benchmarks)."));
    reportStartup.setFlags(QCommandLineOption::HiddenFromHelp);
    quitAfter.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(tool);
    parser.addOption(quitAfter);
    parser.addOption(reportStartup);
    parser.process(app);

    const AppPaths paths =
        AppPaths::forProgramDir(QApplication::applicationDirPath(), parser.value(tool));

    WidgetDialogs dialogs;
    SystemTrayIcon tray;
    SystemIcmpBackend icmp;
    SystemPowerActions power;
    auto window = Main(paths, MainSeams{dialogs, tray, icmp, power, [] { QApplication::quit(); }});
    dialogs.setOwner(window.get());

    if (parser.isSet(reportStartup)) {
        QTimer::singleShot(0, window.get(), [&] {
            std::printf("shown rss_kb=%lld\n",
                        static_cast<long long>(platform::residentMemoryKb()));
            std::fflush(stdout);
            window->close();
        });
    }
    if (parser.isSet(quitAfter))
        QTimer::singleShot(parser.value(quitAfter).toInt(), window.get(), [&] { window->close(); });
    return QApplication::exec();
}
