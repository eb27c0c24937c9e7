#include "DiskLayouts.h"

#include "core/platform/DiskFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <thread>

DiskLayouts::DiskLayouts(QObject* parent) : QObject(parent) {}

DiskLayouts::~DiskLayouts()
{
    // A view still up unmounts itself as its mount goes.
    m_views.clear();
}

bool DiskLayouts::IsReadablePath(const QString& path)
{
    return path.startsWith(u'/') || QFileInfo(path).isFile();
}

void DiskLayouts::read(const QString& path, bool whole, bool withGames, Read done)
{
    // A disk that stops answering keeps its read waiting in the kernel: the read has a thread
    // of its own, let go when the limit passes, and nothing ever waits for it.
    struct Request
    {
        std::atomic<bool> answered{false};
    };
    auto request = std::make_shared<Request>();
    const QPointer<DiskLayouts> self(this);
    auto answer = [request, self, done](const layout::DiskLayout& found) {
        if (!self || request->answered.exchange(true))
            return;
        done(found);
    };
    auto* limit = new QTimer(this);
    limit->setSingleShot(true);
    const int seconds = m_timeoutMs / 1000;
    connect(limit, &QTimer::timeout, this, [answer, limit, seconds] {
        limit->deleteLater();
        layout::DiskLayout silent;
        silent.readError = tr("the disk did not answer in %1 s").arg(seconds);
        answer(silent);
    });
    limit->start(m_timeoutMs);
    // The answer comes back through the application, which outlives any reading; it is
    // given only while this object lives.
    const bool devices = m_readsDevices;
    const QPointer<QTimer> timer(limit);
    std::thread([path, whole, withGames, devices, answer, timer] {
        layout::DiskLayout found;
        QString error;
        bool absent = false;
        if (const auto disk = platform::DiskFile::open(path, devices, &error, &absent)) {
            const layout::ReadBytes bytes = [&disk](qint64 at, qint64 length) {
                return disk->read(at, length);
            };
            found = whole ? layout::ReadDiskLayout(disk->size(), bytes, withGames)
                          : layout::ReadDiskHead(disk->size(), bytes);
        } else if (absent) {
            found.absent = true;
        } else {
            found.readError = error;
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [answer, found, timer] {
                if (timer)
                    timer->deleteLater();
                answer(found);
            },
            Qt::QueuedConnection);
    }).detach();
}

void DiskLayouts::openView(const QString& path, qint64 bytes, Opened done)
{
    if (m_views.find(path) != m_views.end()) {
        QMetaObject::invokeMethod(
            this, [done] { done({}); }, Qt::QueuedConnection);
        return;
    }
    const QStringList server = platform::TruncatedDiskServer(path, bytes);
    if (server.isEmpty() || !m_base) {
        QMetaObject::invokeMethod(
            this, [done] { done(tr("nbdkit (the package nbdkit) is not installed")); },
            Qt::QueuedConnection);
        return;
    }
    // One folder per disk, named so that no path can reach outside the base.
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    static int views = 0;
    auto mount = std::make_shared<std::unique_ptr<platform::NbdMount>>(
        std::make_unique<platform::NbdMount>(m_base() + QStringLiteral("view-%1-%2-%3")
                                                            .arg(key)
                                                            .arg(QCoreApplication::applicationPid())
                                                            .arg(++views),
                                             server));
    platform::NbdMount* m = mount->get();
    m->mount([this, path, mount, done](bool ok, const QString& error) {
        if (!ok) {
            // Not deleted here: this is called from within the mount.
            mount->release()->deleteLater();
            done(error.isEmpty() ? tr("the view could not be mounted") : error);
            return;
        }
        m_views[path] = std::move(*mount);
        done({});
    });
}

QString DiskLayouts::viewOf(const QString& path) const
{
    const auto it = m_views.find(path);
    return it == m_views.end() ? path : it->second->diskPath();
}

void DiskLayouts::closeViews()
{
    for (auto& [path, view] : m_views) {
        platform::NbdMount* mount = view.release();
        mount->setParent(this);
        m_closing.insert(path);
        mount->unmount([this, mount, path = path](bool, const QString&) {
            mount->deleteLater();
            closed(path);
        });
    }
    m_views.clear();
}

void DiskLayouts::abortViews()
{
    for (auto& [path, view] : m_views)
        view->abort();
}

void DiskLayouts::closed(const QString& path)
{
    m_closing.remove(path);
    if (!m_closing.isEmpty() || !m_views.empty())
        return;
    for (auto& done : std::exchange(m_whenClosed, {}))
        done();
}

void DiskLayouts::whenClosed(std::function<void()> done)
{
    if (m_closing.isEmpty() && m_views.empty()) {
        done();
        return;
    }
    m_whenClosed.push_back(std::move(done));
}
