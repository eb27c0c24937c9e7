#pragma once

#include "core/devices/Flags.h"

#include "AppIcon.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <optional>

class QObject;
class QWidget;

// What a file dialog is asked for; filters are written "Caption|pattern|Caption|pattern|".
struct FileDialogRequest
{
    QString title;
    QString directory;
    QString fileName;
    QString filter;
    QString defaultSuffix;
    bool mustExist = false;
    bool confirmOverwrite = false;
};

// Every message box and dialog of the program goes through this seam, so a
// test can answer them without a modal loop.
class Dialogs
{
public:
    enum class Icon { Exclamation, Critical, Information };
    enum class Answer { Yes, No };

    virtual ~Dialogs() = default;
    // A message with an OK button; the title is the program's unless given.
    virtual void message(const QString& text, Icon icon, const QString& title = {}) = 0;
    virtual Answer question(const QString& text, Icon icon, const QString& title = {}) = 0;
    // A question that holds nothing up: answered once through the callback, later; withdrawn
    // unanswered when the returned object is deleted, as when what it asks about has ended.
    // over is the window it belongs to (the owner's when none).
    virtual QObject* ask(const QString& text, Icon icon, QWidget* over,
                         std::function<void(Answer)> answered) = 0;
    // The same with a button for each choice (the last one is also Escape's and the default):
    // the index of the one pressed.
    virtual QObject* choose(const QString& text, Icon icon, QWidget* over,
                            const QStringList& choices, std::function<void(int)> chosen) = 0;
    // Nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Several existing files; empty when the user cancelled.
    virtual QStringList openFiles(const FileDialogRequest& request) = 0;
    // The text typed; initial is there to begin with, selected.
    virtual std::optional<QString> inputText(const QString& prompt, const QString& title,
                                             const QString& initial = {}) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& directory) = 0;
    // The compatibility flags as named check boxes, current ones ticked; nothing for Cancel.
    virtual std::optional<CompatFlags> chooseFlags(const QString& text,
                                                   const CompatFlags& current) = 0;
    // A colour as 0x00BBGGRR.
    virtual std::optional<quint32> chooseColor(quint32 initial) = 0;
    // A list of problems to confirm: true when the user chose to go on (acceptText); with
    // no acceptText the list is only shown.
    virtual bool confirmList(const QString& text, const QStringList& items,
                             const QString& acceptText) = 0;
    // The same list with several ways on: the index of the one chosen, nothing for Cancel.
    virtual std::optional<int> chooseForList(const QString& text, const QStringList& items,
                                             const QStringList& choices) = 0;

    static QString programTitle() { return ProgramTitle(); }
};

// Shows nothing: every question is answered No and every dialog cancelled.
// For runs without anyone at the screen (benchmarks, fuzzing).
// Whether a file can be written into the folder of file; when not, the user is told why.
bool CheckFolderOf(Dialogs& dialogs, const QString& file);

class SilentDialogs : public Dialogs
{
public:
    void message(const QString&, Icon, const QString& = {}) override {}
    Answer question(const QString&, Icon, const QString& = {}) override { return Answer::No; }
    QObject* ask(const QString&, Icon, QWidget*, std::function<void(Answer)> answered) override
    {
        answered(Answer::No);
        return nullptr;
    }
    QObject* choose(const QString&, Icon, QWidget*, const QStringList& choices,
                    std::function<void(int)> chosen) override
    {
        chosen(static_cast<int>(choices.size()) - 1);
        return nullptr;
    }
    std::optional<QString> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    QStringList openFiles(const FileDialogRequest&) override { return {}; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> chooseFolder(const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<quint32> chooseColor(quint32) override { return std::nullopt; }
    std::optional<CompatFlags> chooseFlags(const QString&, const CompatFlags&) override
    {
        return std::nullopt;
    }
    bool confirmList(const QString&, const QStringList&, const QString&) override { return false; }
    std::optional<int> chooseForList(const QString&, const QStringList&,
                                     const QStringList&) override
    {
        return std::nullopt;
    }
};

// The real dialogs, owned by a window.
class WidgetDialogs : public Dialogs
{
public:
    explicit WidgetDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    void message(const QString& text, Icon icon, const QString& title = {}) override;
    Answer question(const QString& text, Icon icon, const QString& title = {}) override;
    QObject* ask(const QString& text, Icon icon, QWidget* over,
                 std::function<void(Answer)> answered) override;
    QObject* choose(const QString& text, Icon icon, QWidget* over, const QStringList& choices,
                    std::function<void(int)> chosen) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    QStringList openFiles(const FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& prompt, const QString& title,
                                     const QString& initial = {}) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& directory) override;
    std::optional<CompatFlags> chooseFlags(const QString& text,
                                           const CompatFlags& current) override;
    std::optional<quint32> chooseColor(quint32 initial) override;
    bool confirmList(const QString& text, const QStringList& items,
                     const QString& acceptText) override;
    std::optional<int> chooseForList(const QString& text, const QStringList& items,
                                     const QStringList& choices) override;

    // "Caption|pattern|..." as a Qt name filter list.
    static QString qtFilter(const QString& filter);

private:
    QWidget* m_owner;
};
