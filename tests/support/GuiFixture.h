#pragma once

#include "FakeDialogs.h"
#include "FakeTray.h"
#include "TestSupport.h"
#include "core/settings/Settings.h"
#include "gui/Startup.h"
#include "gui/Translations.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <memory>

// What every test of the real windows needs: a program folder with the
// simulator as its tool, recording seams, and the main window started on them.
class GuiFixture
{
protected:
    std::unique_ptr<SimWorld> m_world;
    RecordingDialogs m_dialogs;
    FakeTray m_tray;
    FakeIcmp m_icmp;
    FakePower m_power;
    Program m_program;
    int m_quits = 0;
    QLocale m_locale{QLocale::English, QLocale::UnitedStates};
    QStringList m_openedFolders;
    QList<LauncherState> m_launcher; // what the dock was told, in order

    // Nothing recorded yet; the networked PS2 at 127.0.0.1 answers probes.
    void resetSeams()
    {
        m_dialogs = RecordingDialogs();
        m_tray.available = true;
        m_tray.balloons.clear();
        m_tray.notifications.clear();
        m_openedFolders.clear();
        m_launcher.clear();
        m_tray.adds = m_tray.removes = 0;
        m_icmp = FakeIcmp();
        m_icmp.status[QStringLiteral("127.0.0.1")] = 0;
        m_power = FakePower();
        m_quits = 0;
    }
    // A new program folder whose simulator prints the given style of texts,
    // with the default settings written.
    void makeWorld(const QString& style = QStringLiteral("win"),
                   QJsonObject state = SimWorld::defaultState())
    {
        state[QStringLiteral("style")] = style;
        m_world = std::make_unique<SimWorld>(state);
        WriteDefaultSettings(m_world->paths().configFile);
    }
    void startMain()
    {
        // As the program does, in a set language whatever the machine's: English for its
        // plural forms unless a test chose another.
        InstallTranslations(*QCoreApplication::instance(), m_locale);
        // Numbers too, as on a desktop in that language.
        QLocale::setDefault(m_locale);
        m_program =
            StartProgram(m_world->paths(), SessionSeams{m_icmp, m_power},
                         MainSeams{m_dialogs, m_tray, [this] { ++m_quits; },
                                   [this](const QString& folder) { m_openedFolders << folder; },
                                   [this](const LauncherState& s) { m_launcher << s; }});
        m_program.session->setRetryPause(50);
    }
    void stopMain()
    {
        m_program.window.reset();
        m_program.session.reset();
    }
    MainWindow& main() { return *m_program.window; }
    Session& session() { return *m_program.session; }
    template <typename T> T* child(const char* name, QObject* in = nullptr)
    {
        T* found = (in ? in : m_program.window.get())->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    // An image file of the world's folder, the size of a small CD game (600 KB); its path.
    QString writeImage(const QString& name) const
    {
        const QString path = m_world->path(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(600 * 1024, 'x')) != 600 * 1024)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Waits until the session has nothing running.
    bool idle(int ms = 20000)
    {
        return QTest::qWaitFor([this] { return !m_program.session->isBusy(); }, ms);
    }
    // The titles the browse list shows.
    QStringList shownGames()
    {
        auto* view = child<QTreeView>("gameList");
        QStringList names;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            names << view->model()->index(r, 0).data().toString();
        return names;
    }
    QString setting(const QString& key) const
    {
        return ReadSetting(kSettingsSection, key, m_world->paths().configFile);
    }
    void setSetting(const QString& key, const QString& value) const
    {
        WriteSetting(kSettingsSection, key, value, m_world->paths().configFile);
    }
};

// Texts a user would see cut: a button, check box, radio button or one-line label narrower
// than its text needs, or a group box narrower than its title. Named by object name or text.
inline QStringList ClippedTexts(QWidget* window)
{
    QStringList clipped;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window) || w->width() <= 0)
            continue;
        QString text;
        int needed = 0;
        if (auto* p = qobject_cast<QPushButton*>(w)) {
            // A push button's size hint has a least width that short captions ("...") need
            // not fill: what counts is its caption and the frame around it.
            text = p->text();
            QSize caption = p->fontMetrics().size(Qt::TextShowMnemonic, text);
            if (!p->icon().isNull())
                caption.rwidth() += p->iconSize().width() + 4;
            QStyleOptionButton frame; // no text: the style adds no least width
            frame.initFrom(p);
            needed =
                p->style()->sizeFromContents(QStyle::CT_PushButton, &frame, caption, p).width();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            text = b->text();
            needed = b->sizeHint().width();
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->wordWrap() || l->text().isEmpty())
                continue;
            text = l->text();
            needed = l->sizeHint().width();
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            text = g->title();
            needed = g->minimumSizeHint().width();
        } else {
            continue;
        }
        if (!text.isEmpty() && w->width() < needed)
            clipped << QStringLiteral("%1 \"%2\": %3 < %4")
                           .arg(w->objectName(), text)
                           .arg(w->width())
                           .arg(needed);
    }
    return clipped;
}

