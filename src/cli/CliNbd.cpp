#include "CliCommand.h"
#include "CliSupport.h"
#include "core/devices/NbdAddress.h"

// A PS2 over NBD from the terminal is a target like the others: the session checks its export,
// opens it for the command and closes it after. Only an address that is none is refused here.

bool CliCommand::badNbdArgument(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg.startsWith(QLatin1String("nbd://")) && !ParseNbdAddress(arg)) {
            usageError(
                QStringLiteral("\"%1\" is no NBD address: nbd://IP[:PORT][/EXPORT]").arg(arg));
            return true;
        }
    }
    return false;
}
