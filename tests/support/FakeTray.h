#pragma once

#include "gui/TrayIcon.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStringList>

// Saves what window shows (with an open pop-up menu drawn over it) when
// VENTRIK_SCREENSHOT_DIR names a folder.
inline void SaveScreenshot(QWidget* window, const QString& name, QMenu* popup = nullptr)
{
    const QString dir = qEnvironmentVariable("VENTRIK_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    // As the user would see it: after the layouts have settled.
    QCoreApplication::processEvents();
    const QPixmap base = window->grab();
    if (!popup || !popup->isVisible()) {
        base.save(QDir(dir).filePath(name));
        return;
    }
    // The menu may reach past the window: the picture grows to hold both.
    const QPoint at = window->mapFromGlobal(popup->pos());
    const QRect all =
        QRect(QPoint(0, 0), base.size() / base.devicePixelRatio()).united(QRect(at, popup->size()));
    QPixmap shot(all.size());
    shot.fill(window->palette().color(QPalette::Window).darker(115));
    QPainter p(&shot);
    p.drawPixmap(-all.topLeft(), base);
    p.drawPixmap(at - all.topLeft(), popup->grab());
    p.end();
    shot.save(QDir(dir).filePath(name));
}

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
    void notify(const QString& title, const QString& text) override
    {
        notifications << title + u'|' + text;
    }
    void doubleClick() { emit doubleClicked(); }
    void clickMessage() { emit messageClicked(); }

    bool available = true;
    bool shown = false;
    bool hasIcon = false;
    QString tip;
    QMenu* menu = nullptr;
    int adds = 0;
    int removes = 0;
    QStringList balloons;
    QStringList notifications;
};
