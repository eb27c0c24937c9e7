#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Whether this build of the tool takes a regular file as a disk. Builds made as the Makefile
// does by default (debug) do; release builds, as published, take only block devices and
// network addresses and say "Input or output is unsupported." (status 114).
enum class ToolBuild { AcceptsFiles, DevicesOnly, Unknown };

// Runs the tool once on an empty file in the working folder; done on context's thread.
void DetectToolBuild(QObject* context, const QString& tool, const QString& workingDir,
                     std::function<void(ToolBuild)> done);
