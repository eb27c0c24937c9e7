// Feeds arbitrary output, cut into arbitrary chunks, in arbitrary flag
// states, to the interpreter and the parsers. Byte 0 picks the flags, byte 1
// the chunk size; the rest is the tool's output.
#include "interpreter/Interpreter.h"
#include "interpreter/InterpreterTarget.h"
#include "core/output/Parsers.h"
#include "gui/Dialogs.h"
#include "shell/RunState.h"

#include <cstddef>
#include <cstdint>

namespace {

// Keeps what it is given in counts and lengths, so the writes are exercised.
class CountingTarget : public InterpreterTarget
{
public:
    bool local = false, optical = false, image = true;
    int disks = 0, drives = 0, games = 0, selected = -1;
    qsizetype chars = 0;
    QString menu[5];
    QString name, iso = QStringLiteral("/tmp/x.iso");

    bool targetIsLocal() const override { return local; }
    bool sourceIsOptical() const override { return optical; }
    bool sourceIsImage() const override { return image; }
    void addMainDisk(const QString& l) override { ++disks, chars += l.size(); }
    int mainDiskCount() const override { return disks; }
    void setCopyMenuEntry(int i, const QString& c) override { menu[i] = c; }
    QString copyMenuCaption(int i) const override { return menu[i]; }
    void setCopyMenuEntryState(int, bool, bool) override {}
    void addOptical(const QString& l) override { ++drives, chars += l.size(); }
    int opticalCount() const override { return drives; }
    void chooseImageSource() override { optical = false, image = true; }
    void addFormatDisk(const QString& l) override { chars += l.size(); }
    bool opticalSelected() const override { return selected >= 0; }
    void deselectOptical() override { selected = -1; }
    void setDiscInfo(const QString& s, const QString& n, const QString& z) override
    {
        name = n;
        chars += s.size() + z.size();
    }
    QString gameName() const override { return name; }
    void setGameName(const QString& n) override { name = n; }
    QString imagePath() const override { return iso; }
    void enableCompat() override {}
    void enableMakeIso() override {}
    void clearGames() override { games = 0; }
    void addGames(const QList<parse::GameRow>& rows) override
    {
        for (const parse::GameRow& r : rows)
            ++games, chars += r.title.size() + r.startup.size();
    }
    void enableGameButtons(bool) override {}
    void enableInstallButtons() override {}
    void setDiskSpace(qint64, qint64, const QString& t) override { chars += t.size(); }
    int gameCount() const override { return games; }
    void setBrowseCaption(const QString& c) override { chars += c.size(); }
    void setJobResult(int, const QString& r) override { chars += r.size(); }
    int jobCount() const override { return 3; }
    void setCurrentProgress(int p, const QString& c) override { current = p, chars += c.size(); }
    int currentProgress() const override { return current; }
    void setOverallProgress(int, const QString& c) override { chars += c.size(); }
    void setRemaining(const QString& t) override { chars += t.size(); }
    void setSpeed(const QString& t) override { chars += t.size(); }
    bool statusMinimized() const override { return true; }
    void setStatusCaption(const QString& c) override { chars += c.size(); }
    int current = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    const int chunk = 1 + data[1] * 17;
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 2),
                                             static_cast<qsizetype>(size - 2));

    RunState state;
    state.AwaitDiskList = flags & 0x01;
    state.AwaitOpticalList = flags & 0x02;
    state.AwaitFormatList = flags & 0x04;
    state.AwaitDiscInfo = flags & 0x08;
    state.AwaitGameTable = flags & 0x10;
    state.JobActive = flags & 0x20;
    state.CurrentJob = 2;
    state.InstallNow = (flags & 0x60) == 0x60;
    CountingTarget target;
    target.local = flags & 0x40;
    target.optical = flags & 0x80;
    target.image = !target.optical;
    target.selected = target.optical ? 0 : -1;
    SilentDialogs dialogs;
    Interpreter interpreter(state, target, dialogs);
    interpreter.setDeviceDiscovery(
        [] { return QStringLiteral("\t/dev/sdb  1000 MB, formatted Playstation 2 HDD\n"); });
    for (qsizetype at = 0; at < text.size(); at += chunk)
        interpreter.InterpretOutput(text.mid(at, chunk));
    interpreter.FinishOutput();
    if (state.AwaitDiskList || state.AwaitOpticalList || state.AwaitFormatList ||
        state.AwaitDiscInfo || state.AwaitGameTable)
        __builtin_trap(); // a flag outlived the run

    for (const QString& line : parse::SplitLines(text)) {
        parse::ParseGameLine(line);
        parse::ParseSpaceLine(line);
        parse::ParseDiscInfoLine(line);
        parse::ParseDiskLine(line);
        parse::ParseOpticalLine(line);
    }
    return 0;
}
