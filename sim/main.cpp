// hdl_dump_sim: answers the command lines Ventrik issues the way hdl_dump
// does, from a JSON state file (see SimState.h), in the older Windows texts or
// the current Linux ones.
#include "SimDisk.h"
#include "SimState.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

struct Sim
{
    SimState state;
    bool win = true;
    QString command;

    QByteArray eol() const { return win ? "\r\n" : "\n"; }
    simdisk::Naming naming() const
    {
        return win ? simdisk::Naming::Older : simdisk::Naming::Current;
    }
    // "hdd1: text" or "/dev/sdb: text": a device name already ending in a colon gets no second one.
    static QString on(const QString& device, const QString& text)
    {
        return device + (device.endsWith(u':') ? QStringLiteral(" ") : QStringLiteral(": ")) + text;
    }

    void out(const QByteArray& text) const
    {
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    }
    void outLine(const QString& text) const { out(text.toUtf8() + eol()); }
    void errLine(const QString& text) const
    {
        std::fflush(stdout);
        const QByteArray bytes = text.toUtf8() + eol();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
        std::fflush(stderr);
    }

    int usage(const QString& complaint = {}) const
    {
        errLine(QStringLiteral("hdl_dump simulator (%1 texts)")
                    .arg(win ? QStringLiteral("win") : QStringLiteral("linux")));
        errLine(QStringLiteral("Usage: hdl_dump command arguments"));
        errLine(QStringLiteral("Commands:"));
        const char* cmds[] = {"toc device",
                              "hdl_toc device",
                              "cdvd_info drive|file",
                              "inject_cd target name source [startup] [flags]",
                              "inject_dvd target name source [startup] [flags]",
                              "extract device name file",
                              "dump drive file",
                              "poweroff ip"};
        for (const char* c : cmds)
            errLine(QStringLiteral("  ") + QString::fromLatin1(c));
        if (!win) {
            errLine(QStringLiteral("  cdvd_info2 drive|file"));
            errLine(QStringLiteral("  backup_toc device file"));
            errLine(QStringLiteral("  restore_toc device file"));
            errLine(QStringLiteral("  modify device name new_name [flags]"));
        }
        if (win) {
            errLine(QStringLiteral("  query"));
            errLine(QStringLiteral("  delete device name"));
            errLine(QStringLiteral("  initialize device"));
        }
        if (!complaint.isEmpty())
            errLine(complaint);
        return 100;
    }

    // A device text names a disk by its device or path, or a networked PS2 by address.
    QJsonArray disks() const { return state.root.value(QStringLiteral("disks")).toArray(); }
    QJsonArray drives() const { return state.root.value(QStringLiteral("drives")).toArray(); }
    QJsonArray ps2s() const { return state.root.value(QStringLiteral("ps2s")).toArray(); }

    static bool looksLikeAddress(const QString& s)
    {
        const QStringList parts = s.split(u'.');
        if (parts.size() != 4)
            return false;
        for (const QString& p : parts) {
            bool ok = false;
            const int v = p.toInt(&ok);
            if (!ok || v < 0 || v > 255)
                return false;
        }
        return true;
    }

    QString diskName(const QJsonObject& d) const
    {
        return d.value(win ? QStringLiteral("device") : QStringLiteral("path")).toString();
    }
    QString driveName(const QJsonObject& d) const { return diskName(d); }

    // Index into disks (kind 'd') or ps2s (kind 'n'); -1 when unknown.
    int findTarget(const QString& name, char* kind) const
    {
        if (looksLikeAddress(name)) {
            *kind = 'n';
            const QJsonArray list = ps2s();
            for (int i = 0; i < list.size(); ++i) {
                if (list[i].toObject().value(QStringLiteral("address")).toString() == name)
                    return i;
            }
            return -1;
        }
        *kind = 'd';
        const QJsonArray list = disks();
        for (int i = 0; i < list.size(); ++i) {
            const QJsonObject d = list[i].toObject();
            if (d.value(QStringLiteral("device")).toString() == name ||
                d.value(QStringLiteral("path")).toString() == name)
                return i;
        }
        return -1;
    }

