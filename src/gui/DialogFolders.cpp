#include "DialogFolders.h"

#include "core/settings/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QJsonObject Kept(const SettingsFile& settings)
{
    return QJsonDocument::fromJson(settings.state(Setting::DialogFolders)).object();
}
} // namespace

QString DialogFolder(const SettingsFile& settings, const QString& purpose)
{
    const QString kept = Kept(settings).value(purpose).toString();
    if (!kept.isEmpty() && QFileInfo(kept).isDir())
        return kept;
    const QString images = settings.text(Setting::DefaultISO);
    if (!images.isEmpty() && QFileInfo(images).isDir())
        return images;
    return QDir::homePath();
}

void RememberDialogFolder(SettingsFile& settings, const QString& purpose, const QString& chosen)
{
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    QJsonObject kept = Kept(settings);
    if (kept.value(purpose).toString() == folder)
        return;
    kept[purpose] = folder;
    settings.setState(Setting::DialogFolders, QJsonDocument(kept).toJson(QJsonDocument::Compact));
}
