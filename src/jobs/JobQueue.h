#pragma once

#include <QObject>

class frmMain;

// Adding, removing and clearing the rows of the job queue.
class JobQueue : public QObject
{
    Q_OBJECT
public:
    explicit JobQueue(frmMain& main);

    void cmdAddGame_Click();
    void cmdRemove_Click();
    void cmdClear_Click();
    // What every operation does after adding a row: the queue buttons on, and the balloon.
    void jobAdded();

private:
    void enableQueueButtons(bool enable);

    frmMain& m_main;
};
