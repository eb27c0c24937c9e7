#pragma once

#include "ToolRunner.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

// What this build of the tool can do, from its usage (printed when it gets no arguments) and
// from how it answers a disc read; forgotten when another tool is chosen.
class ToolUsage : public QObject
{
    Q_OBJECT
public:
    explicit ToolUsage(ToolRunner& runner, QObject* parent = nullptr);

    // done() once the usage was asked (at once when it is known).
    void know(std::function<void()> done);
    bool known() const { return m_known; }
    // The commands its usage lists; empty until it was asked.
    const QStringList& commands() const { return m_commands; }
    bool has(const QString& command) const { return m_commands.contains(command); }
    // The version its usage names ("0.9.2"); empty when unknown.
    const QString& version() const { return m_version; }
    // Whether it has "modify"; nothing until the usage was asked.
    std::optional<bool> canModify() const;
    // The disc read it has: cdvd_info2, which also says CD or DVD, unless it is known to lack it.
    QString discReadCommand() const;
    QStringList discReadArguments(const QString& source) const
    {
        return {discReadCommand(), source};
    }
    // After a disc read with the usage unknown: true when the tool turned out to lack
    // cdvd_info2 (it printed its usage), so the read is to be asked again the older way.
    bool learnFromDiscRead(const RunOutcome& outcome);
    // Another tool was chosen.
    void forget();

private:
    ToolRunner& m_runner;
    QStringList m_commands;
    bool m_known = false;
    QString m_version;
    std::optional<bool> m_hasDiscInfo2; // unknown until a disc read told
};
