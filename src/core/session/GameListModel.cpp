#include "GameListModel.h"

#include <QCoreApplication>

int GameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int GameListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

void GameListModel::setArt(QHash<QString, QStringList> art)
{
    if (art == m_art)
        return;
    m_art = std::move(art);
    if (count() > 0)
        emit dataChanged(index(0, Title), index(count() - 1, Title), {ArtRole});
}

QVariant GameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const parse::GameRow& g = m_games[index.row()];
    if (role == Qt::TextAlignmentRole && index.column() == Size)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role == ArtRole)
        return index.column() == Title ? m_art.value(g.startup) : QStringList();
    if (role == SortRole) {
        if (index.column() == Size)
            return g.sizeKb;
        role = Qt::DisplayRole;
    }
    if (role == Qt::ToolTipRole && index.column() == Title && !m_art.value(g.startup).isEmpty())
        return tr("%1\nPictures on the disk: %2")
            .arg(g.title, m_art.value(g.startup).join(QStringLiteral(", ")));
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Title:
        return g.title;
    case Startup:
        return g.startup;
    case Size:
        return g.sizeText;
    case Type:
        return g.type;
    case Flags:
        return g.flags;
    default:
        return {};
    }
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* names[] = {
        QT_TRANSLATE_NOOP("GameListModel", "Game Title"),
        QT_TRANSLATE_NOOP("GameListModel", "Startup"), QT_TRANSLATE_NOOP("GameListModel", "Size"),
        QT_TRANSLATE_NOOP("GameListModel", "Type"), QT_TRANSLATE_NOOP("GameListModel", "Flags")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return QCoreApplication::translate("GameListModel", names[section]);
    return {};
}

void GameListModel::setGames(QList<parse::GameRow> games)
{
    beginResetModel();
    m_games = std::move(games);
    endResetModel();
}

const parse::GameRow& GameListModel::game(int row) const
{
    static const parse::GameRow none;
    return row >= 0 && row < count() ? m_games[row] : none;
}

GameFilterModel::GameFilterModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(GameListModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setSortLocaleAware(false); // the same order whatever the locale of the session
    setDynamicSortFilter(true);
}

void GameFilterModel::setFilterText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == m_filter)
        return;
    m_filter = trimmed;
    invalidateRowsFilter();
}

bool GameFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_filter.isEmpty())
        return true;
    const auto* games = qobject_cast<const GameListModel*>(sourceModel());
    if (!games)
        return true;
    const parse::GameRow& g = games->game(sourceRow);
    return g.title.contains(m_filter, Qt::CaseInsensitive) ||
           g.startup.contains(m_filter, Qt::CaseInsensitive);
}