    int findDrive(const QString& name) const
    {
        const QJsonArray list = drives();
        for (int i = 0; i < list.size(); ++i) {
            const QJsonObject d = list[i].toObject();
            if (d.value(QStringLiteral("device")).toString() == name ||
                d.value(QStringLiteral("path")).toString() == name)
                return i;
        }
        return -1;
    }

    QJsonObject target(char kind, int index) const
    {
        return (kind == 'n' ? ps2s() : disks())[index].toObject();
    }
    void setTarget(char kind, int index, const QJsonObject& t)
    {
        const QString key = kind == 'n' ? QStringLiteral("ps2s") : QStringLiteral("disks");
        QJsonArray list = state.root.value(key).toArray();
        list[index] = t;
        state.root[key] = list;
        state.save();
    }

    int networkFailure(const QString& mode) const
    {
        if (mode == QLatin1String("refused")) {
            errLine(win ? QStringLiteral(
                              "No connection could be made because the target machine actively "
                              "refused it.")
                        : QStringLiteral("0000006f (111): Connection refused"));
            return 1;
        }
        errLine(win ? QStringLiteral(
                          "A connection attempt failed because the connected party did not "
                          "properly respond after a period of time, or established connection "
                          "failed because connected host has failed to respond.")
                    : QStringLiteral("Network communication timeout."));
        return 127;
    }

    // Opens a target for a command; prints the failure and returns its status otherwise.
    int openTarget(const QString& name, char* kind, int* index, bool evenBroken = false) const
    {
        *index = findTarget(name, kind);
        if (*index < 0) {
            if (*kind == 'n')
                return networkFailure(QStringLiteral("timeout"));
            errLine(win ? on(name, QStringLiteral("The system cannot find the file specified."))
                        : QStringLiteral("00000002 (2): No such file or directory"));
            return 1;
        }
        const QJsonObject t = target(*kind, *index);
        if (*kind == 'n' && t.value(QStringLiteral("refuse")).toBool())
            return networkFailure(QStringLiteral("refused"));
        if (*kind == 'd' && !t.value(QStringLiteral("formatted")).toBool()) {
            errLine(win ? on(name, QStringLiteral("not a PlayStation 2 HDD."))
                        : on(name, QStringLiteral("APA partition is broken; aborting.")));
            return win ? 101 : 107;
        }
        // Every build, after an install took the last free slice.
        if (t.value(QStringLiteral("broken")).toBool() && !evenBroken) {
            errLine(on(name, QStringLiteral("APA partition is broken; aborting.")));
            return 107;
        }
        return 0;
    }

    int query() const
    {
        if (!win)
            return usage(QStringLiteral("query: unrecognized command."));
        outLine(QStringLiteral("Hard drives:"));
        for (const QJsonValue v : disks()) {
            const QJsonObject d = v.toObject();
            outLine(QStringLiteral("\t%1  %2 MB, %3")
                        .arg(d.value(QStringLiteral("device")).toString())
                        .arg(d.value(QStringLiteral("size_mb")).toInteger())
                        .arg(d.value(QStringLiteral("formatted")).toBool()
                                 ? QStringLiteral("formatted Playstation 2 HDD")
                                 : QStringLiteral("not formatted")));
        }
        outLine(QStringLiteral("Optical drives:"));
        for (const QJsonValue v : drives()) {
            const QJsonObject d = v.toObject();
            const QJsonObject disc = d.value(QStringLiteral("disc")).toObject();
            if (disc.isEmpty()) {
                outLine(QStringLiteral("\t%1  no media")
                            .arg(d.value(QStringLiteral("device")).toString()));
                continue;
            }
            outLine(QStringLiteral("\t%1  %2 MB, %3")
                        .arg(d.value(QStringLiteral("device")).toString())
                        .arg(disc.value(QStringLiteral("size_kb")).toInteger() / 1024)
                        .arg(disc.value(QStringLiteral("ps2")).toBool(true)
                                 ? QStringLiteral("Playstation 2 disc")
                                 : QStringLiteral("other disc")));
        }
        std::fflush(stdout);
        return 0;
    }

