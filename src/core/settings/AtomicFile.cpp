#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

bool SaveFileAtomically(const QString& path, const QByteArray& content, QString* error)
{
    if (path.isEmpty()) {
        *error = QCoreApplication::translate("Settings", "No file name is set.");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    // Qt words some failures "Unknown error"; the system's own words name the cause (no
    // space left, a read-only file system, a file too large).
    auto reason = [&file] {
        const int code = errno;
        const QString qt = file.errorString();
        return code != 0 && (qt.isEmpty() || qt == QLatin1String("Unknown error"))
                   ? QString::fromLocal8Bit(std::strerror(code))
                   : qt;
    };
    errno = 0;
    if (file.write(content) != content.size() || !file.flush()) {
        *error = reason();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = reason();
        return false;
    }
    return true;
}

bool IsSingleLineValue(const QString& value)
{
    return !value.contains(u'\n') && !value.contains(u'\r') && !value.contains(QChar(0));
}
