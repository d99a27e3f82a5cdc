// SPDX-License-Identifier: GPL-3.0-or-later
#include "qttranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Words Qt's Korean catalogue lacks: the file dialog's kinds of entries, whose context Qt 6
// renamed.
class GapTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        static const QHash<QByteArray, QString> words{
            {"Folder", QStringLiteral("폴더")},    {"File Folder", QStringLiteral("파일 폴더")},
            {"Drive", QStringLiteral("드라이브")}, {"Shortcut", QStringLiteral("바로 가기")},
            {"Alias", QStringLiteral("별칭")},     {"Unknown", QStringLiteral("알 수 없음")}};
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return QString();
        return words.value(QByteArray(source));
    }
};

} // namespace

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
            QCoreApplication::installTranslator(translator)) {
            QCoreApplication::installTranslator(new GapTranslator(QCoreApplication::instance()));
            return translator->filePath();
        }
        delete translator;
    }
    return QString();
}
