// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/qttranslations.h"

#include <QAbstractFileIconProvider>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Texts a window shows: captions of its buttons and labels, with "&" mnemonics and their
// "(&X)" forms taken out.
QStringList shownTexts(QWidget *w)
{
    QStringList out;
    auto clean = [](QString t) {
        t.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        return t.remove(QLatin1Char('&')).trimmed();
    };
    for (auto *b : w->findChildren<QAbstractButton *>())
        if (b->isVisibleTo(w) && !b->text().isEmpty())
            out << clean(b->text());
    for (auto *l : w->findChildren<QLabel *>())
        if (l->isVisibleTo(w) && !l->text().isEmpty())
            out << clean(l->text());
    return out;
}

// Texts holding a Latin word of three letters or more.
QStringList english(const QStringList &texts)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    QStringList out;
    for (const QString &t : texts)
        if (word.match(t).hasMatch())
            out << t;
    return out;
}

} // namespace

// Qt's standard dialogs and buttons speak Korean once the program has installed Qt's
// Korean texts.
class TestQtTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        const QString file = QtTranslations::installKorean();
        QVERIFY2(file.endsWith(QStringLiteral("qtbase_ko.qm")), qPrintable(file));
    }

    void standardButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Yes") << int(QDialogButtonBox::Yes) << "예(&Y)";
        QTest::newRow("No") << int(QDialogButtonBox::No) << "아니요(&N)";
        QTest::newRow("OK") << int(QDialogButtonBox::Ok) << "확인";
        QTest::newRow("Cancel") << int(QDialogButtonBox::Cancel) << "취소";
    }
    void standardButtons()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QDialogButtonBox box{QDialogButtonBox::StandardButtons(button)};
        QCOMPARE(box.button(QDialogButtonBox::StandardButton(button))->text(), text);
    }

    void fileKinds()
    {
        QAbstractFileIconProvider kinds;
        QCOMPARE(kinds.type(QFileInfo(QDir::tempPath())), QStringLiteral("폴더"));
    }

    void dialogsShowNoEnglish()
    {
        QMessageBox question(QMessageBox::Question, QStringLiteral("질문"),
                             QStringLiteral("* 저장할까요 ?"), QMessageBox::Yes | QMessageBox::No);
        QFileDialog files(nullptr, QStringLiteral("파일 열기"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        QPrinter printer;
        QPrintDialog print(&printer);
        for (QWidget *w : std::initializer_list<QWidget *>{&question, &files, &print}) {
            const QStringList found = english(shownTexts(w));
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
        }
    }
};

QTEST_MAIN(TestQtTranslations)
#include "test_qttranslations.moc"