// ClippedTexts of each page of a window's tabs (object name "tabs"), each page saved as a
// screenshot where shotPrefix is given ("german-settings-0.png", ...).
inline QStringList ClippedOnEveryTab(QWidget* window, const QString& shotPrefix = {})
{
    QStringList clipped;
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("tabs"));
    for (int i = 0; tabs && i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        clipped << ClippedTexts(window);
        if (!shotPrefix.isEmpty())
            SaveScreenshot(window, QStringLiteral("%1-%2.png").arg(shotPrefix).arg(i));
    }
    return clipped;
}

// The Alt letter of a caption ("&Save" -> "s"); empty without one.
inline QString MnemonicOf(const QString& text)
{
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size();
         i = text.indexOf(u'&', i + 2)) {
        if (text[i + 1] != u'&')
            return text.mid(i + 1, 1).toLower();
    }
    return {};
}

// Alt letters a window offers twice as shown now: its buttons, labels leading to a field,
// group boxes, tab titles and menu bar titles; and the items of each menu among themselves.
inline QStringList SharedMnemonics(QWidget* window)
{
    QStringList shared;
    QHash<QString, QString> seen;
    auto take = [&](const QString& text, QHash<QString, QString>& in) {
        const QString letter = MnemonicOf(text);
        if (letter.isEmpty())
            return;
        if (in.contains(letter))
            shared << QStringLiteral("%1: \"%2\" and \"%3\"").arg(letter, in[letter], text);
        else
            in.insert(letter, text);
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window)
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            take(b->text(), seen);
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            take(l->text(), seen);
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            take(g->title(), seen);
        else if (auto* t = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < t->count(); ++i)
                take(t->tabText(i), seen);
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions()) {
                take(a->text(), seen);
                QHash<QString, QString> items;
                if (a->menu()) {
                    for (QAction* item : a->menu()->actions())
                        take(item->text(), items);
                }
            }
        }
    }
    return shared;
}

// Controls the keyboard reaches that a screen reader would read without a name of their own
// (Qt would fall back to the group box's title): neither a caption, nor an accessible name,
// nor a label leading to them.
inline QStringList UnnamedControls(QWidget* window)
{
    QStringList unnamed;
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        // The parts of a view or a combo box are named with it; tabs by their titles.
        if (qobject_cast<QAbstractScrollArea*>(w->parentWidget()) || w->inherits("QScrollBar") ||
            w->inherits("QTabWidget") || w->inherits("QTabBar"))
            continue;
        bool named = !w->accessibleName().trimmed().isEmpty();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            named = named || !QString(b->text()).remove(u'&').trimmed().isEmpty();
        named = named || std::any_of(labels.begin(), labels.end(),
                                     [w](const QLabel* l) { return l->buddy() == w; });
        if (!named)
            unnamed << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                     QLatin1String(w->metaObject()->className()));
    }
    return unnamed;
}
