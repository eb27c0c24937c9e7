// The commands that write: installs, copies, changes, deletes, formatting, the table.
#include "Sim.h"

#include <QtEndian>

simdisk::Naming Sim::naming() const
{
    return win ? simdisk::Naming::Older : simdisk::Naming::Current;
}

QString Sim::on(const QString& device, const QString& text)
{
    return device + (device.endsWith(u':') ? QStringLiteral(" ") : QStringLiteral(": ")) + text;
}

void Sim::out(const QByteArray& text) const
{
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
}

void Sim::errLine(const QString& text) const
{
    std::fflush(stdout);
    const QByteArray bytes = text.toUtf8() + eol();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

QString Sim::remaining(int seconds)
{
    if (seconds >= 60)
        return QStringLiteral("%1 min, %2 sec").arg(seconds / 60).arg(seconds % 60);
    return QStringLiteral("%1 sec").arg(seconds);
}

bool Sim::progress() const
{
    const double seconds = state.root.value(QStringLiteral("job_seconds")).toDouble(1.0);
    const int rate = std::max(1, state.root.value(QStringLiteral("rate")).toInt(20));
    const int burstMs = std::max(1, state.root.value(QStringLiteral("burst_ms")).toInt(100));
    const bool gauge = state.root.value(QStringLiteral("gauge")).toBool();
    const QJsonObject hold = state.root.value(QStringLiteral("hold")).toObject();
    const int holdAt = hold.value(QStringLiteral("percent")).toInt(-1);
    const QString releasedBy = hold.value(QStringLiteral("until")).toString();
    bool held = false;
    const int records = std::max(1, static_cast<int>(seconds * rate));
    const auto start = std::chrono::steady_clock::now();
    // On request, a tool that says nothing at all while it writes.
    if (m_after == QLatin1String("quiet")) {
        std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
        return !g_interrupted;
    }
    auto lastFlush = start;
    out(QByteArray("  0%\r"));
    std::fflush(stdout);
    for (int i = 1; i <= records; ++i) {
        std::this_thread::sleep_until(
            start + std::chrono::microseconds(static_cast<qint64>(i * 1e6 / rate)));
        if (g_interrupted || !touchFileDisk(i))
            return false;
        const int pct = i == records ? 100 : static_cast<int>(100.0 * i / records);
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const bool holdHere = !held && holdAt >= 0 && pct >= holdAt && !releasedBy.isEmpty();
        QByteArray rec = QString::number(pct).rightJustified(3).toLatin1() + '%';
        if (elapsed >= 1.0 || i == records || holdHere) {
            // The newest builds draw a gauge before the records that carry a time.
            if (gauge)
                rec = '[' + QByteArray(70, '=') + "] " + rec;
            const int left = std::max(1, static_cast<int>((seconds - elapsed) + 0.999));
            const double speed = 30.0 + (i % 7) * 1.37;
            rec += ", " + remaining(left).toLatin1() + " remaining, " +
                   QByteArray::number(speed, 'f', 2) + " MB/sec         ";
        }
        out(rec + '\r');
        // On request, a disk that stops answering: silence from 20% on, until interrupted.
        if (m_after == QLatin1String("stall_at_20") && pct >= 20) {
            std::fflush(stdout);
            while (!g_interrupted)
                ::pause();
            return false;
        }
        if (holdHere) {
            held = true;
            std::fflush(stdout);
            // As a slow disk does: the same percent again, with its time, until released.
            for (int tick = 1; !QFile::exists(releasedBy); ++tick) {
                if (g_interrupted)
                    return false;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (tick % 12 == 0) {
                    out(rec + '\r');
                    std::fflush(stdout);
                }
            }
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - lastFlush >= std::chrono::milliseconds(burstMs) || i == records) {
            std::fflush(stdout);
            lastFlush = now;
        }
    }
    std::fflush(stdout);
    return true;
}

int Sim::interrupted() const
{
    std::fflush(stdout);
    // The disk's export went away under the run: the tool's write failed.
    if (!m_lostWith.isEmpty()) {
        errLine(on(m_fileDisk, m_lostWith));
        return 1;
    }
    errLine(QStringLiteral("Interrupted."));
    return 109;
}

QJsonObject Sim::findGame(const QJsonObject& t, const QString& name) const
{
    const QJsonArray games = t.value(QStringLiteral("games")).toArray();
    const int at = simdisk::findGame(games, name, naming());
    return at < 0 ? QJsonObject() : games[at].toObject();
}

int Sim::addGame(const QString& targetName, const QJsonObject& game)
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
        errLine(
            win ? on(targetName, QStringLiteral("The file exists."))
                : on(targetName,
                     QStringLiteral("partition with such name already exists: \"%1\".").arg(name)));
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
        placed[QStringLiteral("size_kb")] = game.value(QStringLiteral("size_kb")).toInteger() / 2;
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

int Sim::afterWrite() const
{
    // On request, a tool that never ends after 100% (its game is whole).
    if (m_after == QLatin1String("hang_after_100")) {
        std::fflush(stdout);
        while (!g_interrupted)
            ::pause();
        return interrupted();
    }
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

std::optional<QString> Sim::modifyFlags(const QString& arg)
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

int Sim::modify(const QStringList& args)
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
                errLine(
                    on(args[0], QStringLiteral("partition with such name already exists: \"%1\".")
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

int Sim::backupToc(const QStringList& args) const
{
    if (args.size() != 2)
        return usage();
    char kind = 'd';
    int index = -1;
    // Measured: the real builds copy a table they call broken, too.
    if (const int rc = openTarget(args[0], &kind, &index, true))
        return rc;
    if (QFileInfo::exists(args[1]))
        return fileExists(args[1]);
    QFile f(args[1]);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(simdisk::backupOf(target(kind, index), args[0], naming()));
    return 0;
}

int Sim::restoreToc(const QStringList& args)
{
    if (args.size() != 2)
        return usage();
    char kind = 'd';
    int index = -1;
    // A table the tools call broken is what a restore is for.
    if (const int rc = openTarget(args[0], &kind, &index, true))
        return rc;
    QFile f(args[1]);
    const std::optional<QJsonArray> games =
        f.open(QIODevice::ReadOnly) ? simdisk::gamesOfBackup(f.readAll()) : std::nullopt;
    if (!games) {
        errLine(on(args[1], QStringLiteral("not a partition table backup.")));
        return 1;
    }
    QJsonObject t = target(kind, index);
    t[QStringLiteral("games")] = *games;
    t.remove(QStringLiteral("broken"));
    setTarget(kind, index, t);
    return 0;
}

int Sim::inject(const QStringList& args, bool dvd)
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

int Sim::fileExists(const QString& path) const
{
    if (win)
        errLine(on(path, QStringLiteral("The file exists.")));
    else
        errLine(QStringLiteral("00000011 (17): File exists"));
    return 1;
}

bool Sim::writeImage(const QString& path, const QByteArray& header, qint64 sizeKb) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(header);
    const bool cut = m_after == QLatin1String("short") && !header.isEmpty();
    const qint64 bytes = cut ? 1 : std::max<qint64>(sizeKb * 1024, header.size());
    if (!header.isEmpty() && !cut) {
        // A disc's image holds its volume, which says its own size (as the real copies do).
        QByteArray pvd(2048, '\0');
        pvd.replace(0, 7,
                    QByteArrayLiteral("\x01"
                                      "CD001\x01"));
        qToLittleEndian<quint32>(static_cast<quint32>((sizeKb * 1024 + 2047) / 2048),
                                 pvd.data() + 80);
        qToLittleEndian<quint16>(2048, pvd.data() + 128);
        if (!f.seek(16 * 2048) || f.write(pvd) != pvd.size())
            return false;
    }
    return f.resize(bytes);
}

int Sim::extract(const QStringList& args)
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

int Sim::dump(const QStringList& args)
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
    writeImage(args[1],
               "PS2SIM dump " + disc.value(QStringLiteral("startup")).toString().toUtf8() + '\n',
               kb);
    return 0;
}

int Sim::deleteGame(const QStringList& args)
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

int Sim::initialize(const QStringList& args)
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

int Sim::poweroff(const QStringList& args) const
{
    if (args.size() != 1)
        return usage();
    char kind = 'n';
    int index = -1;
    if (!looksLikeAddress(args[0]))
        return usage();
    return openTarget(args[0], &kind, &index);
}
