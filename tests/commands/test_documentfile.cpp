// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/filequestions.h"
#include "commands/stationdocument.h"
#include "common/textfile.h"
#include "model/goodsitem.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "support/goodsfilefixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <QUndoStack>

using GoodsFileFixture::readBytes;
using GoodsFileFixture::writeBytes;

namespace {

// Answers as told and remembers what was asked.
class Answers : public FileQuestions {
public:
    Answer conflictAnswer = Answer::Theirs;
    bool yes = false;
    QStringList asked;

    void unreadable(const QString &what, const QString &, const QString &) override
    {
        asked << "unreadable " + what;
    }
    bool replaceUnread(const QString &what, const QString &) override
    {
        asked << "replace " + what;
        return yes;
    }
    Answer conflict(const Conflict &c) override
    {
        asked << "conflict " + c.what;
        return conflictAnswer;
    }
    bool readAgain(const QString &what, const QString &, bool) override
    {
        asked << "read again " + what;
        return yes;
    }
    void saveFailed(const QString &what, const QString &, const QString &) override
    {
        asked << "failed " + what;
    }
    bool busy() const override { return false; }
};

GoodsItem item(const QString &name)
{
    GoodsItem g;
    g.reset();
    g.Name = name;
    g.Qty = 1;
    return g;
}

} // namespace

// A document reads and writes its own files and asks its questions itself, with no window:
// another program's file is never written over unasked.
class TestDocumentFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void changedOnDisk_data();
    void changedOnDisk();
    void unreadableFileAsksBeforeReplace();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StationDocument> m_doc;
    QString m_goods;
    Answers m_answers;
};

void TestDocumentFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_doc = std::make_unique<StationDocument>(Printers::of(PrinterModel::SRP770));
    m_goods = m_dir->filePath(QStringLiteral("goods.txt"));
    m_doc->setFilePaths(m_dir->filePath(QStringLiteral("format.txt")), m_goods,
                        m_dir->filePath(QStringLiteral("print.txt")));
    m_answers = Answers();
}

void TestDocumentFile::changedOnDisk_data()
{
    QTest::addColumn<bool>("mineChanged");
    QTest::addColumn<bool>("withQuestions");
    QTest::addColumn<int>("answer"); // FileQuestions::Answer
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("fileHolds"); // the name in the file after the save: mine/theirs
    QTest::addColumn<QString>("docHolds");
    QTest::addColumn<int>("rereads");

    const int theirs = int(FileQuestions::Answer::Theirs), mine = int(FileQuestions::Answer::Mine);
    // A save when mine changed; a look at the disk when it did not.
    QTest::newRow("mine kept over theirs") << true << true << mine << "conflict 품목"
                                           << "mine"
                                           << "mine" << 0;
    QTest::newRow("theirs read") << true << true << theirs << "conflict 품목"
                                 << "theirs"
                                 << "theirs" << 1;
    QTest::newRow("nobody to ask") << true << false << mine << ""
                                   << "theirs"
                                   << "mine" << 0;
    QTest::newRow("unchanged: read again") << false << true << mine << "read again 품목"
                                           << "theirs"
                                           << "theirs" << 1;
}

void TestDocumentFile::changedOnDisk()
{
    QFETCH(bool, mineChanged);
    QFETCH(bool, withQuestions);
    QFETCH(int, answer);
    QFETCH(QString, asked);
    QFETCH(QString, fileHolds);
    QFETCH(QString, docHolds);
    QFETCH(int, rereads);

    m_answers.conflictAnswer = FileQuestions::Answer(answer);
    m_doc->setFileQuestions(withQuestions ? &m_answers : nullptr);
    m_doc->openFiles();
    QVERIFY(m_doc->saveFiles(false));

    // Another program writes its list while the document is open.
    StationDocument other(Printers::of(PrinterModel::SRP770));
    other.insertItem(item(QStringLiteral("theirs")));
    QVERIFY(writeBytes(m_goods, TextFile::toBytes(other.goods()->toFileLines())));
    const QByteArray theirBytes = readBytes(m_goods);
    if (mineChanged)
        m_doc->insertItem(item(QStringLiteral("mine")));

    QSignalSpy reread(m_doc.get(), &StationDocument::filesReread);
    m_answers.yes = true;
    if (mineChanged)
        QVERIFY(m_doc->saveFiles(false));
    else
        m_doc->checkFiles(true);
    QCOMPARE(m_answers.asked.join(','), asked);
    const QString docName = m_doc->goods()->rows() ? m_doc->goods()->itemAt(1).Name : QString();
    QCOMPARE(docName, docHolds);
    if (fileHolds == QLatin1String("theirs"))
        QCOMPARE(readBytes(m_goods), theirBytes);
    else
        QVERIFY(readBytes(m_goods).contains("mine"));
    QCOMPARE(reread.count(), rereads);
}

void TestDocumentFile::unreadableFileAsksBeforeReplace()
{
    QVERIFY(QDir().mkpath(m_goods)); // a folder where the goods file should be
    m_doc->setFileQuestions(&m_answers);
    m_doc->openFiles();
    QCOMPARE(m_answers.asked, QStringList{"unreadable 품목"});
    m_doc->insertItem(item(QStringLiteral("mine")));
    QVERIFY(m_doc->saveFiles(false)); // No: kept, not failed
    QCOMPARE(m_answers.asked.last(), QStringLiteral("replace 품목"));
    QVERIFY(QFileInfo(m_goods).isDir());
    // Yes: the document's list replaces what could not be read.
    QVERIFY(QDir(m_goods).removeRecursively());
    QVERIFY(writeBytes(m_goods, "\xff"));
    m_answers.yes = true;
    QVERIFY(m_doc->saveFiles(false));
    QVERIFY(readBytes(m_goods).contains("mine"));
}

QTEST_MAIN(TestDocumentFile)
#include "test_documentfile.moc"
