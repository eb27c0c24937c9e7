#include "GameNames.h"

#include "core/settings/ToolConfig.h"

#include <QTimer>

std::optional<Problem> GameNameProblem(const QString& name, NameUse use)
{
    switch (CheckGameName(name, use)) {
    case NameFault::TooLong:
        return Problem{ProblemKind::NameTooLong, name, {}};
    case NameFault::ControlCharacter:
        return Problem{ProblemKind::NameHasControlCharacters, name, {}};
    case NameFault::ReadAsFlags:
        return Problem{ProblemKind::NameReadAsFlags, name, {}};
    case NameFault::None:
    case NameFault::Empty:
        break;
    }
    return std::nullopt;
}

GameNames::GameNames(const AppPaths& paths, SettingsFile& settings, QThreadPool& pool, RunLog& log,
                     QObject* parent)
    : QObject(parent), m_paths(paths), m_settings(settings), m_pool(pool), m_log(log)
{}

void GameNames::setTitleIndexPath(const QString& chosen)
{
    m_settings.write(Setting::TitleIndex, chosen);
    loadTitleIndex();
}

void GameNames::loadTitleIndex()
{
    const QString chosen = m_settings.text(Setting::TitleIndex);
    m_file = chosen.isEmpty() ? FindTitleIndex(m_paths.titleIndexPlaces) : chosen;
    const int load = ++m_loads;
    if (m_file.isEmpty()) {
        m_index.reset();
        QTimer::singleShot(0, this, [this, load] {
            if (load == m_loads)
                emit titleIndexLoaded();
        });
        return;
    }
    // A few megabytes of text: read beside the window, never in its way.
    m_pool.start([this, load, file = m_file] {
        QString error;
        auto index = std::make_shared<const TitleIndex>(TitleIndex::Load(file, &error));
        QMetaObject::invokeMethod(
            this,
            [this, load, index, error] {
                if (load != m_loads)
                    return;
                m_index = index;
                if (!error.isEmpty())
                    m_log.addNote(
                        tr("The game index %1 was read only in part: %2").arg(m_file, error));
                emit titleIndexLoaded();
            },
            Qt::QueuedConnection);
    });
}

DiscDatabase GameNames::discDatabase() const
{
    QString config = m_settings.text(Setting::ToolConfig);
    if (config.isEmpty())
        config = DefaultToolConfigPath();
    QByteArray content;
    QString error;
    ToolConfig tool;
    if (ReadToolConfigFile(config, &content, &error))
        ApplyToolConfig(ParseToolConfigLines(content), tool, DefaultDiscDatabasePath());
    const QString path =
        tool.discDatabase.isEmpty() ? DefaultDiscDatabasePath() : tool.discDatabase;
    DiscDatabase database = ReadDiscDatabase(path);
    if (!database.problem.isEmpty())
        database.problem = path + QStringLiteral(": ") + database.problem;
    return database;
}

GameNaming GameNames::nameFor(const QString& source, const parse::DiscInfo& disc) const
{
    return NameForGame(source, disc, discDatabase().entries, m_index.get());
}
