#pragma once

#include <QString>
#include <QStringList>

// The text wrapped in double quotes when it holds a space, else unchanged.
inline QString QuoteIfSpaced(const QString& text)
{
    return text.contains(u' ') ? u'"' + text + u'"' : text;
}

// One run of the tool: its path and its arguments. The arguments reach the
// process as a list, never through a shell or a joined string.
struct ToolCommand
{
    QString program;
    QStringList arguments;
    // Written to its standard input, which is then closed (a tool driven by a script); empty:
    // no input.
    QByteArray input = {};
    // What it writes to standard error is kept apart (RunOutcome::errorOutput) instead of
    // merged: a tool whose prompts on standard error would cut into the lines it prints.
    bool errorsApart = false;

    bool isEmpty() const { return program.isEmpty(); }

    // The arguments as the activity view shows them; an empty argument shows as "".
    static QString DisplayArguments(const QStringList& args)
    {
        QStringList shown;
        shown.reserve(args.size());
        for (const QString& a : args)
            shown << (a.isEmpty() ? QStringLiteral("\"\"") : QuoteIfSpaced(a));
        return shown.join(u' ');
    }
    bool operator==(const ToolCommand&) const = default;
};
