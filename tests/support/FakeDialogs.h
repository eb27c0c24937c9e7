#pragma once

#include "gui/Dialogs.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>
#include <utility>

// Message boxes and questions answered from a script and recorded.
class RecordingDialogs : public Dialogs
{
public:
    struct Asked
    {
        QPointer<QObject> handle;
        std::function<void(Answer)> answered;
        std::function<void(int)> chosen; // for a question with choices
    };
    struct Shown
    {
        QString text;
        Icon icon;
        QString title;
    };
    void message(const QString& text, Icon icon, const QString& title = {}) override
    {
        shown.append({text, icon, title.isEmpty() ? programTitle() : title});
    }
    Answer question(const QString& text, Icon icon, const QString& title = {}) override
    {
        shown.append({text, icon, title.isEmpty() ? programTitle() : title});
        // What happens while the question is open: the program goes on under a real one.
        if (whileAsking)
            std::exchange(whileAsking, {})();
        if (answers.empty())
            return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QObject* ask(const QString& text, Icon icon, QWidget*,
                 std::function<void(Answer)> answered) override
    {
        shown.append({text, icon, programTitle()});
        auto* handle = new QObject;
        asked.push_back({QPointer<QObject>(handle), std::move(answered), {}});
        return handle;
    }
    QObject* choose(const QString& text, Icon icon, QWidget*, const QStringList& choices,
                    std::function<void(int)> chosen) override
    {
        shown.append({text, icon, programTitle()});
        lastChoices = choices;
        auto* handle = new QObject;
        const int last = static_cast<int>(choices.size()) - 1;
        // Yes is the first choice, No the last (Escape's).
        asked.push_back({QPointer<QObject>(handle),
                         [chosen, last](Answer a) { chosen(a == Answer::Yes ? 0 : last); },
                         chosen});
        return handle;
    }
    // Answers the oldest open question; false when none is open (all answered or withdrawn).
    bool answerAsked(Answer answer)
    {
        return answerOldest([answer](Asked& a) { a.answered(answer); });
    }
    // Presses that button of the oldest open question asked with choices.
    bool answerAskedWith(int choice)
    {
        return answerOldest([choice](Asked& a) {
            if (a.chosen)
                a.chosen(choice);
        });
    }
    bool answerOldest(const std::function<void(Asked&)>& answer)
    {
        while (!asked.empty()) {
            Asked a = std::move(asked.front());
            asked.pop_front();
            if (!a.handle)
                continue;
            delete a.handle.data();
            answer(a);
            return true;
        }
        return false;
    }
    bool anyAskedOpen() const
    {
        for (const Asked& a : asked) {
            if (a.handle)
                return true;
        }
        return false;
    }
    std::optional<QString> openFile(const FileDialogRequest& request) override
    {
        fileRequests.append(request);
        return nextFile();
    }
    std::optional<QString> saveFile(const FileDialogRequest& request) override
    {
        fileRequests.append(request);
        return nextFile();
    }
    QStringList openFiles(const FileDialogRequest& request) override
    {
        fileRequests.append(request);
        if (fileLists.empty())
            return {};
        const QStringList f = fileLists.front();
        fileLists.pop_front();
        return f;
    }
    std::optional<QString> inputText(const QString& prompt, const QString& title,
                                     const QString& initial) override
    {
        shown.append({prompt, Icon::Information, title});
        initials << initial;
        if (inputs.empty())
            return std::nullopt;
        const std::optional<QString> a = inputs.front();
        inputs.pop_front();
        return a;
    }
    std::optional<QString> chooseFolder(const QString& title, const QString& directory) override
    {
        shown.append({directory, Icon::Information, title});
        if (folders.empty())
            return std::nullopt;
        const std::optional<QString> f = folders.front();
        folders.pop_front();
        return f;
    }
    std::optional<CompatFlags> chooseFlags(const QString& text, const CompatFlags& current) override
    {
        shown.append({text, Icon::Information, QStringLiteral("Compatibility Flags")});
        flagsShown = current;
        if (flagChoices.empty())
            return std::nullopt;
        const std::optional<CompatFlags> f = flagChoices.front();
        flagChoices.pop_front();
        return f;
    }
    std::optional<quint32> chooseColor(quint32 initial) override
    {
        colorAsked = initial;
        if (colors.empty())
            return std::nullopt;
        const std::optional<quint32> c = colors.front();
        colors.pop_front();
        return c;
    }
    bool confirmList(const QString& text, const QStringList& items,
                     const QString& acceptText) override
    {
        shown.append({text, Icon::Exclamation, programTitle()});
        lists.append(items);
        listAccept = acceptText;
        if (answers.empty())
            return false;
        const Answer a = answers.front();
        answers.pop_front();
        return a == Answer::Yes;
    }
    std::optional<int> chooseForList(const QString& text, const QStringList& items,
                                     const QStringList& choices) override
    {
        shown.append({text, Icon::Exclamation, programTitle()});
        lists.append(items);
        listChoices = choices;
        if (choicesMade.empty())
            return std::nullopt;
        const std::optional<int> c = choicesMade.front();
        choicesMade.pop_front();
        return c;
    }
    QStringList texts() const
    {
        QStringList t;
        for (const Shown& s : shown)
            t << s.text;
        return t;
    }

    QList<Shown> shown;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> files; // nothing: the user cancels
    std::deque<std::optional<QString>> inputs;
    QStringList initials; // what each input box held to begin with
    QList<FileDialogRequest> fileRequests;
    std::deque<std::optional<QString>> folders;
    std::deque<std::optional<quint32>> colors;
    quint32 colorAsked = 0;
    QList<QStringList> lists;          // the problem lists shown to confirm
    std::deque<QStringList> fileLists; // answers of the multi-select file dialog
    QString listAccept;
    QStringList listChoices;                    // the ways on the last list offered
    std::deque<std::optional<int>> choicesMade; // nothing: Cancel
    std::function<void()> whileAsking;          // once, during the next question
    std::deque<Asked> asked;                    // questions that do not wait, until answered
    QStringList lastChoices;
    std::deque<std::optional<CompatFlags>> flagChoices; // answers to chooseFlags
    CompatFlags flagsShown;                             // what the last one showed ticked

private:
    std::optional<QString> nextFile()
    {
        if (files.empty())
            return std::nullopt;
        const std::optional<QString> f = files.front();
        files.pop_front();
        return f;
    }

public:
};
