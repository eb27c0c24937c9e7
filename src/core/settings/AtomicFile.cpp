#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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
    if (file.write(content) != content.size() || !file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool IsSingleLineValue(const QString& value)
{
    return !value.contains(u'\n') && !value.contains(u'\r') && !value.contains(QChar(0));
}
