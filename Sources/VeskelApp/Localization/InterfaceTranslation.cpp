#include "VeskelApp/Localization/InterfaceTranslation.h"

#include "StoryboardCore/Localization/L10nRuntime.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace veskel::InterfaceTranslation {

namespace {

struct Catalogues
{
    // English needs ours too: it carries the English plural forms ("1 scene", "3 scenes").
    QTranslator english;
    QTranslator russian;
    // Qt's catalogue comes from the system's Qt translations, kept up to date with Qt itself.
    QTranslator qtRussian;

    Catalogues()
    {
        if (!english.load(QStringLiteral(":/i18n/veskel_en.qm")))
            qWarning("The English interface catalogue is missing");
        if (!russian.load(QStringLiteral(":/i18n/veskel_ru.qm")))
            qWarning("The Russian interface catalogue is missing");
        if (!qtRussian.load(QStringLiteral("qtbase_ru"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            qWarning("Qt's Russian catalogue (qtbase_ru.qm) is missing: standard texts stay "
                     "English");
    }
};

Catalogues &catalogues()
{
    static Catalogues instance;
    return instance;
}

} // namespace

void apply(ResolvedLanguage language)
{
    L10nRuntime::setLang(language);
    Catalogues &c = catalogues();
    for (QTranslator *translator : {&c.english, &c.russian, &c.qtRussian})
        QCoreApplication::removeTranslator(translator);
    if (language == ResolvedLanguage::english) {
        QCoreApplication::installTranslator(&c.english);
    } else {
        QCoreApplication::installTranslator(&c.qtRussian);
        QCoreApplication::installTranslator(&c.russian);
    }
}

} // namespace veskel::InterfaceTranslation
