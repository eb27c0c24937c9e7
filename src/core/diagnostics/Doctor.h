#pragma once

#include "core/platform/DeviceDiscovery.h"
#include "core/settings/AppPaths.h"

#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <functional>

class SettingsFile;
class ToolRun;

// What the doctor found: as JSON for scripts and as lines for people.
struct DoctorReport
{
    QJsonObject json;
    QString text;
    QString usage; // the tool's usage text, whole
    bool toolRuns = false;
};

// Which tool, which of its commands exist, which disks can be read, whether an
// ICMP probe is possible (sent to 127.0.0.1 only), where the settings live.
// The tool is asked for its usage; finished() follows, never inside start().
class Doctor : public QObject
{
    Q_OBJECT
public:
    Doctor(const AppPaths& paths, const SettingsFile& settings, QObject* parent = nullptr);
    ~Doctor() override;
    void start();
    // Where the disks come from (tests give their own; the system's discovery otherwise).
    void setDeviceSource(std::function<QList<platform::Device>()> source)
    {
        m_deviceSource = std::move(source);
    }

signals:
    void finished(const DoctorReport& report);

private:
    // Whether an echo can be sent, and every disk: on the pool.
    void findMachine(DoctorReport& report) const;
    void askTool(DoctorReport report);

    QThreadPool m_pool;
    AppPaths m_paths;
    const SettingsFile& m_settings;
    QPointer<ToolRun> m_run;
    std::function<QList<platform::Device>()> m_deviceSource;
};

// One text for a bug report: the version, the tool and its usage banner, the
// doctor's findings, the settings file and the newest log entries. The user's
// home folder is written "~".
QString DiagnosticReportText(const QString& version, const DoctorReport& doctor,
                             const QString& settingsText, const QStringList& logEntries);
QString ShortenHomePaths(QString text, const QString& home);
// What a report's text holds that its sender may not want to send: the network addresses and
// the paths outside the home folder, listed.
QString ReportContents(const QString& text);
