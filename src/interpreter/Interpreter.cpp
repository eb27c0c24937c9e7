#include "Interpreter.h"

#include "shell/Dialogs.h"
#include "shell/RunState.h"

void Interpreter::InterpretOutput(const QString& chunk)
{
    // A networked PS2 that dropped or refused the connection, whatever command ran.
    if (chunk.contains(
            QStringLiteral("existing connection was forcibly closed by the remote host")) ||
        chunk.contains(QStringLiteral(
            "No connection could be made because the target machine actively refused it.")) ||
        chunk.contains(QStringLiteral("Connection refused"))) {
        m_dialogs.message(
            QStringLiteral("An error has occurred and you must reload hdld_svr.elf on PS2."),
            Dialogs::Icon::Critical);
        return;
    }
    (void)m_state;
}
