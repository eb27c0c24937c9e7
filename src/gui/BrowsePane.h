#pragma once

#include "ControlState.h"

#include <QGroupBox>

class QAbstractItemModel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeView;

// "Browse, Backup, and Delete": the games installed on the target. It says what the user asks
// for and shows the games it is given.
class BrowsePane : public QGroupBox
{
    Q_OBJECT
public:
    explicit BrowsePane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);
    // The games shown (the filter's rows), in the tool's order until a header is clicked.
    void setGames(QAbstractItemModel* games);
    // The rows chosen, of the model given.
    QList<QModelIndex> chosenRows() const;
    void showGameCount(int count);
    // Copy to HDD offers this menu of disks.
    void setCopyMenu(QMenu* menu);
    // The columns at their design widths (wider where the font needs), then as kept.
    void sizeColumns(const QByteArray& kept);
    // The filter box takes the keyboard, its text selected for typing over.
    void focusFilter();
    // Said in the list while it is empty: what to do next.
    void setEmptyText(const QString& text);
    QString emptyText() const;
    QByteArray columnState() const;

signals:
    void filterChanged(const QString& text);
    void chosenChanged();
    void copyToPcAsked();
    void copyToPs2Asked();
    void deleteAsked();
    void renameAsked();
    void flagsAsked();
    void launcherFilesAsked();

private:
    QTreeView* m_gameList;
    QPushButton* m_copyToDiskButton;
    QPushButton* m_copyToPs2Button;
    QPushButton* m_copyToPcButton;
    QPushButton* m_deleteButton;
    QLineEdit* m_filterEdit;
    QPushButton* m_renameButton;
    QPushButton* m_flagsButton;
    QPushButton* m_launcherButton;
    QMenu* m_copyMenu = nullptr;
    class QLabel* m_emptyLabel = nullptr;
    void showEmptyText();
};
