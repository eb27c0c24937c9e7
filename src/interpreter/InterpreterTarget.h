#pragma once

#include "Parsers.h"

#include <QList>
#include <QString>

// What the interpreter writes into the windows, as the main window (and the
// settings window) implement it.
class InterpreterTarget
{
public:
    virtual ~InterpreterTarget() = default;

    // Choices the sections read.
    virtual bool targetIsLocal() const = 0;
    virtual bool sourceIsOptical() const = 0;
    virtual bool sourceIsImage() const = 0;

    // Devices.
    virtual void addMainDisk(const QString& label) = 0; // and select the first entry
    virtual int mainDiskCount() const = 0;
    virtual void setCopyMenuEntry(int index, const QString& caption) = 0;
    virtual QString copyMenuCaption(int index) const = 0;
    virtual void setCopyMenuEntryState(int index, bool visible, bool enabled) = 0;
    virtual void addOptical(const QString& label) = 0;
    virtual int opticalCount() const = 0;
    virtual void chooseImageSource() = 0;
    virtual void addFormatDisk(const QString& label) = 0; // settings window; select the first

    // Disc information.
    virtual bool opticalSelected() const = 0;
    virtual void deselectOptical() = 0;
    virtual void setDiscInfo(const QString& startup, const QString& name,
                             const QString& sizeText) = 0;
    virtual QString gameName() const = 0;
    virtual void setGameName(const QString& name) = 0;
    virtual QString imagePath() const = 0;
    virtual void enableCompat() = 0;
    virtual void enableMakeIso() = 0;

    // Game table.
    virtual void clearGames() = 0; // list, space bar and label
    virtual void addGames(const QList<parse::GameRow>& rows) = 0;
    virtual void enableGameButtons(bool copyToHdd) = 0;
    virtual void enableInstallButtons() = 0;
    virtual void setDiskSpace(qint64 totalMb, qint64 usedMb, const QString& text) = 0;
    virtual int gameCount() const = 0;
    virtual void setBrowseCaption(const QString& caption) = 0;

    // The job queue and the status window.
    virtual void setJobResult(int row, const QString& result) = 0;
    virtual int jobCount() const = 0;
    virtual void setCurrentProgress(int percent, const QString& caption) = 0;
    virtual int currentProgress() const = 0;
    virtual void setOverallProgress(int percent, const QString& caption) = 0;
    virtual void setRemaining(const QString& text) = 0;
    virtual void setSpeed(const QString& text) = 0;
    virtual bool statusMinimized() const = 0;
    virtual void setStatusCaption(const QString& caption) = 0;
};
