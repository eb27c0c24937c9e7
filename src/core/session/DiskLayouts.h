#pragma once

#include "core/devices/DiskLayout.h"
#include "core/platform/Nbd.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

// The disks the session works on as their own sectors say (read beside the event loop, each
// read given up when the disk does not answer), and the views that show the tool only the APA
// area of a disk whose other half is another file system's.
class DiskLayouts : public QObject
{
    Q_OBJECT
public:
    using Read = std::function<void(const layout::DiskLayout&)>;
    using Opened = std::function<void(const QString& error)>;

    explicit DiskLayouts(QObject* parent = nullptr);
    ~DiskLayouts() override;

    // Block devices are read only where the program is the real one: tests name disks that
    // are not theirs.
    void setReadsDevices(bool read) { m_readsDevices = read; }
    void setReadTimeout(int ms) { m_timeoutMs = ms; }
    // Where views are mounted (beside the PS2 exports' mounts, so a later start finds those a
    // crashed run left).
    void setMountBase(std::function<QString()> base) { m_base = std::move(base); }

    // Reads the disk at path (what the tool is given for it): sector 0 only, or the whole
    // chain of partitions (with the games' titles when asked). done on this thread, once.
    void read(const QString& path, bool whole, bool withGames, Read done);
    // Whether path is something this program reads sectors of (a file or a device).
    static bool IsReadablePath(const QString& path);

    // Opens a view of path that ends after bytes; done(error) with an empty error once the
    // tool may be given it.
    void openView(const QString& path, qint64 bytes, Opened done);
    // The view's file while one is open for path; path itself otherwise.
    QString viewOf(const QString& path) const;
    bool anyView() const { return !m_views.empty(); }
    // Every view unmounted, none waited for.
    void closeViews();
    // Every view cut off from the disk behind it (for a tool stuck on it).
    void abortViews();
    // done() once no view is open or closing.
    void whenClosed(std::function<void()> done);

private:
    bool m_readsDevices = false;
    int m_timeoutMs = 30000;
    std::function<QString()> m_base;
    std::map<QString, std::unique_ptr<platform::NbdMount>> m_views; // by the disk's path
    QSet<QString> m_closing;
    std::vector<std::function<void()>> m_whenClosed;
    void closed(const QString& path);
};
