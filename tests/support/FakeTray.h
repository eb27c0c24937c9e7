#pragma once

#include "shell/TrayIcon.h"

#include <QStringList>

// Records what the program does with its notification-area icon.
class FakeTray : public TrayIcon
{
    Q_OBJECT
public:
    bool isAvailable() const override { return available; }
    void add(const QString& tip_, const QIcon& icon, QMenu* menu_) override
    {
        shown = true;
        tip = tip_;
        hasIcon = !icon.isNull();
        menu = menu_;
        ++adds;
    }
    void remove() override
    {
        shown = false;
        ++removes;
    }
    bool isShown() const override { return shown; }
    void showMessage(const QString& title, const QString& text) override
    {
        balloons << title + u'|' + text;
    }
    void doubleClick() { emit doubleClicked(); }

    bool available = true;
    bool shown = false;
    bool hasIcon = false;
    QString tip;
    QMenu* menu = nullptr;
    int adds = 0;
    int removes = 0;
    QStringList balloons;
};