    QString gameLine(const QJsonObject& g) const
    {
        QString flags = g.value(QStringLiteral("flags")).toString();
        flags.remove(0, flags.startsWith(u'+') ? 1 : 0);
        if (!win && flags.isEmpty())
            flags = QStringLiteral("0");
        const QString type = g.value(QStringLiteral("type")).toString(QStringLiteral("CD"));
        const QString size =
            QString::number(g.value(QStringLiteral("size_kb")).toInteger()) + QStringLiteral("KB");
        QString line =
            type.leftJustified(3) + size.rightJustified(10) + flags.rightJustified(16) + u' ';
        if (!win)
            line += g.value(QStringLiteral("dma")).toString(QStringLiteral("*u4")) + u' ';
        line += g.value(QStringLiteral("startup")).toString().leftJustified(11) +
                QStringLiteral("  ") + g.value(QStringLiteral("name")).toString();
        return line;
    }

    int hdlToc(const QStringList& args) const
    {
        if (args.size() != 1)
            return usage();
        char kind = 'd';
        int index = -1;
        if (const int rc = openTarget(args[0], &kind, &index))
            return rc;
        const QJsonObject t = target(kind, index);
        outLine(win ? QStringLiteral("type     size flags           startup      name")
                    : QStringLiteral("type     size flags           dma startup      name"));
        for (const QJsonValue g : t.value(QStringLiteral("games")).toArray())
            outLine(gameLine(g.toObject()));
        const qint64 total = t.value(QStringLiteral("size_mb")).toInteger();
        const qint64 used = simdisk::usedMb(t);
        outLine(QStringLiteral("total %1MB, used %2MB, available %3MB")
                    .arg(total)
                    .arg(used)
                    .arg(total - used));
        std::fflush(stdout);
        return 0;
    }

    int toc(const QStringList& args) const
    {
        if (args.size() != 1)
            return usage();
        char kind = 'd';
        int index = -1;
        if (const int rc = openTarget(args[0], &kind, &index))
            return rc;
        for (const QString& line : simdisk::tocLines(target(kind, index), naming()))
            outLine(line);
        std::fflush(stdout);
        return 0;
    }

    QJsonObject imageInfo(const QString& path, bool* exists) const
    {
        const QFileInfo info(path);
        *exists = info.isFile();
        const QJsonObject images = state.root.value(QStringLiteral("images")).toObject();
        QJsonObject disc = images.value(info.fileName()).toObject();
        if (disc.isEmpty()) {
            disc[QStringLiteral("startup")] = QStringLiteral("SLUS_200.02");
            disc[QStringLiteral("name")] = QString();
            disc[QStringLiteral("size_kb")] = std::max<qint64>(1, info.size() / 1024);
        }
        return disc;
    }

    // The disc of a drive or an image; prints the failure and returns its status otherwise.
    int openSource(const QString& source, QJsonObject* disc) const
    {
        const int drive = findDrive(source);
        if (drive >= 0) {
            *disc = drives()[drive].toObject().value(QStringLiteral("disc")).toObject();
            if (disc->isEmpty()) {
                errLine(win ? on(source, QStringLiteral("The device is not ready."))
                            : QStringLiteral("0000007b (123): No medium found"));
                return 1;
            }
        } else {
            bool exists = false;
            *disc = imageInfo(source, &exists);
            if (!exists) {
                errLine(win ? QStringLiteral("The system cannot find the file specified.")
                            : QStringLiteral("00000002 (2): No such file or directory"));
                return 1;
            }
        }
        if (disc->value(QStringLiteral("bad_isofs")).toBool()) {
            errLine(on(source, QStringLiteral("bad ISOFS.")));
            return 111;
        }
        if (!disc->value(QStringLiteral("ps2")).toBool(true)) {
            errLine(on(source, QStringLiteral("not a Playstation CD-ROM/DVD-ROM.")));
            return 112;
        }
        return 0;
    }

