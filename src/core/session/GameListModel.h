#pragma once

#include "core/output/Parsers.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSortFilterProxyModel>

// The games installed on the attached target, as the tool listed them.
class GameListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    enum Column { Title, Startup, Size, Type, Flags, ColumnCount };
    // What a column sorts by: the size as a number of kilobytes, the rest as text.
    static constexpr int SortRole = Qt::UserRole + 1;
    // The launcher's pictures of a game on the disk ("cover", "icon", ...), on its title.
    static constexpr int ArtRole = Qt::UserRole + 2;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setGames(QList<parse::GameRow> games);
    void clear() { setGames({}); }
    int count() const { return static_cast<int>(m_games.size()); }
    const parse::GameRow& game(int row) const;
    const QList<parse::GameRow>& games() const { return m_games; }
    // The pictures the launcher holds, by game startup (as last read; none where unread).
    void setArt(QHash<QString, QStringList> art);

private:
    QList<parse::GameRow> m_games;
    QHash<QString, QStringList> m_art;
};

// The game list as shown: sorted by any column, filtered by a text found in the title
// or the startup (any case).
class GameFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit GameFilterModel(QObject* parent = nullptr);
    void setFilterText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_filter;
};
