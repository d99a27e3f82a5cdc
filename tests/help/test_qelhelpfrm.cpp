// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "widgets/vbcolour.h"
#include "help/qelhelpfrm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestQelHelpFrm : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;

    QString dirPath() const { return m_dir->path(); }

    void writeText(const QString &topic, const QByteArray &bytes)
    {
        QFile f(QDir(dirPath()).filePath(QStringLiteral("Help_%1.Txt").arg(topic)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void writePicture(const QString &topic, int page, const QSize &size = QSize(400, 300))
    {
        QDir(dirPath()).mkpath(QStringLiteral("Help/Jpg"));
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((page * 40) % 360, 160, 230));
        const QString path = QDir(dirPath()).filePath(
            QStringLiteral("Help/Jpg/%1%2.Jpg").arg(topic).arg(page, 3, 10, QChar('0')));
        QVERIFY(image.save(path, "JPEG"));
    }

    static QColor buttonColour(QPushButton *b) { return b->palette().color(QPalette::Button); }

private Q_SLOTS:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        qputenv("LABELSTATION_HELP_DIR", dirPath().toUtf8());
        Program().ModalOpening = 0;
        Dialogs::setTestMode(true);
        Dialogs::clearShown();
    }

    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
    }

    void captionAndLoadClearsModalOpening()
    {
        Program().ModalOpening = 1;
        QelHelpFrm frm(QStringLiteral("LEO60D"));
        QCOMPARE(Program().ModalOpening, qint16(0));
        QCOMPARE(frm.windowTitle(), QStringLiteral("도움말 (LEO60D)"));
        QCOMPARE(frm.textFilePath(), QDir(dirPath()).filePath(QStringLiteral("Help_LEO60D.Txt")));
        QCOMPARE(frm.picturePath(7),
                 QDir(dirPath()).filePath(QStringLiteral("Help/Jpg/LEO60D007.Jpg")));
        // The settings store keeps nothing, so the text tab is the one chosen.
        QVERIFY(frm.QelHelp0Opt->isChecked());
        QCOMPARE(frm.QelHelpTab->currentIndex(), 0);
        QVERIFY(frm.QelHelpFme->isEnabled());
    }

    void missingFilesGiveEmptyViewerWithoutMessages()
    {
        QelHelpFrm frm(QStringLiteral("SRP770"));
        QCOMPARE(frm.vaSpread1->rowCount(), 0);
        QCOMPARE(frm.pageCount(), 0);
        for (int i = 1; i <= QelHelpFrm::MaxPages; ++i)
            QVERIFY(frm.QelPicCmd[i]->isHidden());
        QVERIFY(Dialogs::shown().isEmpty());
        // Grid moves on an empty grid do nothing.
        frm.PsnEndCmd->click();
        frm.PsnDnCmd->click();
        QCOMPARE(frm.vaSpread1->currentRow(), -1);
    }

    void textHelpReading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("title and rows, CR LF")
            << Cp949Codec::encode(QStringLiteral("  사용 안내  \r\n첫째 줄\r\n  들여쓴 줄  \r\n"))
            << QStringLiteral("사용 안내")
            << QStringList{QStringLiteral("첫째 줄"), QStringLiteral("  들여쓴 줄  ")};
        QTest::newRow("first line an apostrophe")
            << Cp949Codec::encode(QStringLiteral("'\r\n제목\r\n본문\r\n")) << QStringLiteral("제목")
            << QStringList{QStringLiteral("본문")};
        QTest::newRow("lone apostrophes skipped, blank lines kept")
            << Cp949Codec::encode(QStringLiteral(" ' \r\n제목\r\n가\r\n  '\r\n\r\n나'다\r\n"))
            << QStringLiteral("제목")
            << QStringList{QStringLiteral("가"), QString(), QStringLiteral("나'다")};
        QTest::newRow("LF endings, last line without ending")
            << Cp949Codec::encode(QStringLiteral("T\nA\nB")) << QStringLiteral("T")
            << QStringList{QStringLiteral("A"), QStringLiteral("B")};
        QTest::newRow("title only")
            << QByteArray("Only\r\n") << QStringLiteral("Only") << QStringList{};
        QTest::newRow("empty file") << QByteArray() << QString() << QStringList{};
    }

    void textHelpReading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QStringList, rows);
        writeText(QStringLiteral("AL300"), bytes);
        QelHelpFrm frm(QStringLiteral("AL300"));
        QTableWidget *grid = frm.vaSpread1;
        QCOMPARE(grid->columnCount(), 1);
        const QTableWidgetItem *header = grid->horizontalHeaderItem(0);
        QCOMPARE(header ? header->text() : QString(), title);
        QStringList got;
        for (int r = 0; r < grid->rowCount(); ++r)
            got << grid->item(r, 0)->text();
        QCOMPARE(got, rows);
        QVERIFY(Dialogs::shown().isEmpty());
    }

    void pagesStopAtFirstGap()
    {
        writePicture(QStringLiteral("SRP770"), 1);
        writePicture(QStringLiteral("SRP770"), 2);
        writePicture(QStringLiteral("SRP770"), 4);
        QelHelpFrm frm(QStringLiteral("SRP770"));
        QCOMPARE(frm.pageCount(), 2);
        QCOMPARE(frm.currentPage(), 1);
        QVERIFY(!frm.QelPicCmd[1]->isHidden());
        QVERIFY(!frm.QelPicCmd[2]->isHidden());
        for (int i = 3; i <= QelHelpFrm::MaxPages; ++i)
            QVERIFY2(frm.QelPicCmd[i]->isHidden(), qPrintable(QString::number(i)));
        QCOMPARE(buttonColour(frm.QelPicCmd[1]), VbColour(QStringLiteral("&H0080FF80")));
        QCOMPARE(buttonColour(frm.QelPicCmd[2]), VbColour(QStringLiteral("&H00C0C0C0")));
        QVERIFY(frm.QelHelpPic->pixmap().cacheKey() != 0);

        frm.QelPicCmd[2]->click();
        QCOMPARE(frm.currentPage(), 2);
        QCOMPARE(buttonColour(frm.QelPicCmd[1]), VbColour(QStringLiteral("&H00C0C0C0")));
        QCOMPARE(buttonColour(frm.QelPicCmd[2]), VbColour(QStringLiteral("&H0080FF80")));
    }

    void pictureScaledToAreaWidth_data()
    {
        QTest::addColumn<QSize>("imageSize");
        QTest::newRow("small") << QSize(400, 300);
        QTest::newRow("large") << QSize(1600, 2000);
    }

    void pictureScaledToAreaWidth()
    {
        QFETCH(QSize, imageSize);
        writePicture(QStringLiteral("AL300"), 1, imageSize);
        QelHelpFrm frm(QStringLiteral("AL300"));
        const int width = frm.QelHelpPicArea->width();
        QCOMPARE(width, QelHelpFrm::PictureWidthTwips / 15);
        const QPixmap pix = frm.QelHelpPic->pixmap();
        QCOMPARE(pix.width(), width);
        QCOMPARE(pix.height(), qRound(double(imageSize.height()) * width / imageSize.width()));
    }

    void unreadablePictureLeavesBoxEmpty()
    {
        QDir(dirPath()).mkpath(QStringLiteral("Help/Jpg"));
        QFile f(QDir(dirPath()).filePath(QStringLiteral("Help/Jpg/AL300001.Jpg")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
        f.close();
        QelHelpFrm frm(QStringLiteral("AL300"));
        QCOMPARE(frm.pageCount(), 1);
        QCOMPARE(frm.currentPage(), 1);
        QVERIFY(frm.QelHelpPic->pixmap().isNull());
        QCOMPARE(buttonColour(frm.QelPicCmd[1]), VbColour(QStringLiteral("&H0080FF80")));
        QVERIFY(Dialogs::shown().isEmpty());
    }

    void pageWrapping_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("action"); // "prev", "next" or a key in the picture
        QTest::addColumn<int>("expected");

        QTest::newRow("next on last wraps") << 3 << 3 << "next" << 1;
        QTest::newRow("prev on first wraps") << 3 << 1 << "prev" << 3;
        QTest::newRow("next in the middle") << 3 << 1 << "next" << 2;
        QTest::newRow("prev in the middle") << 3 << 3 << "prev" << 2;
        QTest::newRow("backtick is prev, wraps") << 2 << 1 << "`" << 2;
        QTest::newRow("comma is prev") << 2 << 2 << "," << 1;
        QTest::newRow("space is next, wraps") << 2 << 2 << " " << 1;
        QTest::newRow("period is next") << 2 << 1 << "." << 2;
        QTest::newRow("one page stays") << 1 << 1 << "next" << 1;
        QTest::newRow("no pages: next") << 0 << 0 << "next" << 0;
        QTest::newRow("no pages: prev") << 0 << 0 << "prev" << 0;
        QTest::newRow("no pages: space") << 0 << 0 << " " << 0;
        QTest::newRow("no pages: backtick") << 0 << 0 << "`" << 0;
    }

    void pageWrapping()
    {
        QFETCH(int, pages);
        QFETCH(int, start);
        QFETCH(QString, action);
        QFETCH(int, expected);
        for (int i = 1; i <= pages; ++i)
            writePicture(QStringLiteral("LEO60D"), i);
        QelHelpFrm frm(QStringLiteral("LEO60D"));
        QCOMPARE(frm.pageCount(), pages);
        if (start > 0)
            frm.QelPicCmd_Click(start);
        QCOMPARE(frm.currentPage(), start);
        frm.VScroll1->setValue(100);

        if (action == QLatin1String("next")) {
            QTest::mouseClick(frm.QelNextCmd, Qt::LeftButton);
        } else if (action == QLatin1String("prev")) {
            QTest::mouseClick(frm.QelPrevCmd, Qt::LeftButton);
        } else {
            const QChar c = action.at(0);
            const int key = c == QLatin1Char('`')   ? Qt::Key_QuoteLeft
                            : c == QLatin1Char(',') ? Qt::Key_Comma
                            : c == QLatin1Char('.') ? Qt::Key_Period
                                                    : Qt::Key_Space;
            QTest::keyClick(frm.QelHelpPic, Qt::Key(key), Qt::NoModifier);
        }
        QCOMPARE(frm.currentPage(), expected);
        // Showing a page starts it at the top.
        QCOMPARE(frm.VScroll1->value(), pages > 0 ? 0 : 100);
    }

    void scrollKeys_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");

        QTest::newRow("Up at 10 stays") << 10 << int(Qt::Key_Up) << 10;
        QTest::newRow("Up at 19 stays") << 19 << int(Qt::Key_Up) << 19;
        QTest::newRow("Up at 20") << 20 << int(Qt::Key_Up) << 0;
        QTest::newRow("Up at 400") << 400 << int(Qt::Key_Up) << 380;
        QTest::newRow("Down at 0") << 0 << int(Qt::Key_Down) << 20;
        QTest::newRow("Down at 380") << 380 << int(Qt::Key_Down) << 400;
        QTest::newRow("Down at 390 stays") << 390 << int(Qt::Key_Down) << 390;
        QTest::newRow("Home") << 230 << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << 30 << int(Qt::Key_End) << 400;
        QTest::newRow("Page Down at 0") << 0 << int(Qt::Key_PageDown) << 200;
        QTest::newRow("Page Down near the end") << 250 << int(Qt::Key_PageDown) << 390;
        QTest::newRow("Page Up at 400") << 400 << int(Qt::Key_PageUp) << 200;
        QTest::newRow("Page Up at 50") << 50 << int(Qt::Key_PageUp) << 10;
        QTest::newRow("Left does nothing") << 100 << int(Qt::Key_Left) << 100;
        QTest::newRow("Right does nothing") << 100 << int(Qt::Key_Right) << 100;
    }

    void scrollKeys()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        writePicture(QStringLiteral("SRP770"), 1, QSize(400, 800));
        QelHelpFrm frm(QStringLiteral("SRP770"));
        frm.VScroll1->setValue(start);
        QTest::keyClick(frm.QelHelpPic, Qt::Key(key), Qt::NoModifier);
        QCOMPARE(frm.VScroll1->value(), expected);
        // -18 twips per step, 15 twips to the pixel.
        QCOMPARE(frm.pictureTop(), -qRound(expected * 18 / 15.0));
    }

    void scrollKeysActFromTheGridToo()
    {
        writeText(QStringLiteral("AL300"), "T\r\n1\r\n2\r\n3\r\n");
        QelHelpFrm frm(QStringLiteral("AL300"));
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.vaSpread1->setFocus();
        QTest::keyClick(frm.vaSpread1, Qt::Key_Down);
        QCOMPARE(frm.VScroll1->value(), 20); // once, not again when the key travels up
        QTest::keyClick(frm.vaSpread1, Qt::Key_End);
        QCOMPARE(frm.VScroll1->value(), 400);
    }

    // The move buttons say what they do, and their keys move the grid as they do.
    void moveButtonsNamedAndKeyed()
    {
        QByteArray bytes = "Title\r\n";
        for (int i = 1; i <= 100; ++i)
            bytes += "line " + QByteArray::number(i) + "\r\n";
        writeText(QStringLiteral("SRP770"), bytes);
        QelHelpFrm frm(QStringLiteral("SRP770"));
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        const struct {
            QPushButton *button;
            const char *name;
            Qt::Key key;
            int row; // from row 50
        } moves[] = {{frm.PsnHomeCmd, "처음", Qt::Key_Home, 1},
                     {frm.PsnPgupCmd, "이전 쪽", Qt::Key_PageUp, 17},
                     {frm.PsnPgdnCmd, "다음 쪽", Qt::Key_PageDown, 83},
                     {frm.PsnEndCmd, "끝", Qt::Key_End, 100}};
        for (const auto &m : moves) {
            QCOMPARE(m.button->accessibleName(), QString::fromUtf8(m.name));
            QVERIFY(m.button->toolTip().startsWith(QString::fromUtf8(m.name)));
            frm.vaSpread1->setCurrentCell(49, 0);
            frm.vaSpread1->setFocus();
            QTest::keyClick(frm.vaSpread1, m.key);
            QCOMPARE(frm.vaSpread1->currentRow() + 1, m.row);
        }
        QCOMPARE(frm.PsnUpCmd->accessibleName(), QStringLiteral("이전"));
        QCOMPARE(frm.PsnDnCmd->accessibleName(), QStringLiteral("다음"));
    }

    void escapeCloses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("picture") << "QelHelpPic";
        QTest::newRow("grid") << "vaSpread1";
        QTest::newRow("page button") << "QelNextCmd";
    }

    void escapeCloses()
    {
        QFETCH(QString, target);
        QelHelpFrm frm(QStringLiteral("SRP770"));
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QWidget *w = frm.findChild<QWidget *>(target);
        QVERIFY(w);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!frm.isVisible());
    }

    void gridMoves_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("start"); // 1-based active row
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected");

        QTest::newRow("H") << 100 << 50 << "PsnHomeCmd" << 1;
        QTest::newRow("E") << 100 << 50 << "PsnEndCmd" << 100;
        QTest::newRow("< in the middle") << 100 << 50 << "PsnUpCmd" << 49;
        QTest::newRow("< on row 1") << 100 << 1 << "PsnUpCmd" << 1;
        QTest::newRow("> in the middle") << 100 << 50 << "PsnDnCmd" << 51;
        QTest::newRow("> on the last row") << 100 << 100 << "PsnDnCmd" << 100;
        QTest::newRow("<< 33 rows") << 100 << 50 << "PsnPgupCmd" << 17;
        QTest::newRow("<< stops at row 1") << 100 << 20 << "PsnPgupCmd" << 1;
        QTest::newRow(">> 33 rows") << 100 << 50 << "PsnPgdnCmd" << 83;
        QTest::newRow(">> stops at the last row") << 100 << 90 << "PsnPgdnCmd" << 100;
        QTest::newRow("one row: >>") << 1 << 1 << "PsnPgdnCmd" << 1;
    }

    void gridMoves()
    {
        QFETCH(int, rows);
        QFETCH(int, start);
        QFETCH(QString, button);
        QFETCH(int, expected);
        QByteArray bytes = "Title\r\n";
        for (int i = 1; i <= rows; ++i)
            bytes += "line " + QByteArray::number(i) + "\r\n";
        writeText(QStringLiteral("SRP770"), bytes);
        QelHelpFrm frm(QStringLiteral("SRP770"));
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.vaSpread1->rowCount(), rows);
        QCOMPARE(frm.vaSpread1->currentRow(), 0);
        frm.vaSpread1->setCurrentCell(start - 1, 0);
        auto *b = frm.findChild<QPushButton *>(button);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(frm.vaSpread1->currentRow() + 1, expected);
        QCOMPARE(frm.vaSpread1->currentColumn(), 0);
        QCOMPARE(QApplication::focusWidget(), frm.vaSpread1);
    }

    void optionsKeepTheTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("option");
        QTest::newRow("text option on picture tab") << 1 << "QelHelp0Opt";
        QTest::newRow("picture option on text tab") << 0 << "QelHelp1Opt";
    }

    void optionsKeepTheTab()
    {
        QFETCH(int, tab);
        QFETCH(QString, option);
        QelHelpFrm frm(QStringLiteral("AL300"));
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.QelHelpTab->setCurrentIndex(tab);
        auto *opt = frm.findChild<QRadioButton *>(option);
        QVERIFY(opt);
        QTest::mouseClick(opt, Qt::LeftButton);
        QVERIFY(opt->isChecked());
        QCOMPARE(frm.QelHelpTab->currentIndex(), tab);
    }

    void tabSwitchMovesTheFocus()
    {
        writeText(QStringLiteral("AL300"), "T\r\nA\r\n");
        writePicture(QStringLiteral("AL300"), 1);
        QelHelpFrm frm(QStringLiteral("AL300"));
        frm.show();
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        frm.QelHelpTab->setCurrentIndex(1);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frm.QelHelpPic));
        frm.QelHelpTab->setCurrentIndex(0);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frm.vaSpread1));
    }

    void sizeIsFixed()
    {
        QelHelpFrm frm(QStringLiteral("SRP770"));
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        const QSize designed = frm.size();
        frm.resize(designed.width() - 200, designed.height() + 100);
        QCoreApplication::processEvents();
        QCOMPARE(frm.size(), designed);
    }

    void showHelpDroppedWhileModalOpening()
    {
        Program().ModalOpening = 1;
        QelHelpFrm::ShowHelp(nullptr, QStringLiteral("SRP770")); // returns at once
        QCOMPARE(Program().ModalOpening, qint16(1));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<QelHelpFrm *>(w));
    }

    void showHelpOpensModally()
    {
        QString caption;
        qint16 flagWhileOpen = -1;
        bool wasModal = false;
        QTimer::singleShot(0, this, [&] {
            auto *frm = qobject_cast<QelHelpFrm *>(QApplication::activeModalWidget());
            if (!frm)
                return;
            caption = frm->windowTitle();
            flagWhileOpen = Program().ModalOpening;
            wasModal = frm->isModal();
            QTest::keyClick(frm->vaSpread1, Qt::Key_Escape);
        });
        // A safety net so that a failure does not hang the test.
        QTimer::singleShot(5000, this, [] {
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        QelHelpFrm::ShowHelp(nullptr, QStringLiteral("AL300"));
        QCOMPARE(caption, QStringLiteral("도움말 (AL300)"));
        QCOMPARE(flagWhileOpen, qint16(0));
        QVERIFY(wasModal);
    }

    // The help texts shipped beside the program: CP949 with CR LF, a title first.
    void shippedHelpTexts_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("titleContains");
        QTest::newRow("SRP770") << "SRP770"
                                << "SRP-770";
        QTest::newRow("AL300") << "AL300"
                               << "AL-300";
        QTest::newRow("LEO60D") << "LEO60D"
                                << "LEO-60D+";
    }

    void shippedHelpTexts()
    {
        QFETCH(QString, topic);
        QFETCH(QString, titleContains);
        QFile f(QStringLiteral(HELP_RESOURCE_DIR "/Help_%1.Txt").arg(topic));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        // Plain CP949: decoding and encoding again gives the same bytes, and no UTF-8 mark.
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(Cp949Codec::encode(Cp949Codec::decode(bytes)), bytes);
        QVERIFY(!Cp949Codec::decode(bytes).contains(QChar::ReplacementCharacter));

        qputenv("LABELSTATION_HELP_DIR", HELP_RESOURCE_DIR);
        QelHelpFrm frm(topic);
        const QString title = frm.vaSpread1->horizontalHeaderItem(0)->text();
        QVERIFY2(title.contains(titleContains), qPrintable(title));
        QVERIFY(frm.vaSpread1->rowCount() > 60);
    }
};

QTEST_MAIN(TestQelHelpFrm)
#include "test_qelhelpfrm.moc"
