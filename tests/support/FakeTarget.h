#pragma once

#include "interpreter/InterpreterTarget.h"

#include <QList>
#include <QStringList>

// The windows' controls as plain values, for interpreter tests.
class FakeTarget : public InterpreterTarget
{
public:
    bool local = false;
    bool optical = false;
    bool image = true;
    QStringList disks;
    int selectedDisk = -1;
    QStringList menu = QStringList(5, QString());
    QList<bool> menuVisible = QList<bool>(5, false);
    QList<bool> menuEnabled = QList<bool>(5, true);
    QStringList drives;
    int selectedDrive = -1;
    QStringList formatDisks;
    QString startup, name, size, iso;
    bool compat = false, makeIso = false;
    QList<parse::GameRow> games;
    bool gameButtons = false, hddButton = false, installButtons = false;
    qint64 total = -1, used = -1;
    QString spaceText;
    QString caption;
    int clears = 0;

    bool targetIsLocal() const override { return local; }
    bool sourceIsOptical() const override { return optical; }
    bool sourceIsImage() const override { return image; }
    void addMainDisk(const QString& label) override
    {
        disks << label;
        selectedDisk = 0;
    }
    int mainDiskCount() const override { return static_cast<int>(disks.size()); }
    void setCopyMenuEntry(int index, const QString& caption_) override { menu[index] = caption_; }
    QString copyMenuCaption(int index) const override { return menu[index]; }
    void setCopyMenuEntryState(int index, bool visible, bool enabled) override
    {
        menuVisible[index] = visible;
        menuEnabled[index] = enabled;
    }
    void addOptical(const QString& label) override { drives << label; }
    int opticalCount() const override { return static_cast<int>(drives.size()); }
    void chooseImageSource() override
    {
        optical = false;
        image = true;
    }
    void addFormatDisk(const QString& label) override { formatDisks << label; }
    bool opticalSelected() const override { return selectedDrive >= 0; }
    void deselectOptical() override { selectedDrive = -1; }
    void setDiscInfo(const QString& s, const QString& n, const QString& z) override
    {
        startup = s;
        name = n;
        size = z;
    }
    QString gameName() const override { return name; }
    void setGameName(const QString& n) override { name = n; }
    QString imagePath() const override { return iso; }
    void enableCompat() override { compat = true; }
    void enableMakeIso() override { makeIso = true; }
    void clearGames() override
    {
        games.clear();
        total = used = -1;
        spaceText.clear();
        ++clears;
    }
    void addGames(const QList<parse::GameRow>& rows) override { games << rows; }
    void enableGameButtons(bool copyToHdd) override
    {
        gameButtons = true;
        hddButton = hddButton || copyToHdd;
    }
    void enableInstallButtons() override { installButtons = true; }
    void setDiskSpace(qint64 t, qint64 u, const QString& text) override
    {
        total = t;
        used = u;
        spaceText = text;
    }
    int gameCount() const override { return static_cast<int>(games.size()); }
    void setBrowseCaption(const QString& c) override { caption = c; }

    QStringList results = QStringList(10, QStringLiteral("Pending"));
    int jobs = 1;
    int current = 0, overall = 0;
    QString currentCaption, overallCaption, remaining, speed,
        statusCaption = QStringLiteral(" Status");
    bool minimized = false;
    void setJobResult(int row, const QString& r) override
    {
        if (row >= 1 && row <= results.size())
            results[row - 1] = r;
    }
    int jobCount() const override { return jobs; }
    void setCurrentProgress(int p, const QString& c) override
    {
        current = p;
        currentCaption = c;
    }
    int currentProgress() const override { return current; }
    void setOverallProgress(int p, const QString& c) override
    {
        overall = p;
        overallCaption = c;
    }
    void setRemaining(const QString& t) override { remaining = t; }
    void setSpeed(const QString& t) override { speed = t; }
    bool statusMinimized() const override { return minimized; }
    void setStatusCaption(const QString& c) override { statusCaption = c; }
};
