#pragma once

#include "core/output/Parsers.h"

#include <QAbstractTableModel>
#include <QList>

// The games installed on the attached target, as the tool listed them.
class GameListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    enum Column { Title, Startup, Size, Type, Flags, ColumnCount };

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setGames(QList<parse::GameRow> games);
    void clear() { setGames({}); }
    int count() const { return static_cast<int>(m_games.size()); }
    const parse::GameRow& game(int row) const;
    const QList<parse::GameRow>& games() const { return m_games; }

private:
    QList<parse::GameRow> m_games;
};
