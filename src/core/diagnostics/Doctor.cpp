#include "Doctor.h"

#include "core/output/Parsers.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/Platform.h"
#include "core/settings/Settings.h"
#include "core/tool/ToolBuild.h"
#include "core/tool/ToolRun.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTimer>

Doctor::Doctor(const AppPaths& paths, const SettingsFile& settings, QObject* parent)
    : QObject(parent), m_paths(paths), m_settings(settings)
{
    m_pool.setMaxThreadCount(1);
}

Doctor::~Doctor()
{
    // A look at the machine still under way ends first; its answer is then dropped.
    m_pool.waitForDone();
}

void Doctor::start()
{
    DoctorReport report;
    QJsonObject& json = report.json;
    QString& text = report.text;
    const QString tool = m_paths.toolPath;
    const QFileInfo info(tool);
    json[QStringLiteral("hdl_dump")] = tool;
    json[QStringLiteral("hdl_dump_found")] = info.isFile();
    json[QStringLiteral("hdl_dump_executable")] = info.isExecutable();
    text += QStringLiteral("hdl_dump: %1 (%2)\n")
                .arg(tool, !info.isFile()         ? QStringLiteral("not found")
                           : !info.isExecutable() ? QStringLiteral("not executable")
                                                  : QStringLiteral("found"));
    const QString toolConfig = m_settings.text(Setting::ToolConfig);
    json[QStringLiteral("config_file")] = m_paths.configFile;
    json[QStringLiteral("tool_config_file")] = toolConfig;
    text +=
        QStringLiteral("settings: %1\nhdl_dump settings: %2\n").arg(m_paths.configFile, toolConfig);

    // The probe and the reading of every disk take their time: off this thread.
    m_pool.start([this, report]() mutable {
        findMachine(report);
        QMetaObject::invokeMethod(
            this, [this, report] { askTool(report); }, Qt::QueuedConnection);
    });
}

void Doctor::findMachine(DoctorReport& report) const
{
    QJsonObject& json = report.json;
    QString& text = report.text;
    // Only loopback is probed: whether an echo can be sent at all.
    const auto loopback = platform::parseIPv4(QStringLiteral("127.0.0.1"));
    const platform::EchoResult echo =
        platform::sendIcmpEcho(*loopback, QByteArrayLiteral("hello"), 500);
    json[QStringLiteral("icmp_probe")] = echo.sent;
    text += QStringLiteral("ICMP probe: %1\n")
                .arg(echo.sent ? QStringLiteral("possible") : QStringLiteral("not possible"));

    QJsonArray disks;
    for (const platform::Device& d :
         m_deviceSource ? m_deviceSource() : platform::discoverDevices()) {
        if (d.optical)
            continue;
        disks.append(QJsonObject{{QStringLiteral("device"), d.path},
                                 {QStringLiteral("readable"), d.readable},
                                 {QStringLiteral("in_use"), d.inUse},
                                 {QStringLiteral("ps2_formatted"), d.ps2Formatted},
                                 {QStringLiteral("needs_permission"), d.needsPermission}});
        QString state = QStringLiteral("readable, not PS2");
        if (d.inUse)
            state = QStringLiteral("in use by this system, never offered");
        else if (d.needsPermission)
            state = QStringLiteral("needs permission (may be a PS2 disk: ventrik-cli grant %1)")
                        .arg(d.path);
        else if (!d.readable)
            state = QStringLiteral("cannot be read");
        else if (d.ps2Formatted)
            state = QStringLiteral("PS2 formatted");
        text += QStringLiteral("disk %1: %2\n").arg(d.path, state);
    }
    json[QStringLiteral("disks")] = disks;
}

