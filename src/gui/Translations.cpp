#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallTranslations(QCoreApplication& app, const QLocale& locale)
{
    // A second call (another locale in a test) replaces what the first installed.
    for (QTranslator* old : app.findChildren<QTranslator*>(QStringLiteral("ventrik-translation"),
                                                           Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    auto install = [&app](QTranslator* translator) {
        translator->setObjectName(QStringLiteral("ventrik-translation"));
        translator->setParent(&app);
        QCoreApplication::installTranslator(translator);
    };
    auto* qt = new QTranslator;
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        install(qt);
    else
        delete qt;
    // The English forms first: where a language has no translation (or lacks a text), plurals
    // still read "1 job", not "1 jobs". The locale's own, installed after, is asked first.
    auto* english = new QTranslator;
    const bool hasEnglish = english->load(QStringLiteral("ventrik_en"), QStringLiteral(":/i18n"));
    if (hasEnglish)
        install(english);
    else
        delete english;
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return hasEnglish;
    auto* own = new QTranslator;
    if (!own->load(locale, QStringLiteral("ventrik"), QStringLiteral("_"),
                   QStringLiteral(":/i18n"))) {
        delete own;
        return false;
    }
    install(own);
    return true;
}
