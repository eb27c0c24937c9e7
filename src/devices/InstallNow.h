#pragma once

#include <QObject>

class frmMain;

// "Install Now": one install at once under the status window, without a job row.
class InstallNow : public QObject
{
    Q_OBJECT
public:
    explicit InstallNow(frmMain& main);
    void cmdInstall_Click();

private:
    frmMain& m_main;
};
