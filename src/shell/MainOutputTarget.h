#pragma once

#include "interpreter/InterpreterTarget.h"

class frmMain;

// The main window's controls as the interpreter writes them.
class MainOutputTarget : public InterpreterTarget
{
public:
    explicit MainOutputTarget(frmMain& main) : m_main(main) {}

    bool targetIsLocal() const override;
    bool sourceIsOptical() const override;
    bool sourceIsImage() const override;
    void addMainDisk(const QString& label) override;
    int mainDiskCount() const override;
    void setCopyMenuEntry(int index, const QString& caption) override;
    QString copyMenuCaption(int index) const override;
    void setCopyMenuEntryState(int index, bool visible, bool enabled) override;
    void addOptical(const QString& label) override;
    int opticalCount() const override;
    void chooseImageSource() override;
    void addFormatDisk(const QString& label) override;
    bool opticalSelected() const override;
    void deselectOptical() override;
    void setDiscInfo(const QString& startup, const QString& name, const QString& sizeText) override;
    QString gameName() const override;
    void setGameName(const QString& name) override;
    QString imagePath() const override;
    void enableCompat() override;
    void enableMakeIso() override;
    void clearGames() override;
    void addGames(const QList<parse::GameRow>& rows) override;
    void enableGameButtons(bool copyToHdd) override;
    void enableInstallButtons() override;
    void setDiskSpace(qint64 totalMb, qint64 usedMb, const QString& text) override;
    int gameCount() const override;
    void setBrowseCaption(const QString& caption) override;
    void setJobResult(int row, const QString& result) override;
    int jobCount() const override;
    void setCurrentProgress(int percent, const QString& caption) override;
    int currentProgress() const override;
    void setOverallProgress(int percent, const QString& caption) override;
    void setRemaining(const QString& text) override;
    void setSpeed(const QString& text) override;
    bool statusMinimized() const override;
    void setStatusCaption(const QString& caption) override;

private:
    frmMain& m_main;
};
