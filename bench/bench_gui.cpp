// Benchmarks of the main window: a large game table reaching the browse list.
#include "devices/Probe.h"
#include "platform/PowerActions.h"
#include "interpreter/Interpreter.h"
#include "shell/BrowsePane.h"
#include "shell/Dialogs.h"
#include "shell/Startup.h"
#include "shell/TrayIcon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
class NoDialogs : public Dialogs
{
public:
    void message(const QString&, Icon, const QString&) override {}
    Answer question(const QString&, Icon, const QString&) override { return Answer::No; }
    std::optional<QString> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> inputText(const QString&, const QString&) override
    {
        return std::nullopt;
    }
};
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
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    NoDialogs dialogs;
    NoTray tray;
    NoIcmp icmp;
    NoPower power;
    auto window = Main(AppPaths::forProgramDir(dir.path()), MainSeams{dialogs, tray, icmp, power, [] {}});

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
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("bench: toc_2000_games_ms = %.3f ms (target < 100)%s\n", median,
                median < 100 ? "" : "  MISSED");
    std::printf("bench: toc_2000_games_rows = %d rows (target = 2000)%s\n", rows,
                rows == 2000 ? "" : "  MISSED");
    return median < 100 && rows == 2000 ? 0 : 1;
}
