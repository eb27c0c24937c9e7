// How the main window arranges its panes: two columns or stacked, its size and place on the
// screen, the activity view's share, the lists' column widths, and all of it kept.
#include "ActivityPane.h"
#include "BrowsePane.h"
#include "InstallPane.h"
#include "JobPane.h"
#include "MainWindow.h"
#include "NavigationPane.h"
#include "RunStatusBar.h"
#include "TargetController.h"
#include "TargetPane.h"
#include "Twips.h"
#include "WindowPlacement.h"
#include "core/session/Session.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>

namespace {
// Small enough for a 1366x768 screen at 200 % (683x384 of room, less the desktop's panels).
constexpr QSize kMinimumSize(560, 330);
// The first size on a screen that has room, without and with the activity view: at least
// this, and a good share of a larger screen.
constexpr QSize kDefaultSize(860, 420);
constexpr double kScreenShareWide = 0.75;
constexpr double kScreenShareHigh = 0.8;
constexpr int kActivityHeight = 200;
constexpr QSize kFrameAllowance(16, 40);
} // namespace

void MainWindow::setActivityVisible(bool on)
{
    // A window of its own size grows downward to show the view and shrinks when it goes;
    // a maximised one shares its room.
    if (m_placed && !isMaximized() && !isFullScreen() && on != m_activity->isVisible()) {
        if (on) {
            const QRect area = screen() ? screen()->availableGeometry() : QRect();
            const int frame = frameGeometry().height() - height();
            resize(width(), std::min(height() + kActivityHeight, area.height() - frame));
            // Grown past the screen's foot: the window moves up instead.
            const int over = frameGeometry().bottom() - area.bottom();
            if (over > 0)
                move(x(), std::max(area.top(), frameGeometry().top() - over));
        } else {
            resize(width(), std::max(minimumHeight(), height() - kActivityHeight));
        }
    }
    m_activity->setVisible(on);
    m_activity->flushOutput();
    m_session.settings().setFlag(Setting::ViewOutput, on);
}

void MainWindow::arrangeColumns(bool stacked)
{
    if (m_grid->count() > 0 && stacked == m_stacked)
        return;
    m_stacked = stacked;
    for (QWidget* w : {static_cast<QWidget*>(m_target), static_cast<QWidget*>(m_navigation),
                       static_cast<QWidget*>(m_install), static_cast<QWidget*>(m_browse)})
        m_grid->removeWidget(w);
    m_grid->addWidget(m_target, 0, 0);
    m_grid->addWidget(m_navigation, 1, 0);
    // Side by side where the window is wide enough, else the panes one under the other.
    if (stacked) {
        m_grid->addWidget(m_install, 2, 0);
        m_grid->addWidget(m_browse, 2, 0);
        m_grid->setRowStretch(0, 0);
        m_grid->setRowStretch(2, 1);
        m_grid->setColumnStretch(1, 0);
    } else {
        m_grid->addWidget(m_install, 0, 1, 2, 1);
        m_grid->addWidget(m_browse, 0, 1, 2, 1);
        m_grid->setRowStretch(0, 1);
        m_grid->setRowStretch(2, 0);
        m_grid->setColumnStretch(1, 1);
    }
    // The splitter and the scrolled contents above it learn the new minimum now, or the
    // panes would be squeezed below theirs until something else asks.
    for (QWidget* w = m_columns; w && w != this; w = w->parentWidget()) {
        if (w->layout())
            w->layout()->invalidate();
        w->updateGeometry();
    }
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // What the contents need side by side is measured while they stand so.
    if (!m_stacked)
        m_sideBySideWidth = m_scroll->widget()->minimumSizeHint().width();
    const int room =
        width() -
        (m_scroll->verticalScrollBar()->isVisible() ? m_scroll->verticalScrollBar()->width() : 0);
    arrangeColumns(room < m_sideBySideWidth);
}

void MainWindow::placeWindow()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const SettingsFile& settings = m_session.settings();
    // A small screen (or a large scale) still shows the whole window: below its
    // contents' size it scrolls.
    setMinimumSize(std::min(kMinimumSize.width(), area.width() - kFrameAllowance.width()),
                   std::min(kMinimumSize.height(), area.height() - kFrameAllowance.height()));
    const QByteArray geometry = settings.state(Setting::MainGeometry);
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        // Every pane without scrolling, and room for the lists beyond what the controls need.
        m_scroll->widget()->adjustSize();
        QSize wanted = m_scroll->widget()->sizeHint().expandedTo(minimumSize());
        const int bar = m_scroll->verticalScrollBar()->sizeHint().width();
        wanted = QSize(
            std::max({wanted.width() + bar, kDefaultSize.width(),
                      static_cast<int>(area.width() * kScreenShareWide)}),
            std::max({wanted.height() + m_runBar->sizeHint().height() +
                          (m_activity->isVisible() ? kActivityHeight : 0),
                      kDefaultSize.height(), static_cast<int>(area.height() * kScreenShareHigh)}));
        // The frame the desktop draws around it is not known before it is shown.
        resize(std::min(wanted.width(), area.width() - kFrameAllowance.width()),
               std::min(wanted.height(), area.height() - kFrameAllowance.height()));
        move(area.x() + area.width() / 2 - width() / 2,
             area.y() + area.height() / 2 - height() / 2);
    }
    m_splitter->restoreState(settings.state(Setting::MainSplitter));
}

void MainWindow::saveWindowState()
{
    m_targetControl->saveAddress();
    SettingsFile& settings = m_session.settings();
    settings.setState(Setting::MainGeometry, saveGeometry());
    settings.setState(Setting::MainSplitter, m_splitter->saveState());
    settings.setState(Setting::GameColumns, m_browse->columnState());
    settings.setState(Setting::JobColumns, m_jobPane->columnState());
}
