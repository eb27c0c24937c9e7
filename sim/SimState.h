#pragma once

#include <QJsonObject>
#include <QString>

// The simulated world: disks, drives, networked PS2s and their games, kept
// in a JSON file so a test can set it up and read what a command changed.
//
//   style       "win" (older Windows texts, CRLF, hddN:/cdN:) or "linux"
//   job_seconds how long an install, extract or dump takes
//   rate        progress records per second
//   burst_ms    how often the records are flushed
//   gauge       the newest build's progress gauge; it also writes info.sys where it runs
//   hold        {percent, until}: a job stops at that percent (a record with its time left
//               printed) until the file "until" exists, so a test acts mid-job without a race
//   fault       {mode, command, text, exit, times, skip}: silent, crash, hang,
//               error, refused, timeout; once the game is written: short (half
//               of it on the disk, an image of one byte), crash_after_100, error_after_100, vanish
//               (success reported, nothing on the disk)
//   release     a release build: a regular file that is no listed disk is refused (114)
//   disks       [{device, path, size_mb, formatted, games: [...]}]; a regular file that
//               starts with the file-disk header is a disk of its own (its JSON after it)
//   drives      [{device, path, disc: {startup, name, size_kb, dual_layer, ps2}}]
//   ps2s        [{address, size_mb, games: [...]}]
//   images      {file name: {startup, name, size_kb, ps2, bad_isofs}}
//   game        {name, startup, type, size_kb, flags, dma}
class SimState
{
public:
    static QString statePath();
    bool load();
    bool save() const;

    QJsonObject root;
};
