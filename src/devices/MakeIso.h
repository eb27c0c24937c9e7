#pragma once

#include <QObject>

class frmMain;

// "Make ISO": queues an image of the disc in the chosen drive.
class MakeIso : public QObject
{
    Q_OBJECT
public:
    explicit MakeIso(frmMain& main);
    void cmdMakeISO_Click();

private:
    frmMain& m_main;
};
