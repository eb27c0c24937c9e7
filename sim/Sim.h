// The simulator's one object: the state it answers from and every command it knows.
#pragma once

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

// Set by SIGINT: a long command stops as the tool does on Ctrl+C.
extern volatile std::sig_atomic_t g_interrupted;

struct Sim
{
    SimState state;
    bool win = true;
    QString command;

    QByteArray eol() const { return win ? "\r\n" : "\n"; }
    simdisk::Naming naming() const;
    // "hdd1: text" or "/dev/sdb: text": a device name already ending in a colon gets no second one.
    static QString on(const QString& device, const QString& text);

    void out(const QByteArray& text) const;
    void outLine(const QString& text) const { out(text.toUtf8() + eol()); }
    void errLine(const QString& text) const;

    int usage(const QString& complaint = {}) const;
    // Whether a command of the current builds is known: always in their texts, and in the
    // older texts where the state names it in "also_commands" (the demo's tool renames).
    bool has(const char* command) const
    {
        return !win || state.root.value(QStringLiteral("also_commands"))
                           .toArray()
                           .contains(QJsonValue(QString::fromLatin1(command)));
    }

    // A device text names a disk by its device or path, or a networked PS2 by address.
    QJsonArray disks() const { return state.root.value(QStringLiteral("disks")).toArray(); }
    QJsonArray drives() const { return state.root.value(QStringLiteral("drives")).toArray(); }
    QJsonArray ps2s() const { return state.root.value(QStringLiteral("ps2s")).toArray(); }

    static bool looksLikeAddress(const QString& s);

    QString diskName(const QJsonObject& d) const;
    QString driveName(const QJsonObject& d) const { return diskName(d); }

    // Index into disks (kind 'd') or ps2s (kind 'n'); -1 when unknown.
    int findTarget(const QString& name, char* kind) const;

    int findDrive(const QString& name) const;

    // Kind 'f': a disk kept in a regular file of its own (a PS2's export seen through a
    // mount): the header below, the disk's JSON, blanks to kFileDiskHead; the rest is its
    // data. A write there each progress record finds an export that went away. Its first
    // sectors are a PS2 disk's (a partition table's first header), as Ventrik reads them.
    static constexpr const char* kFileDiskMagic = "VENTRIK-SIM-DISK\n";
    static constexpr qint64 kFileDiskJsonAt = 4096;
    static constexpr qint64 kFileDiskHead = 1024 * 1024;
    static bool isFileDisk(const QString& path);
    mutable QString m_fileDisk;
    mutable QString m_lostWith; // the error a file disk's write met
    bool touchFileDisk(int tick) const;

    QJsonObject target(char kind, int index) const;
    void setTarget(char kind, int index, const QJsonObject& t);

    int networkFailure(const QString& mode) const;

    // Opens a target for a command; prints the failure and returns its status otherwise.
    int openTarget(const QString& name, char* kind, int* index, bool evenBroken = false) const;

    int query() const;

    QString gameLine(const QJsonObject& g) const;

    int hdlToc(const QStringList& args) const;

    int toc(const QStringList& args) const;

    QJsonObject imageInfo(const QString& path, bool* exists) const;

    // The disc of a drive or an image; prints the failure and returns its status otherwise.
    int openSource(const QString& source, QJsonObject* disc) const;

    int cdvdInfo(const QStringList& args) const;

    // The current builds' form: the media first, then size, label and startup.
    int cdvdInfo2(const QStringList& args) const;

    static QString remaining(int seconds);

    // Progress records at the configured rate, flushed in bursts. Returns
    // false when interrupted.
    bool progress() const;

    int interrupted() const;

    QJsonObject findGame(const QJsonObject& t, const QString& name) const;

    // Adds game to a target, checking the name and the space.
    int addGame(const QString& targetName, const QJsonObject& game);

    // What happens after a game was written whole, on request: the tool crashes or
    // reports an error although the game is on the disk.
    int afterWrite() const;

    // The flags an argument of "modify" sets: "+1+3", "+0" (none) or "0xNN"; nothing when
    // the argument is no flag list.
    static std::optional<QString> modifyFlags(const QString& arg);

    // The current builds' modify: a new name, flags, a DMA mode and -hide/-unhide, each
    // told apart by its form; a new name renames the partition too.
    int modify(const QStringList& args);

    // The current builds save and restore a disk's partition table as a file.
    int backupToc(const QStringList& args) const;

    int restoreToc(const QStringList& args);

    int inject(const QStringList& args, bool dvd);

    int fileExists(const QString& path) const;

    // An image of the game's size: its header, then a hole; cut to a byte on request.
    bool writeImage(const QString& path, const QByteArray& header, qint64 sizeKb) const;

    int extract(const QStringList& args);

    int dump(const QStringList& args);

    int deleteGame(const QStringList& args);

    int initialize(const QStringList& args);

    int poweroff(const QStringList& args) const;

    // Tests read which command lines reached the tool: one JSON array per line.
    static void logCall(const QStringList& argv);

    // Fault injection: returns -1 when no fault applies to this command.
    int fault();

    QString m_after;
    QString m_afterText;
    int m_afterExit = 1;

    // Benchmark helpers: timestamped lines, silence, and a progress flood.
    int simLines(const QStringList& args) const;

    // Progress records at a fixed interval; each record's write time goes to
    // the file HDL_SIM_PROGRESS_LOG names, so a benchmark can measure latency.
    int simProgress(const QStringList& args) const;

    int simSilent(const QStringList& args) const;

    int simFlood(const QStringList& args) const;

    int run(const QStringList& argv);
};
