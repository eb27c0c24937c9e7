#pragma once

#include "ControlState.h"
#include "core/jobs/Job.h"
#include "core/output/Parsers.h"
#include "core/session/Operation.h"
#include "core/session/Problem.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <utility>

class Dialogs;
class InstallPane;
class QAction;
class QMenu;
class Session;

// The install pane's logic: the source chosen (a drive or an image), its disc read, the
// name, type and flags of the game, and the jobs made from them (queued, installed now, or
// an image made of the disc).
class InstallController : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void(const Problem&)> showProblem;
        // The window's controls follow what changed.
        std::function<void()> updateControls;
        std::function<void()> jobAdded;
        // The disk or PS2 the games go to.
        std::function<Target()> target;
        // Install Now begins: the window shows the job.
        std::function<void(const Job&)> installing;
    };

    InstallController(InstallPane* pane, Session& session, Dialogs& dialogs, Hooks hooks,
                      QWidget* menuParent);

    // Whether the disc of the source chosen was read (Make ISO needs its size).
    bool discInfoRead() const { return m_discInfoRead; }
    // The pane's choices the controls depend on: the source and whether it was read.
    void describeChoices(ControlInputs& in) const;
    // Image files in the open dialogs.
    static QString ImageFilter();

    void addGame();
    void installChosenGame();
    void makeIso();
    // Images and folders for the batch read; a window drop comes here too.
    void addPaths(const QStringList& paths);
    // The same, chosen in a file dialog.
    void addImages();
    void addFolder();
    // Empty again after an install: nothing chosen, no flags.
    void reset() { resetInstallPane(); }

private:
    // Install Now once the queue's check of the one job found nothing, or the user said so.
    void installAfterCheck(const Job& job);
    void connectPane();
    void chooseOptical();
    void chooseImage();
    void browseImage();
    void fillOpticalDrives();
    // Reads a disc or image; one chosen while another is read replaces it.
    void readDisc(const QString& source, bool optical);
    void showDiscInfo(const parse::DiscInfo& disc);
    void forgetDisc();
    QString chosenSource() const;
    bool checkInstallFields();
    Job installJob() const;
    void resetInstallPane();
    CompatFlags chosenFlags() const;
    void uncheckFlags();

    InstallPane* m_pane;
    Session& m_session;
    Dialogs& m_dialogs;
    Hooks m_hooks;
    QMenu* m_flagsMenu = nullptr;
    QList<QAction*> m_flags;
    QAction* m_flagsDone = nullptr;
    parse::DiscInfo m_disc;
    QPointer<Operation> m_discRead;
    std::optional<std::pair<QString, bool>> m_nextRead; // source, optical
    bool m_discInfoRead = false;
    // The name the program gave the game, and where it came from.
    QString m_suggestedName;
    QString m_typedRead; // the image path last read, typed or chosen
    void takeTypedImage();
    NameSource m_suggestedSource = NameSource::Typed;
    bool m_waitingForDrives = false; // the drives' list was asked for by choosing a drive
};
