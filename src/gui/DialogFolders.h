#pragma once

#include <QString>

class SettingsFile;

// Each kind of file dialog ("images", "copies", "reports", ...) opens where it was last left:
// else in the images folder of the settings, else in the home folder.
QString DialogFolder(const SettingsFile& settings, const QString& purpose);
// The folder of what was chosen (a file's folder, or the folder itself) is kept for next time.
void RememberDialogFolder(SettingsFile& settings, const QString& purpose, const QString& chosen);
