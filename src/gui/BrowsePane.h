#pragma once

#include <QGroupBox>

class QLineEdit;
class QPushButton;
class QTreeView;

// "Browse, Backup, and Delete": the games installed on the target.
class BrowsePane : public QGroupBox
{
    Q_OBJECT
public:
    explicit BrowsePane(QWidget* parent = nullptr);

    QTreeView* lstHD;
    QPushButton* cmdBackupHDD;
    QPushButton* cmdBackupPS2;
    QPushButton* cmdBackupPC;
    QPushButton* cmdDelete;
    QLineEdit* txtFilter;
    QPushButton* cmdRename;
    QPushButton* cmdFlags;
};
