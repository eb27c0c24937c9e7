#pragma once

#include "ControlState.h"

#include <QGroupBox>
#include <QList>

class QAbstractItemModel;
class QAction;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeView;

// "Job Queue": the queued operations and what can be done with them: run them all or only
// the chosen ones, change a waiting one, move them, remove them.
class JobPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit JobPane(QWidget* parent = nullptr);
    void setJobs(QAbstractItemModel* jobs);
    // Enables its controls from the state of the whole window and its own selection.
    void applyControls(const ControlState& state);
    // The chosen rows, in list order.
    QList<int> selectedRows() const;
    void selectRows(const QList<int>& rows);
    QMenu* contextMenu() const { return m_menu; }
    // The job running now is the one shown.
    void showJob(int row);
    // The columns at their design widths (wider where the font needs), then as kept.
    void sizeColumns(const QByteArray& kept);
    QByteArray columnState() const;

signals:
    void startAsked();
    void runSelectedAsked();
    void editAsked();
    void moveAsked(int by); // -1 up, +1 down
    void removeAsked();
    void clearAsked();
    void backAsked(); // to the main window's panes

private:
    void applySelection();

    QPushButton* m_startButton;
    QPushButton* m_runSelectedButton;
    QPushButton* m_removeButton;
    QPushButton* m_clearButton;
    QPushButton* m_controlsButton;
    QToolButton* m_moveUpButton;
    QToolButton* m_moveDownButton;
    QTreeView* m_jobList;

    QMenu* m_menu;
    QAction* m_runSelected;
    QAction* m_edit;
    QAction* m_moveUp;
    QAction* m_moveDown;
    QAction* m_remove;
    bool m_editable = false; // the window lets the queue be changed now
};
