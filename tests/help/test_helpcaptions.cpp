// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/al300frm.h"
#include "app/mdimain.h"
#include "barnew/barnewfrm.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "help/qelhelpfrm.h"
#include "leo60d/leo60dfrm.h"
#include "report/prinsetup.h"
#include "report/printpagesetup.h"
#include "report/printpreview.h"
#include "report/prnseltfrm.h"
#include "station/srp770frm.h"
#include "station/al300edtfrm.h"
#include "tools/sampledata.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// A button's caption as the operator reads it: "&" mnemonics out.
QString caption(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return text.remove(QLatin1Char('&')).simplified();
}

// The captions of every button and menu item of the windows, shown or not.
QSet<QString> captions(const std::vector<std::unique_ptr<QWidget>> &windows)
{
    QSet<QString> out;
    for (const auto &w : windows) {
        for (auto *b : w->findChildren<QAbstractButton *>())
            out.insert(caption(b->text()));
        for (auto *a : w->findChildren<QAction *>())
            out.insert(caption(a->text()));
    }
    return out;
}

// The button captions a help text quotes: "저장" 버튼.
QStringList quotedButtons(const QString &help)
{
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\"\\s*버튼"));
    QStringList out;
    for (auto it = quoted.globalMatch(help); it.hasNext();)
        out << it.next().captured(1).simplified();
    return out;
}

} // namespace

// Every button a help text names by its caption is a button of the window the help belongs
// to, or of the windows opened from it.
class TestHelpCaptions : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(SampleData::write(m_dir.path()));
        Program().DataDirOverride = m_dir.path();
        Dialogs::setTestMode(true);
    }

    void quotedButtonsExist_data()
    {
        QTest::addColumn<QString>("topic");
        for (const char *topic : {"SRP770", "AL300", "LEO60D"})
            QTest::newRow(topic) << QString::fromLatin1(topic);
    }
    void quotedButtonsExist()
    {
        QFETCH(QString, topic);
        QFile file(QStringLiteral(HELP_SOURCE_DIR "/Help_%1.txt").arg(topic));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList quoted = quotedButtons(QString::fromUtf8(file.readAll()));
        QVERIFY(quoted.size() >= 5);

        std::vector<std::unique_ptr<QWidget>> windows;
        windows.emplace_back(new mdiMain);
        if (topic == QLatin1String("SRP770"))
            windows.emplace_back(new SRP770Frm);
        else if (topic == QLatin1String("AL300"))
            windows.emplace_back(new AL300Frm);
        else
            windows.emplace_back(new LEO60DFrm);
        if (topic != QLatin1String("LEO60D")) {
            windows.emplace_back(new AL300EdtFrm(ItemEditMode::Insert));
            windows.emplace_back(new BarNewFrm);
        }
        windows.emplace_back(new PrnSeltFrm(ReportRequest()));
        windows.emplace_back(new PrintPreview({}, {}));
        windows.emplace_back(new PrintPageSetup({}));
        windows.emplace_back(new PrinSetup({}, {}));
        windows.emplace_back(new QelHelpFrm(topic));
        const QSet<QString> buttons = captions(windows);
        Program().ModalOpening = 0;

        QStringList missing;
        for (const QString &q : quoted)
            if (!buttons.contains(q))
                missing << q;
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestHelpCaptions)
#include "test_helpcaptions.moc"
