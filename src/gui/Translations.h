#pragma once

#include <QLocale>

class QCoreApplication;

// Loads the program's words and Qt's own (the standard buttons) for the locale, when there
// is a translation for it. English needs none beyond its plural forms, which are loaded too.
// Returns whether the program's own translation was found.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());