    int cdvdInfo(const QStringList& args) const
    {
        if (args.size() != 1)
            return usage();
        QJsonObject disc;
        if (const int rc = openSource(args[0], &disc))
            return rc;
        outLine(QStringLiteral("\"%1\" \"%2\" %3 %4KB")
                    .arg(disc.value(QStringLiteral("startup")).toString(),
                         disc.value(QStringLiteral("name")).toString(),
                         disc.value(QStringLiteral("dual_layer")).toBool()
                             ? QStringLiteral("dual layer")
                             : QString())
                    .arg(disc.value(QStringLiteral("size_kb")).toInteger()));
        std::fflush(stdout);
        return 0;
    }

    // The current builds' form: the media first, then size, label and startup.
    int cdvdInfo2(const QStringList& args) const
    {
        if (args.size() != 1)
            return usage();
        QJsonObject disc;
        if (const int rc = openSource(args[0], &disc))
            return rc;
        const qint64 kb = disc.value(QStringLiteral("size_kb")).toInteger();
        // The real builds say "?" for every image file; a drive knows its disc.
        const QString guess = findDrive(args[0]) < 0 ? QStringLiteral("?")
                              : kb <= 700 * 1024     ? QStringLiteral("CD")
                                                     : QStringLiteral("DVD");
        const QString media = disc.value(QStringLiteral("media")).toString(guess);
        outLine(QStringLiteral("%1 %2KB \"%3\" \"%4\" ")
                    .arg(media)
                    .arg(kb)
                    .arg(disc.value(QStringLiteral("name")).toString(),
                         disc.value(QStringLiteral("startup")).toString()));
        std::fflush(stdout);
        return 0;
    }

    static QString remaining(int seconds)
    {
        if (seconds >= 60)
            return QStringLiteral("%1 min, %2 sec").arg(seconds / 60).arg(seconds % 60);
        return QStringLiteral("%1 sec").arg(seconds);
    }

    // Progress records at the configured rate, flushed in bursts. Returns
    // false when interrupted.
    bool progress() const
    {
        const double seconds = state.root.value(QStringLiteral("job_seconds")).toDouble(1.0);
        const int rate = std::max(1, state.root.value(QStringLiteral("rate")).toInt(20));
        const int burstMs = std::max(1, state.root.value(QStringLiteral("burst_ms")).toInt(100));
        const bool gauge = state.root.value(QStringLiteral("gauge")).toBool();
        const int records = std::max(1, static_cast<int>(seconds * rate));
        const auto start = std::chrono::steady_clock::now();
        auto lastFlush = start;
        out(QByteArray("  0%\r"));
        std::fflush(stdout);
        for (int i = 1; i <= records; ++i) {
            std::this_thread::sleep_until(
                start + std::chrono::microseconds(static_cast<qint64>(i * 1e6 / rate)));
            if (g_interrupted)
                return false;
            const int pct = i == records ? 100 : static_cast<int>(100.0 * i / records);
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            QByteArray rec = QString::number(pct).rightJustified(3).toLatin1() + '%';
            if (elapsed >= 1.0 || i == records) {
                // The newest builds draw a gauge before the records that carry a time.
                if (gauge)
                    rec = '[' + QByteArray(70, '=') + "] " + rec;
                const int left = std::max(1, static_cast<int>((seconds - elapsed) + 0.999));
                const double speed = 30.0 + (i % 7) * 1.37;
                rec += ", " + remaining(left).toLatin1() + " remaining, " +
                       QByteArray::number(speed, 'f', 2) + " MB/sec         ";
            }
            out(rec + '\r');
            const auto now = std::chrono::steady_clock::now();
            if (now - lastFlush >= std::chrono::milliseconds(burstMs) || i == records) {
                std::fflush(stdout);
                lastFlush = now;
            }
        }
        std::fflush(stdout);
        return true;
    }

    int interrupted() const
    {
        std::fflush(stdout);
        errLine(QStringLiteral("Interrupted."));
        return 109;
    }

    QJsonObject findGame(const QJsonObject& t, const QString& name) const
    {
        const QJsonArray games = t.value(QStringLiteral("games")).toArray();
        const int at = simdisk::findGame(games, name, naming());
        return at < 0 ? QJsonObject() : games[at].toObject();
    }

