#pragma once

#include <QGroupBox>

class QPushButton;
class QTreeWidget;

// "Browse, Backup, and Delete": the games installed on the target.
class BrowsePane : public QGroupBox
{
    Q_OBJECT
public:
    explicit BrowsePane(QWidget* parent = nullptr);

    QTreeWidget* lstHD;
    QPushButton* cmdBackupHDD;
    QPushButton* cmdBackupPS2;
    QPushButton* cmdBackupPC;
    QPushButton* cmdDelete;
};
