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
#include <QDBusConnection>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>

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

// done() once the window's first frame is drawn (as its first exposure is delivered): a start
// has ended when the window can be seen, whatever order the event loop takes things in.
void WhenFirstDrawn(QWidget* window, std::function<void()> done)
{
    QWindow* handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(0, window, std::move(done));
        return;
    }
    struct Watch : QObject
    {
        std::function<void()> done;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Expose && done &&
                static_cast<QWindow*>(watched)->isExposed()) {
                QTimer::singleShot(0, parent(), std::exchange(done, {}));
                deleteLater();
            }
            return false;
        }
    };
    auto* watch = new Watch;
    watch->setParent(window);
    watch->done = std::move(done);
    handle->installEventFilter(watch);
}

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

// Everything the program holds while it runs; made once no other Ventrik took the start.
struct Running
{
    WidgetDialogs dialogs;
    SystemTrayIcon tray;
    SystemIcmpBackend icmp;
    SystemPowerActions power;
    Program program;
    bool ending = false;  // asked to end
    bool running = false; // the window is loaded
};

void Start(Running& r, const QCommandLineParser& parser, const Options& options,
           SingleInstance& instance)
{
    const AppPaths paths = AppPaths::forProgramDir(QApplication::applicationDirPath(),
                                                   parser.value(options.tool), true);

    // The queue's lock, the answer to later starts and the end on a signal all come first:
    // a message at the start waits for the user, and nothing may slip in meanwhile.
    r.program =
        CreateProgram(paths, SessionSeams{r.icmp, r.power},
                      MainSeams{r.dialogs, r.tray, [] { QApplication::quit(); },
                                [](const QString& folder) {
                                    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
                                },
                                [](const LauncherState& state) { SendLauncherUpdate(state); }});
    // Disks plugged in and pulled out are known from UDisks2 where it runs.
    r.program.session->devices().watch(QDBusConnection::systemBus());
    // The disks chosen are read for their layout, devices too.
    r.program.session->setReadsDevices(true);
    MainWindow* window = r.program.window.get();
    r.dialogs.setOwner(window);
    QObject::connect(&instance, &SingleInstance::activationRequested, window,
                     &MainWindow::bringForward);
    // Asked to end: the tool is interrupted as Cancel does, and the program leaves when it
    // has stopped (also from inside a message box, whose loop ends with it).
    Session* session = r.program.session.get();
    auto leave = [&r] {
        r.ending = true;
        // While the window loads (a message at the start may be up), quit() would be lost:
        // every loop there is ends instead.
        if (r.running)
            QApplication::quit();
        else
            QCoreApplication::exit(0);
    };
    // Whatever has not stopped a few seconds later is ended the hard way, tool first: the
    // program is gone within 5 s.
    platform::watchTerminationSignals(QCoreApplication::instance(), [session, leave](int) {
        session->setEnding(true);
        session->whenIdle(leave);
        session->cancel();
        QTimer::singleShot(3500, session, [session, leave] {
            session->abandon();
            QTimer::singleShot(200, leave);
        });
    });
    instance.listen();

    window->load();
    // Asked to end while a message at the start was up.
    if (r.ending)
        return;
    // A tool named on the command line that is not there is said at once, by its path.
    if (parser.isSet(options.tool) && !QFileInfo::exists(paths.toolPath)) {
        r.dialogs.message(ProblemText({ProblemKind::ToolCannotRun, paths.toolPath,
                                       QStringLiteral("No such file or directory")}),
                          Dialogs::Icon::Exclamation);
    }

    if (parser.isSet(options.reportStartup)) {
        WhenFirstDrawn(window, [window] {
            std::printf("shown rss_kb=%lld\n",
                        static_cast<long long>(platform::residentMemoryKb()));
            std::fflush(stdout);
            window->close();
        });
    }
    if (parser.isSet(options.quitAfter))
        QTimer::singleShot(parser.value(options.quitAfter).toInt(), window,
                           [window] { window->close(); });
    r.running = true;
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

    // Another Ventrik of this user comes forward instead, and this start says so and leaves.
    SingleInstance instance;
    std::unique_ptr<Running> running;
    QObject::connect(&instance, &SingleInstance::handedOver, &app, [] {
        std::fprintf(stderr, "ventrik: Ventrik is already running; it was asked to come "
                             "forward.\n");
        QCoreApplication::exit(0);
    });
    QObject::connect(&instance, &SingleInstance::alone, &app, [&] {
        running = std::make_unique<Running>();
        Start(*running, parser, options, instance);
    });
    instance.askRunning();
    return QApplication::exec();
}