    // Adds game to a target, checking the name and the space.
    int addGame(const QString& targetName, const QJsonObject& game)
    {
        char kind = 'd';
        int index = -1;
        if (const int rc = openTarget(targetName, &kind, &index))
            return rc;
        QJsonObject t = target(kind, index);
        const QString name = game.value(QStringLiteral("name")).toString();
        const QString startup = game.value(QStringLiteral("startup")).toString();
        const QString partition = simdisk::partitionName(name, startup, naming());
        if (simdisk::taken(t.value(QStringLiteral("games")).toArray(), partition, naming())) {
            errLine(win ? on(targetName, QStringLiteral("The file exists."))
                        : on(targetName,
                             QStringLiteral("partition with such name already exists: \"%1\".")
                                 .arg(name)));
            return win ? 1 : 110;
        }
        const qint64 needMb =
            simdisk::slicesFor(game.value(QStringLiteral("size_kb")).toInteger()) * 128;
        const qint64 freeMb = t.value(QStringLiteral("size_mb")).toInteger() - simdisk::usedMb(t);
        if (needMb > freeMb) {
            errLine(on(targetName, QStringLiteral("not enough free space.")));
            return 106;
        }
        if (!progress())
            return interrupted();
        QJsonObject placed = game;
        placed[QStringLiteral("partition")] = partition;
        // On request, a copy cut short: half the game reaches the disk.
        if (m_after == QLatin1String("short"))
            placed[QStringLiteral("size_kb")] =
                game.value(QStringLiteral("size_kb")).toInteger() / 2;
        QJsonArray games = t.value(QStringLiteral("games")).toArray();
        // On request, a run that reports success for a game that never arrives.
        if (m_after != QLatin1String("vanish"))
            games.append(placed);
        t[QStringLiteral("games")] = games;
        // As every real build does: the install that took the last slice reads as done, and
        // the table it leaves is broken.
        if (needMb == freeMb)
            t[QStringLiteral("broken")] = true;
        setTarget(kind, index, t);
        return afterWrite();
    }

    // What happens after a game was written whole, on request: the tool crashes or
    // reports an error although the game is on the disk.
    int afterWrite() const
    {
        if (m_after == QLatin1String("crash_after_100")) {
            std::fflush(stdout);
            std::signal(SIGABRT, SIG_DFL);
            std::abort();
        }
        if (m_after == QLatin1String("error_after_100")) {
            errLine(m_afterText.isEmpty() ? QStringLiteral("Input or output is unsupported.")
                                          : m_afterText);
            return m_afterExit;
        }
        return 0;
    }

    // The flags an argument of "modify" sets: "+1+3", "+0" (none) or "0xNN"; nothing when
    // the argument is no flag list.
    static std::optional<QString> modifyFlags(const QString& arg)
    {
        static const QRegularExpression plus(QStringLiteral("^\\+[0-8](\\+[0-8])*$"));
        int bits = 0;
        if (arg.startsWith(QLatin1String("0x"))) {
            // As the real build: the hex digits there are, "0x" and "0xZZ" alike giving none.
            static const QRegularExpression hex(QStringLiteral("^0x([0-9a-fA-F]*)"));
            bits = hex.match(arg).captured(1).left(2).toInt(nullptr, 16);
        } else if (plus.match(arg).hasMatch()) {
            for (const QString& n : arg.mid(1).split(u'+'))
                bits |= n.toInt() > 0 ? 1 << (n.toInt() - 1) : 0;
        } else {
            return std::nullopt;
        }
        QString flags;
        for (int i = 0; i < 8; ++i) {
            if (bits & (1 << i))
                flags += u'+' + QString::number(i + 1);
        }
        return flags;
    }