void Doctor::askTool(DoctorReport report)
{
    const QString tool = m_paths.toolPath;
    const QFileInfo info(tool);

    if (!info.isFile() || !info.isExecutable()) {
        QTimer::singleShot(0, this, [this, report] { emit finished(report); });
        return;
    }
    // The tool's usage lists the commands this build has.
    m_run = new ToolRun({tool, {}}, this);
    m_run->setSilenceTimeout(10000);
    connect(m_run, &ToolRun::finished, this, [this, report](const RunOutcome& o) mutable {
        m_run->deleteLater();
        const QStringList names = parse::ParseToolCommands(o.output);
        report.json[QStringLiteral("commands")] = QJsonArray::fromStringList(names);
        report.json[QStringLiteral("banner")] = o.output.section(u'\n', 0, 0).trimmed();
        report.text += QStringLiteral("commands: %1\n").arg(names.join(u' '));
        report.usage = o.output;
        report.toolRuns = o.started;
        if (!o.started) {
            emit finished(report);
            return;
        }
        // Whether it takes disk images: a release build takes devices and addresses only.
        DetectToolBuild(
            this, m_paths.toolPath, m_paths.workingDir, [this, report](ToolBuild b) mutable {
                const QString build = b == ToolBuild::DevicesOnly    ? QStringLiteral("release")
                                      : b == ToolBuild::AcceptsFiles ? QStringLiteral("takes-files")
                                                                     : QStringLiteral("unknown");
                report.json[QStringLiteral("build")] = build;
                report.text +=
                    b == ToolBuild::DevicesOnly
                        ? QStringLiteral("build: release (takes disks and PS2 addresses, not disk "
                                         "images; a PS2 over NBD needs the device route)\n")
                    : b == ToolBuild::AcceptsFiles
                        ? QStringLiteral("build: takes disk images as files\n")
                        : QStringLiteral("build: could not be told\n");
                emit finished(report);
            });
    });
    m_run->start();
}

QString ShortenHomePaths(QString text, const QString& home)
{
    // The home folder as a path: /home/anna/x and /home/anna itself, never /home/anna2.
    QString folder = home;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (folder.size() <= 1)
        return text;
    // Only where a path starts with it: not inside another path (/var/home/anna/x).
    const QRegularExpression asPath(QStringLiteral("(?<![^\\s\"'=:(\\[,;])") +
                                        QRegularExpression::escape(folder) +
                                        QStringLiteral("(?=/|$|[\\s\"',;:)\\]])"),
                                    QRegularExpression::MultilineOption);
    return text.replace(asPath, QStringLiteral("~"));
}

QString ReportContents(const QString& text)
{
    // Said at its top, so whoever sends the report knows what goes with it.
    static const QRegularExpression address(
        QStringLiteral("(?<![0-9.])(?:[0-9]{1,3}\\.){3}[0-9]{1,3}(?![0-9.])"));
    static const QRegularExpression path(QStringLiteral("(?<![\\w~/.])/[^\\s\"',;)\\]]+"));
    QStringList addresses;
    for (auto it = address.globalMatch(text); it.hasNext();) {
        const QString a = it.next().captured(0);
        if (!addresses.contains(a))
            addresses << a;
    }
    QStringList paths;
    for (auto it = path.globalMatch(text); it.hasNext();) {
        const QString p = it.next().captured(0);
        if (!paths.contains(p))
            paths << p;
    }
    return QStringLiteral("This report holds these network addresses: %1\n"
                          "and these paths outside your home folder: %2\n")
        .arg(addresses.isEmpty() ? QStringLiteral("none") : addresses.join(QStringLiteral(", ")),
             paths.isEmpty() ? QStringLiteral("none") : paths.join(QStringLiteral(", ")));
}

QString DiagnosticReportText(const QString& version, const DoctorReport& doctor,
                             const QString& settingsText, const QStringList& logEntries)
{
    QString text = QStringLiteral("Ventrik diagnostic report\n");
    text += QStringLiteral("written: %1\n").arg(QDateTime::currentDateTime().toString(Qt::ISODate));
    text += QStringLiteral("Ventrik version: %1\n\n").arg(version);
    text += QStringLiteral("== hdl_dump\n%1\nusage banner: %2\n\n")
                .arg(doctor.json.value(QStringLiteral("hdl_dump")).toString(),
                     doctor.json.value(QStringLiteral("banner")).toString());
    text += QStringLiteral("== doctor\n") + doctor.text + u'\n';
    text += QStringLiteral("== config.cfg\n") + settingsText;
    if (!settingsText.endsWith(u'\n'))
        text += u'\n';
    text += QStringLiteral("\n== the last %1 log entries\n").arg(logEntries.size());
    text += logEntries.join(QString());
    text = ShortenHomePaths(text, platform::homeDir());
    return ReportContents(text) + u'\n' + text;
}
