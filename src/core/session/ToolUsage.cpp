#include "ToolUsage.h"

#include "core/output/Parsers.h"

#include <QRegularExpression>

ToolUsage::ToolUsage(ToolRunner& runner, QObject* parent) : QObject(parent), m_runner(runner) {}

void ToolUsage::know(std::function<void()> done)
{
    if (m_known) {
        done();
        return;
    }
    m_runner.run(
        {},
        [this, done](const RunOutcome& outcome) {
            m_known = outcome.started;
            m_commands = parse::ParseToolCommands(outcome.output);
            static const QRegularExpression version(QStringLiteral("hdl_dump-([0-9][^\\s]*)"));
            m_version = version.match(outcome.output).captured(1);
            done();
        },
        m_runner.readTimeout());
}

std::optional<bool> ToolUsage::canModify() const
{
    if (!m_known)
        return std::nullopt;
    return has(QStringLiteral("modify"));
}

QString ToolUsage::discReadCommand() const
{
    // Every way of reading a disc asks the same: the usage says which the tool has (0.9.0 has
    // both).
    if (m_known)
        return has(QStringLiteral("cdvd_info2")) ? QStringLiteral("cdvd_info2")
                                                 : QStringLiteral("cdvd_info");
    return m_hasDiscInfo2 == false ? QStringLiteral("cdvd_info") : QStringLiteral("cdvd_info2");
}

bool ToolUsage::learnFromDiscRead(const RunOutcome& outcome)
{
    // An older tool without cdvd_info2 prints its usage: asked the older way, once for good.
    if (m_known || m_hasDiscInfo2.has_value() || !outcome.started || outcome.cancelled)
        return false;
    m_hasDiscInfo2 = outcome.error != ToolError::UnknownCommand;
    return !*m_hasDiscInfo2;
}

void ToolUsage::forget()
{
    m_known = false;
    m_commands.clear();
    m_version.clear();
    m_hasDiscInfo2.reset();
}