    // The current builds' modify: a new name, flags, a DMA mode and -hide/-unhide, each
    // told apart by its form; a new name renames the partition too.
    int modify(const QStringList& args)
    {
        if (args.size() < 3 || args.size() > 6)
            return usage();
        char kind = 'd';
        int index = -1;
        if (const int rc = openTarget(args[0], &kind, &index))
            return rc;
        QJsonObject t = target(kind, index);
        QJsonArray games = t.value(QStringLiteral("games")).toArray();
        const int at = simdisk::findGame(games, args[1], naming());
        if (at < 0) {
            errLine(on(args[0], QStringLiteral("partition not found: \"%1\".").arg(args[1])));
            return 103;
        }
        QJsonObject game = games[at].toObject();
        static const QRegularExpression dma(QStringLiteral("^\\*(u[0-6]|m[0-2])$"));
        for (const QString& item : args.mid(2)) {
            if (item.startsWith(u'+') || item.startsWith(QLatin1String("0x"))) {
                const auto flags = modifyFlags(item);
                if (!flags)
                    return usage();
                game[QStringLiteral("flags")] = *flags;
            } else if (item.startsWith(u'*')) {
                if (!dma.match(item).hasMatch())
                    return usage();
                game[QStringLiteral("dma")] = item;
            } else if (item.startsWith(u'-')) {
                if (item != QLatin1String("-hide") && item != QLatin1String("-unhide"))
                    return usage();
                game[QStringLiteral("hidden")] = item == QLatin1String("-hide");
            } else {
                // Measured: the new partition may not be any partition on the disk, its own
                // included, so a game cannot be "renamed" to its own name.
                const QString partition = simdisk::partitionName(
                    item, game.value(QStringLiteral("startup")).toString(), naming());
                if (simdisk::taken(games, partition, naming())) {
                    errLine(on(args[0],
                               QStringLiteral("partition with such name already exists: \"%1\".")
                                   .arg(partition)));
                    return 110;
                }
                game[QStringLiteral("name")] = item;
                game[QStringLiteral("partition")] = partition;
            }
        }
        games[at] = game;
        t[QStringLiteral("games")] = games;
        setTarget(kind, index, t);
        return 0;
    }

    // The current builds save and restore a disk's partition table as a file.
    int backupToc(const QStringList& args) const
    {
        if (args.size() != 2)
            return usage();
        char kind = 'd';
        int index = -1;
        if (const int rc = openTarget(args[0], &kind, &index))
            return rc;
        if (QFileInfo::exists(args[1]))
            return fileExists(args[1]);
        QFile f(args[1]);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(
            "PS2SIM TOC\n" +
            QJsonDocument(target(kind, index).value(QStringLiteral("games")).toArray()).toJson());
        return 0;
    }

    int restoreToc(const QStringList& args)
    {
        if (args.size() != 2)
            return usage();
        char kind = 'd';
        int index = -1;
        // A table the tools call broken is what a restore is for.
        if (const int rc = openTarget(args[0], &kind, &index, true))
            return rc;
        QFile f(args[1]);
        if (!f.open(QIODevice::ReadOnly) || f.readLine() != "PS2SIM TOC\n") {
            errLine(on(args[1], QStringLiteral("not a partition table backup.")));
            return 1;
        }
        QJsonObject t = target(kind, index);
        t[QStringLiteral("games")] = QJsonDocument::fromJson(f.readAll()).array();
        t.remove(QStringLiteral("broken"));
        setTarget(kind, index, t);
        return 0;
    }

    int inject(const QStringList& args, bool dvd)
    {
        if (args.size() < 3 || args.size() > 5)
            return usage();
        // The newest build (the one with the gauge) leaves this where it runs.
        if (state.root.value(QStringLiteral("gauge")).toBool()) {
            QFile info(QStringLiteral("info.sys"));
            if (info.open(QIODevice::WriteOnly))
                info.write("sim\n");
        }
        QJsonObject disc;
        if (const int rc = openSource(args[2], &disc))
            return rc;
        QJsonObject game;
        game[QStringLiteral("name")] = args[1];
        game[QStringLiteral("type")] = dvd ? QStringLiteral("DVD") : QStringLiteral("CD");
        game[QStringLiteral("size_kb")] = disc.value(QStringLiteral("size_kb")).toInteger();
        const QString startup = args.value(3);
        game[QStringLiteral("startup")] =
            startup.isEmpty() ? disc.value(QStringLiteral("startup")).toString() : startup;
        game[QStringLiteral("flags")] = args.value(4);
        game[QStringLiteral("dma")] = QStringLiteral("*u4");
        return addGame(args[0], game);
    }

