#include "core/devices/Probe.h"
#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"
#include "core/session/ProblemText.h"
#include "gui/AppIcon.h"
#include "gui/Dialogs.h"
#include "gui/SingleInstance.h"
#include "gui/Startup.h"
#include "gui/Translations.h"
#include "gui/TrayIcon.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstring>

namespace {

struct Options
{
    QCommandLineOption tool{
        QStringLiteral("hdl-dump"),
        QStringLiteral("Run the hdl_dump at PATH instead of looking for it beside this "
                       "program and then on the PATH."),
        QStringLiteral("PATH")};
    QCommandLineOption quitAfter{QStringLiteral("quit-after"),
                                 QStringLiteral("Leave after MS milliseconds (for checks)."),
                                 QStringLiteral("MS")};
    QCommandLineOption reportStartup{
        QStringLiteral("report-startup"),
        QStringLiteral("Print the memory in use once the window is shown, then "
                       "leave (for benchmarks).")};

    void addTo(QCommandLineParser& parser)
    {
        parser.setApplicationDescription(QStringLiteral(
            "Installs, browses, copies and deletes PS2 games on PS2 hard disks through the "
            "hdl_dump tool.\n\n"
            "The tool is looked for beside this program, then on the PATH, unless --hdl-dump names "
            "it.\n"
            "Settings are kept in config.cfg beside the program when that folder is writable, else "
            "in\n"
            "~/.config/Ventrik/config.cfg; hdl_dump's own settings are in ~/.hdl_dump.conf."));
        parser.addHelpOption();
        parser.addVersionOption();
        quitAfter.setFlags(QCommandLineOption::HiddenFromHelp);
        reportStartup.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(tool);
        parser.addOption(quitAfter);
        parser.addOption(reportStartup);
    }
};

void describe()
{
    QCoreApplication::setApplicationName(QStringLiteral("Ventrik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VENTRIK_VERSION));
}

// --help and --version answer on the terminal, without a display.
bool onlyAsksForInformation(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* flag : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], flag) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (onlyAsksForInformation(argc, argv)) {
        QCoreApplication core(argc, argv);
        describe();
        QCommandLineParser parser;
        Options options;
        options.addTo(parser);
        parser.process(core); // prints and leaves
        return 0;
    }

    QApplication app(argc, argv);
    describe();
    InstallTranslations(app);
    QApplication::setDesktopFileName(QStringLiteral("org.ventrik.Ventrik"));
    QApplication::setWindowIcon(AppIcon());
    // Hiding to the tray is not quitting; the exit routine ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    Options options;
    options.addTo(parser);
    parser.process(app);

    SingleInstance instance;
    if (instance.forwardToRunning())
        return 0;

    const AppPaths paths = AppPaths::forProgramDir(QApplication::applicationDirPath(),
                                                   parser.value(options.tool), true);

    WidgetDialogs dialogs;
    SystemTrayIcon tray;
    SystemIcmpBackend icmp;
    SystemPowerActions power;
    // The queue's lock, the answer to later starts and the end on a signal all come first:
    // a message at the start waits for the user, and nothing may slip in meanwhile.
    Program program =
        CreateProgram(paths, SessionSeams{icmp, power},
                      MainSeams{dialogs, tray, [] { QApplication::quit(); },
                                [](const QString& folder) {
                                    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
                                }});
    MainWindow* window = program.window.get();
    dialogs.setOwner(window);
    QObject::connect(&instance, &SingleInstance::activationRequested, window,
                     &MainWindow::bringForward);
    // Asked to end: the tool is interrupted as Cancel does, and the program leaves when it
    // has stopped (also from inside a message box, whose loop ends with it).
    Session* session = program.session.get();
    bool ending = false;
    bool running = false;
    auto leave = [&ending, &running] {
        ending = true;
        // Before the main loop runs (a message at the start is up), quit() would be lost:
        // every loop there is ends instead.
        if (running)
            QApplication::quit();
        else
            QCoreApplication::exit(0);
    };
    platform::watchTerminationSignals(&app, [session, leave](int) {
        if (!session->isBusy())
            leave();
        QObject::connect(session, &Session::busyChanged, session, [leave](bool busy) {
            if (!busy)
                leave();
        });
        session->cancel();
    });
    instance.listen();

    window->load();
    // Asked to end while a message at the start was up.
    if (ending)
        return 0;
    // A tool named on the command line that is not there is said at once, by its path.
    if (parser.isSet(options.tool) && !QFileInfo::exists(paths.toolPath)) {
        dialogs.message(ProblemText({ProblemKind::ToolCannotRun, paths.toolPath,
                                     QStringLiteral("No such file or directory")}),
                        Dialogs::Icon::Exclamation);
    }

    if (parser.isSet(options.reportStartup)) {
        QTimer::singleShot(0, window, [window] {
            std::printf("shown rss_kb=%lld\n",
                        static_cast<long long>(platform::residentMemoryKb()));
            std::fflush(stdout);
            window->close();
        });
    }
    if (parser.isSet(options.quitAfter))
        QTimer::singleShot(parser.value(options.quitAfter).toInt(), window,
                           [window] { window->close(); });
    running = true;
    return QApplication::exec();
}
