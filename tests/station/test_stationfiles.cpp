// SPDX-License-Identifier: GPL-3.0-or-later
// A station whose format or goods file exists but cannot be read: it says so when it opens
// and never saves over that file unless the operator confirms that the old one is replaced.
// A save that fails leaves the old file and is reported.

#include "support/addrow.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/safesave.h"
#include "common/textfile.h"
#include "model/goodstable.h"
#include "station/srp770frm.h"
#include "support/controls.h"
#include "support/stationfixture.h"

#include "support/goodsrows.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

const QByteArray GoodsBytes = "<001>'1'apple'1'3'''''''''''''''''''''''''''~\r\n";

} // namespace

class TestStationFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        Program() = ProgramState();
        Program().DataDirOverride = m_dir->path();
        Dialogs::setTestMode(true);
        Dialogs::clearQueue();
        Dialogs::clearShown();
        SafeSave::clearFaults();
    }

    void unreadableFileIsKept_data();
    void unreadableFileIsKept();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
};

void TestStationFiles::unreadableFileIsKept_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("why");
    QTest::addColumn<QString>("message");
    for (const char *why : {"too large", "no read permission"}) {
        QTest::newRow(qPrintable(QStringLiteral("goods, %1").arg(why)))
            << "SRP770Dat[00].Txt" << QString(why) << "* 품목 파일을 읽을 수 없습니다 !";
        QTest::newRow(qPrintable(QStringLiteral("format, %1").arg(why)))
            << "SRP770Frm[00].Txt" << QString(why) << "* 포멧 파일을 읽을 수 없습니다 !";
    }
}

void TestStationFiles::unreadableFileIsKept()
{
    QFETCH(QString, file);
    QFETCH(QString, why);
    QFETCH(QString, message);
    const QString target = path(file);
    const QByteArray old = why == "too large" ? QByteArray(TextFile::MaxDataFileBytes + 1, 'x')
                                              : QByteArray("kept as it is\r\n");
    QVERIFY(TextFile::writeBytes(target, old));
    if (why == "no read permission") {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("the superuser reads any file");
#endif
        QVERIFY(QFile::setPermissions(target, QFile::WriteOwner));
    }

    auto frm = std::make_unique<SRP770Frm>();
    frm->show();
    const QStringList shown = Dialogs::shown();
    QVERIFY2(shown.size() == 1 && shown[0].contains(message) && shown[0].contains(file),
             qPrintable(shown.join(" / ")));

    // Saving asks first; No keeps the old file, and so does closing without a Yes.
    Dialogs::clearShown();
    Dialogs::queueAnswer(false);
    Controls::find<QPushButton>(&*frm, "ChtWriteCmd")->click();
    QCOMPARE(Dialogs::shown().size(), 1);
    QVERIFY(Dialogs::shown()[0].contains(file));
    frm->close();
    QVERIFY(Dialogs::shown().size() == 2);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(fileBytes(target), old);

    // Yes replaces it, once and for all.
    QFile::setPermissions(target, QFile::WriteOwner);
    frm = std::make_unique<SRP770Frm>();
    frm->show();
    Dialogs::clearShown();
    Dialogs::queueAnswer(true);
    Controls::find<QPushButton>(&*frm, "ChtWriteCmd")->click();
    Controls::find<QPushButton>(&*frm, "ChtWriteCmd")->click();
    QCOMPARE(Dialogs::shown().size(), 1);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(fileBytes(target) != old);
    // The other file was read and is saved as usual.
    const QString other = path(file.contains("Dat") ? "SRP770Frm[00].Txt" : "SRP770Dat[00].Txt");
    QVERIFY(QFile::exists(other));
}

void TestStationFiles::failedSaveIsReported_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QString>("message");
    addRow("format file, write", int(SafeSave::Step::Write), 1,
           "* 포멧 파일을 저장하지 못했습니다 !");
    addRow("format file, flush", int(SafeSave::Step::Flush), 1,
           "* 포멧 파일을 저장하지 못했습니다 !");
    addRow("goods file, commit", int(SafeSave::Step::Commit), 2,
           "* 품목 파일을 저장하지 못했습니다 !");
}

void TestStationFiles::failedSaveIsReported()
{
    QFETCH(int, step);
    QFETCH(int, occurrence);
    QFETCH(QString, message);
    QVERIFY(TextFile::writeBytes(path("SRP770Dat[00].Txt"), GoodsBytes));
    QVERIFY(TextFile::writeLines(path("SRP770Frm[00].Txt"), {"<LblLeng(1)>'40"}));
    const QByteArray format = fileBytes(path("SRP770Frm[00].Txt"));
    auto frm = std::make_unique<SRP770Frm>();
    frm->show();
    QVERIFY(Dialogs::shown().isEmpty());
    StationGoods::setCell(frm->document(), 1, GoodsTable::NameColumn, QStringLiteral("pear"));
    changeFormat(*frm, 1, [](LabelFormat &f) { f.LblLeng = 50; });
    SafeSave::failAt(SafeSave::Step(step), occurrence);
    Controls::find<QPushButton>(&*frm, "ChtWriteCmd")->click();
    SafeSave::clearFaults();
    QVERIFY2(Dialogs::shown().size() == 1 && Dialogs::shown()[0].contains(message) &&
                 Dialogs::shown()[0].contains("No space left on device"),
             qPrintable(Dialogs::shown().join(" / ")));
    // The file that failed is as it was; the other one was saved.
    if (message.contains("품목")) {
        QCOMPARE(fileBytes(path("SRP770Dat[00].Txt")), GoodsBytes);
        QVERIFY(fileBytes(path("SRP770Frm[00].Txt")) != format);
    } else {
        QCOMPARE(fileBytes(path("SRP770Frm[00].Txt")), format);
        QVERIFY(fileBytes(path("SRP770Dat[00].Txt")).contains("'pear'"));
    }
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

QTEST_MAIN(TestStationFiles)
#include "test_stationfiles.moc"