    int fileExists(const QString& path) const
    {
        if (win)
            errLine(on(path, QStringLiteral("The file exists.")));
        else
            errLine(QStringLiteral("00000011 (17): File exists"));
        return 1;
    }

    // An image of the game's size: its header, then a hole; cut to a byte on request.
    bool writeImage(const QString& path, const QByteArray& header, qint64 sizeKb) const
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(header);
        const qint64 bytes = m_after == QLatin1String("short") && !header.isEmpty()
                                 ? 1
                                 : std::max<qint64>(sizeKb * 1024, header.size());
        return f.resize(bytes);
    }

    int extract(const QStringList& args)
    {
        if (args.size() != 3)
            return usage();
        char kind = 'd';
        int index = -1;
        if (const int rc = openTarget(args[0], &kind, &index))
            return rc;
        const QJsonObject game = findGame(target(kind, index), args[1]);
        if (game.isEmpty()) {
            errLine(on(args[0], QStringLiteral("partition not found: \"%1\".").arg(args[1])));
            return 1;
        }
        const QString dest = args[2];
        // A device or address followed by a game name copies to another PS2 disk.
        const int colon = dest.indexOf(u':');
        const QString prefix = colon > 0 ? dest.left(colon) : QString();
        char destKind = 'd';
        if (colon > 0 && (findTarget(dest.left(colon + 1), &destKind) >= 0 ||
                          findTarget(prefix, &destKind) >= 0 || looksLikeAddress(prefix))) {
            QJsonObject copy = game;
            copy[QStringLiteral("name")] = dest.mid(colon + 1);
            const QString destTarget =
                findTarget(dest.left(colon + 1), &destKind) >= 0 ? dest.left(colon + 1) : prefix;
            return addGame(destTarget, copy);
        }
        if (QFileInfo::exists(dest)) {
            out(QByteArray("  0%\r"));
            return fileExists(dest);
        }
        // Like the real tool: the file is sized first, its content written as the copy goes.
        const qint64 kb = game.value(QStringLiteral("size_kb")).toInteger();
        if (!writeImage(dest, QByteArray(), kb)) {
            errLine(win ? QStringLiteral("The system cannot find the path specified.")
                        : QStringLiteral("00000002 (2): No such file or directory"));
            return 1;
        }
        if (!progress())
            return interrupted();
        // The image says which game it is: its partition and startup, then its name.
        writeImage(dest,
                   "PS2SIM extract " + simdisk::partitionOf(game, naming()).toUtf8() + ' ' +
                       game.value(QStringLiteral("startup")).toString().toUtf8() + ' ' +
                       game.value(QStringLiteral("name")).toString().toUtf8() + '\n',
                   kb);
        return 0;
    }

    int dump(const QStringList& args)
    {
        if (args.size() != 2)
            return usage();
        QJsonObject disc;
        if (const int rc = openSource(args[0], &disc))
            return rc;
        if (QFileInfo::exists(args[1]))
            return fileExists(args[1]);
        const qint64 kb = disc.value(QStringLiteral("size_kb")).toInteger();
        if (!writeImage(args[1], QByteArray(), kb))
            return 1;
        if (!progress())
            return interrupted();
        writeImage(
            args[1],
            "PS2SIM dump " + disc.value(QStringLiteral("startup")).toString().toUtf8() + '\n', kb);
        return 0;
    }

    int deleteGame(const QStringList& args)
    {
        if (!win)
            return usage(QStringLiteral("delete: unrecognized command."));
        if (args.size() != 2)
            return usage();
        char kind = 'd';
        int index = -1;
        if (const int rc = openTarget(args[0], &kind, &index))
            return rc;
        QJsonObject t = target(kind, index);
        QJsonArray games = t.value(QStringLiteral("games")).toArray();
        const int at = simdisk::findGame(games, args[1], naming());
        if (at < 0) {
            errLine(on(args[0], QStringLiteral("partition not found: \"%1\".").arg(args[1])));
            return 1;
        }
        games.removeAt(at);
        t[QStringLiteral("games")] = games;
        setTarget(kind, index, t);
        return 0;
    }

    int initialize(const QStringList& args)
    {
        if (!win)
            return usage(QStringLiteral("initialize: unrecognized command."));
        if (args.size() != 1)
            return usage();
        char kind = 'd';
        const int index = findTarget(args[0], &kind);
        if (index < 0 || kind != 'd') {
            errLine(on(args[0], QStringLiteral("The system cannot find the file specified.")));
            return 1;
        }
        QJsonObject t = target(kind, index);
        t[QStringLiteral("formatted")] = true;
        t[QStringLiteral("games")] = QJsonArray();
        setTarget(kind, index, t);
        return 0;
    }

    int poweroff(const QStringList& args) const
    {
        if (args.size() != 1)
            return usage();
        char kind = 'n';
        int index = -1;
        if (!looksLikeAddress(args[0]))
            return usage();
        return openTarget(args[0], &kind, &index);
    }

    // Tests read which command lines reached the tool: one JSON array per line.
    static void logCall(const QStringList& argv)
    {
        const QString path = qEnvironmentVariable("HDL_SIM_LOG");
        if (path.isEmpty())
            return;
        QFile f(path);
        if (f.open(QIODevice::Append))
            f.write(QJsonDocument(QJsonArray::fromStringList(argv)).toJson(QJsonDocument::Compact) +
                    '\n');
    }

    // Fault injection: returns -1 when no fault applies to this command.
    int fault()
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
            mode == QLatin1String("error_after_100") || mode == QLatin1String("vanish")) {
            m_after = mode;
            m_afterText = text;
            m_afterExit = f.value(QStringLiteral("exit")).toInt(1);
        }
        return -1;
    }

    QString m_after;
    QString m_afterText;
    int m_afterExit = 1;

    // Benchmark helpers: timestamped lines, silence, and a progress flood.
    int simLines(const QStringList& args) const
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

    // Progress records at a fixed interval; each record's write time goes to
    // the file HDL_SIM_PROGRESS_LOG names, so a benchmark can measure latency.
    int simProgress(const QStringList& args) const
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
                log.write(
                    QByteArray::number(pct) + ' ' +
                    QByteArray::number(static_cast<qint64>(ts.tv_sec) * 1000000000 + ts.tv_nsec) +
                    '\n');
        }
        return 0;
    }

    int simSilent(const QStringList& args) const
    {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(static_cast<qint64>(args.value(0).toDouble() * 1000)));
        return 0;
    }

    int simFlood(const QStringList& args) const
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

    int run(const QStringList& argv)
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
        if (command == QLatin1String("query"))
            return args.isEmpty() ? query() : usage();
        if (command == QLatin1String("hdl_toc"))
            return hdlToc(args);
        if (command == QLatin1String("toc"))
            return toc(args);
        if (command == QLatin1String("cdvd_info"))
            return cdvdInfo(args);
        if (command == QLatin1String("cdvd_info2") && !win)
            return cdvdInfo2(args);
        if (command == QLatin1String("inject_cd"))
            return inject(args, false);
        if (command == QLatin1String("inject_dvd"))
            return inject(args, true);
        if (command == QLatin1String("extract"))
            return extract(args);
        if (command == QLatin1String("dump"))
            return dump(args);
        if (command == QLatin1String("delete"))
            return deleteGame(args);
        if (command == QLatin1String("initialize"))
            return initialize(args);
        if (command == QLatin1String("poweroff"))
            return poweroff(args);
        if (command == QLatin1String("backup_toc") && !win)
            return backupToc(args);
        if (command == QLatin1String("restore_toc") && !win)
            return restoreToc(args);
        if (command == QLatin1String("modify") && !win)
            return modify(args);
        if (command == QLatin1String("sim_lines"))
            return simLines(args);
        if (command == QLatin1String("sim_progress"))
            return simProgress(args);
        if (command == QLatin1String("sim_silent"))
            return simSilent(args);
        if (command == QLatin1String("sim_flood"))
            return simFlood(args);
        return usage(command + QStringLiteral(": unrecognized command."));
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::signal(SIGINT, onInterrupt);
    Sim sim;
    const int rc = sim.run(QCoreApplication::arguments().mid(1));
    std::fflush(stdout);
    return rc;
}
