#pragma once

#include "Problem.h"
#include "core/jobs/JobBuilder.h"
#include "core/jobs/TitleIndex.h"
#include "core/log/RunLog.h"
#include "core/settings/AppPaths.h"
#include "core/settings/Settings.h"

#include <QObject>
#include <QThreadPool>

#include <memory>
#include <optional>

// What is wrong with a name typed for a game (blanks at its ends removed), as a problem to tell;
// nothing for a good name and for an empty one, which each front end asks for its way.
std::optional<Problem> GameNameProblem(const QString& name, NameUse use = NameUse::Install);

// Where games get their names: the disc database the tool reads, and the emulator's game index
// (read off this thread).
class GameNames : public QObject
{
    Q_OBJECT
public:
    GameNames(const AppPaths& paths, SettingsFile& settings, QThreadPool& pool, RunLog& log,
              QObject* parent = nullptr);

    // The game index chosen (empty: looked for where the emulator puts it), read again.
    void setTitleIndexPath(const QString& chosen);
    // Reads the index the settings name; titleIndexLoaded when it is in use.
    void loadTitleIndex();
    // The index file in use or being read; empty when there is none.
    QString titleIndexFile() const { return m_file; }
    qsizetype titleIndexSize() const { return m_index ? m_index->size() : 0; }
    const TitleIndex* titleIndex() const { return m_index.get(); }
    // The disc database of the tool's configuration.
    DiscDatabase discDatabase() const;
    // The name a game from this source gets when nobody typed one: the disc database's first.
    GameNaming nameFor(const QString& source, const parse::DiscInfo& disc) const;

signals:
    void titleIndexLoaded();

private:
    const AppPaths& m_paths;
    SettingsFile& m_settings;
    QThreadPool& m_pool;
    RunLog& m_log;
    std::shared_ptr<const TitleIndex> m_index;
    QString m_file;
    int m_loads = 0; // the newest load wins
};
