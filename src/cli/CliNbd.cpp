#include "CliCommand.h"
#include "CliSupport.h"
#include "core/devices/NbdAddress.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"
#include "core/tool/ToolBuild.h"

#include <QProcess>
#include <QStandardPaths>

// A PS2 over NBD from the terminal: the export is checked (reachable, a disk's size, writable),
// the tool's build measured, and the export mounted as a file with nbdfuse for the command;
// it is unmounted when the command ends.

bool CliCommand::openNbdTarget(const QStringList& args, std::function<void(const QStringList&)> go)
{
    qsizetype at = -1;
    std::optional<NbdAddress> address;
    for (qsizetype i = 0; i < args.size() && !address; ++i) {
        if (args[i].startsWith(QLatin1String("nbd://"))) {
            at = i;
            address = ParseNbdAddress(args[i]);
            if (!address) {
                usageError(QStringLiteral("\"%1\" is no NBD address: nbd://IP[:PORT][/EXPORT]")
                               .arg(args[i]));
                return true;
            }
        }
    }
    if (!address)
        return false;
    platform::ReadNbdExport(
        this, address->uri(), [this, args, at, address, go](const platform::NbdExportInfo& info) {
            if (const std::optional<Problem> p = NbdExportProblem(*address, info)) {
                cli::writeErr(ProblemText(*p) + u'\n');
                finish(1);
                return;
            }
            const QString tool = m_session.paths().toolPath;
            DetectToolBuild(
                this, tool, m_session.paths().workingDir,
                [this, args, at, address, go](ToolBuild build) {
                    if (build == ToolBuild::DevicesOnly) {
                        cli::writeErr(QStringLiteral("This hdl_dump is a release build: it takes "
                                                     "only devices, not the PS2's "
                                                     "export as a file. Use a build made with the "
                                                     "Makefile's default (debug) "
                                                     "settings to reach a PS2 over NBD.\n"));
                        finish(1);
                        return;
                    }
                    const QString base =
                        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                        QStringLiteral("/Ventrik/nbd/");
                    // Mounts a Ventrik that crashed left behind, never a running one's, go first:
                    // the same export would be mounted in the same place.
                    for (const QString& stale : platform::StaleNbdMounts(base))
                        QProcess::execute(QStringLiteral("fusermount3"),
                                          {QStringLiteral("-u"), stale});
                    m_nbd =
                        std::make_unique<platform::NbdMount>(base + address->key(), address->uri());
                    m_nbd->mount([this, args, at, go](bool ok, const QString& error) {
                        if (!ok) {
                            cli::writeErr(QStringLiteral("The PS2's disk could not be opened: %1\n")
                                              .arg(error));
                            finish(1);
                            return;
                        }
                        QStringList opened = args;
                        m_nbdText = opened[at];
                        opened[at] = m_nbd->diskPath();
                        go(opened);
                    });
                });
        });
    return true;
}
