#include "qttranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QStringList QtTranslations::searchFolders()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QDir(program).filePath(QStringLiteral("translations")),
            QDir(program).filePath(QStringLiteral("../share/labelstation/translations")), program};
}

QString QtTranslations::installKorean()
{
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    QLocale::setDefault(korean);
    for (const QString &folder : searchFolders()) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(korean, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator))
            return translator->filePath();
        delete translator;
    }
    return QString();
}
