// Opening disks, drives and PS2s, and the commands that list or read them.
#include "Sim.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>

int Sim::usage(const QString& complaint) const
{
    // Its version first, as the real builds print it.
    errLine(QStringLiteral("hdl_dump-0.9.2 simulator (%1 texts)")
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
    }
    if (has("modify"))
        errLine(QStringLiteral("  modify device name new_name [flags]"));
    if (win) {
        errLine(QStringLiteral("  query"));
        errLine(QStringLiteral("  delete device name"));
        errLine(QStringLiteral("  initialize device"));
    }
    if (!complaint.isEmpty())
        errLine(complaint);
    return 100;
}

bool Sim::looksLikeAddress(const QString& s)
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

QString Sim::diskName(const QJsonObject& d) const
{
    return d.value(win ? QStringLiteral("device") : QStringLiteral("path")).toString();
}

int Sim::findTarget(const QString& name, char* kind) const
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
    if (isFileDisk(name)) {
        *kind = 'f';
        m_fileDisk = name;
        return 0;
    }
    return -1;
}

bool Sim::isFileDisk(const QString& path)
{
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly) || !f.seek(kFileDiskJsonAt))
        return false;
    const QByteArray magic(kFileDiskMagic);
    return f.read(magic.size()) == magic;
}

bool Sim::touchFileDisk(int tick) const
{
    if (m_fileDisk.isEmpty())
        return true;
    const int fd = ::open(QFile::encodeName(m_fileDisk).constData(), O_RDWR);
    const QByteArray block(4096, 'x');
    const off_t at = kFileDiskHead + static_cast<off_t>(tick % 256) * 4096;
    if (fd >= 0 && ::pwrite(fd, block.constData(), block.size(), at) == block.size()) {
        ::close(fd);
        return true;
    }
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    m_lostWith = QStringLiteral("%1 (%2): %3")
                     .arg(QString::number(error, 16).rightJustified(8, u'0'))
                     .arg(error)
                     .arg(QString::fromLocal8Bit(std::strerror(error)));
    return false;
}

int Sim::findDrive(const QString& name) const
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

QJsonObject Sim::target(char kind, int index) const
{
    if (kind == 'f') {
        QFile f(m_fileDisk);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        if (!f.seek(kFileDiskJsonAt))
            return {};
        QByteArray head = f.read(kFileDiskHead - kFileDiskJsonAt);
        // A new disk's file has zeros after its JSON, a written one blanks.
        if (const qsizetype end = head.indexOf('\0'); end >= 0)
            head.truncate(end);
        return QJsonDocument::fromJson(head.mid(QByteArray(kFileDiskMagic).size()).trimmed())
            .object();
    }
    return (kind == 'n' ? ps2s() : disks())[index].toObject();
}

void Sim::setTarget(char kind, int index, const QJsonObject& t)
{
    if (kind == 'f') {
        // In place: a mounted export has its size, which nothing may change.
        QByteArray head = kFileDiskMagic + QJsonDocument(t).toJson(QJsonDocument::Compact);
        head.append(
            QByteArray(std::max<qint64>(0, kFileDiskHead - kFileDiskJsonAt - head.size()), ' '));
        QFile f(m_fileDisk);
        if (f.open(QIODevice::ReadWrite) && f.seek(kFileDiskJsonAt))
            f.write(head);
        return;
    }
    const QString key = kind == 'n' ? QStringLiteral("ps2s") : QStringLiteral("disks");
    QJsonArray list = state.root.value(key).toArray();
    list[index] = t;
    state.root[key] = list;
    state.save();
}

int Sim::networkFailure(const QString& mode) const
{
    if (mode == QLatin1String("refused")) {
        errLine(
            win ? QStringLiteral("No connection could be made because the target machine actively "
                                 "refused it.")
                : QStringLiteral("0000006f (111): Connection refused"));
        return 1;
    }
    errLine(
        win ? QStringLiteral("A connection attempt failed because the connected party did not "
                             "properly respond after a period of time, or established connection "
                             "failed because connected host has failed to respond.")
            : QStringLiteral("Network communication timeout."));
    return 127;
}

int Sim::openTarget(const QString& name, char* kind, int* index, bool evenBroken) const
{
    *index = findTarget(name, kind);
    // A release build takes no regular file as a disk, the ones the world lists aside.
    if (state.root.value(QStringLiteral("release")).toBool() && *kind != 'n' &&
        (*kind == 'f' || (*index < 0 && QFileInfo(name).isFile()))) {
        errLine(QStringLiteral("Input or output is unsupported."));
        return 114;
    }
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
    if (*kind != 'n' && !t.value(QStringLiteral("formatted")).toBool()) {
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

int Sim::query() const
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
            outLine(
                QStringLiteral("\t%1  no media").arg(d.value(QStringLiteral("device")).toString()));
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

QString Sim::gameLine(const QJsonObject& g) const
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
    line += g.value(QStringLiteral("startup")).toString().leftJustified(11) + QStringLiteral("  ") +
            g.value(QStringLiteral("name")).toString();
    return line;
}

int Sim::hdlToc(const QStringList& args) const
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

int Sim::toc(const QStringList& args) const
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

QJsonObject Sim::imageInfo(const QString& path, bool* exists) const
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

int Sim::openSource(const QString& source, QJsonObject* disc) const
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

int Sim::cdvdInfo(const QStringList& args) const
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

int Sim::cdvdInfo2(const QStringList& args) const
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
