// SPDX-License-Identifier: GPL-3.0-or-later
// "포트 설정": the detected serial ports, the test button against a local network printer,
// the atomic save of ComPorts.Txt, and how the stations and the main window open it.

#include "app/mdimain.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "sending/detectedports.h"
#include "station/portsettingsfrm.h"
#include "station/srp770frm.h"
#include "support/controls.h"
#include "support/tcpprinter.h"
#include "widgets/dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

PortSettingsFrm *openWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *f = qobject_cast<PortSettingsFrm *>(w); f && f->isVisible())
            return f;
    }
    return nullptr;
}

// Picks an entry with the arrow keys, as the operator may.
void choose(QComboBox *box, int index)
{
    box->setFocus();
    for (int step = 0; step < 20 && box->currentIndex() > index; ++step)
        QTest::keyClick(box, Qt::Key_Up);
    for (int step = 0; step < 20 && box->currentIndex() < index; ++step)
        QTest::keyClick(box, Qt::Key_Down);
}

} // namespace

// The serial ports the system offers in these tests.
static QList<DetectedPort> offered()
{
    return {{"ttyUSB0", "/dev/ttyUSB0", "USB-Serial Controller", "Prolific"},
            {"ttyACM3", "/dev/ttyACM3", QString(), QString()}};
}

class TestPortSettingsFrm : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString mapPath() const { return m_dir->filePath("ComPorts.Txt"); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        Program() = ProgramState();
        Program().DataDirOverride = m_dir->path();
        Dialogs::setTestMode(true);
        Dialogs::clearShown();
    }

    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<PortSettingsFrm *>(w))
                delete w;
        }
    }

    void showsTheMap()
    {
        QVERIFY(TextFile::writeLines(
            mapPath(), {"COM2'/dev/ttyUSB0", "COM3'/dev/ttyXYZ", "COM4'tcp://10.0.0.5:9101",
                        "COM5'file:/dev/usb/lp0", "COM6'tcp://", "COM7'cups:Office_Laser"}));
        PortSettingsFrm w(nullptr, offered);
        QCOMPARE(w.windowTitle(), QStringLiteral("포트 설정"));
        QCOMPARE(w.PortKindCmb[1]->currentIndex(), int(PortSettingsFrm::Default));
        QCOMPARE(w.PortKindCmb[2]->currentIndex(), int(PortSettingsFrm::Serial));
        QCOMPARE(w.PortSerialCmb[2]->currentText(),
                 QStringLiteral("/dev/ttyUSB0 (USB-Serial Controller, Prolific)"));
        QCOMPARE(w.PortSerialCmb[2]->count(), 2); // the detected ports
        QCOMPARE(w.PortSerialCmb[3]->currentText(), QStringLiteral("/dev/ttyXYZ"));
        QCOMPARE(w.PortKindCmb[4]->currentIndex(), int(PortSettingsFrm::Network));
        QCOMPARE(w.PortHostTxt[4]->text(), QStringLiteral("10.0.0.5"));
        QCOMPARE(w.PortTcpTxt[4]->text(), QStringLiteral("9101"));
        QCOMPARE(w.PortKindCmb[5]->currentIndex(), int(PortSettingsFrm::DeviceFile));
        QCOMPARE(w.PortFileTxt[5]->text(), QStringLiteral("/dev/usb/lp0"));
        QVERIFY(!w.PortResultLbl[6]->text().isEmpty()); // not a target: shown to be mended
        // A print queue stays one (not a device file of that name).
        QCOMPARE(w.PortKindCmb[7]->currentIndex(), int(PortSettingsFrm::PrintQueue));
        QCOMPARE(w.PortQueueCmb[7]->currentText(), QStringLiteral("Office_Laser"));
        PortTarget t;
        QString why;
        QVERIFY(w.rowTarget(7, &t, &why));
        QCOMPARE(t.text(), QStringLiteral("cups:Office_Laser"));
        if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty())
            w.grab().save(dir + "/port-settings.png");
    }

    void confirmSavesAtomically()
    {
        QVERIFY(TextFile::writeLines(mapPath(), {"COM12'/dev/ttyS11", "COM7'/dev/old"}));
        PortSettingsFrm w(nullptr, offered);
        w.show();
        choose(w.PortKindCmb[1], PortSettingsFrm::Serial);
        choose(w.PortSerialCmb[1], 0); // the detected USB port
        choose(w.PortKindCmb[4], PortSettingsFrm::Network);
        QTest::keyClicks(w.PortHostTxt[4], "192.168.0.50");
        choose(w.PortKindCmb[5], PortSettingsFrm::DeviceFile);
        QTest::keyClicks(w.PortFileTxt[5], "/dev/usb/lp0");
        choose(w.PortKindCmb[7], PortSettingsFrm::Default);
        QSignalSpy saved(&w, &PortSettingsFrm::saved);
        QTest::mouseClick(w.PortOkCmd, Qt::LeftButton);
        QCOMPARE(saved.size(), 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(fileBytes(mapPath()), QByteArray("COM1'/dev/ttyUSB0\r\n"
                                                  "COM4'tcp://192.168.0.50:9100\r\n"
                                                  "COM5'file:/dev/usb/lp0\r\n"
                                                  "COM12'/dev/ttyS11\r\n"));
        QCOMPARE(Dialogs::shown(), QStringList());
    }

    void confirmRefusesWhatIsNotATarget()
    {
        QVERIFY(TextFile::writeLines(mapPath(), {"COM3'/dev/ttyUSB0"}));
        const QByteArray before = fileBytes(mapPath());
        PortSettingsFrm w(nullptr, offered);
        w.show();
        choose(w.PortKindCmb[2], PortSettingsFrm::Network); // no host given
        QTest::mouseClick(w.PortOkCmd, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(Dialogs::shown(),
                 QStringList{"포트 설정|* COM2: 네트워크 프린터의 주소를 입력하세요 !"});
        QCOMPARE(fileBytes(mapPath()), before);
    }

    void failedSaveKeepsTheWindow_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("message");
        QTest::newRow("map cannot be read")
            << "unreadable"
            << "저장오류|* 포트 설정 파일을 읽을 수 없어 저장하지 않습니다 !";
        QTest::newRow("map cannot be written") << "unwritable"
                                               << "저장오류|* 포트 설정을 저장하지 못했습니다 !";
    }

    void failedSaveKeepsTheWindow()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, message);
        if (trouble == "unreadable") {
            QVERIFY(QDir(m_dir->path()).mkdir("ComPorts.Txt")); // exists, reads as nothing
        } else {
            // The data folder lies below a plain file: nothing can be created there.
            QVERIFY(TextFile::writeLines(m_dir->filePath("plain"), {"x"}));
            Program().DataDirOverride = m_dir->filePath("plain/Data");
        }
        PortSettingsFrm w(nullptr, offered);
        w.show();
        choose(w.PortKindCmb[3], PortSettingsFrm::DeviceFile);
        QTest::keyClicks(w.PortFileTxt[3], "/dev/usb/lp1");
        QTest::mouseClick(w.PortOkCmd, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(Dialogs::shown().size(), 1);
        QVERIFY2(Dialogs::shown().first().startsWith(message),
                 qPrintable(Dialogs::shown().first()));
    }

    void testButton()
    {
        TcpPrinter printer;
        QVERIFY(printer.isValid());
        PortSettingsFrm w(nullptr, offered);
        w.show();
        choose(w.PortKindCmb[4], PortSettingsFrm::Network);
        QTest::keyClicks(w.PortHostTxt[4], "127.0.0.1");
        w.PortTcpTxt[4]->clear();
        QTest::keyClicks(w.PortTcpTxt[4], QString::number(printer.port()));
        QTest::mouseClick(w.PortTestCmd[4], Qt::LeftButton);
        QTRY_COMPARE(w.PortResultLbl[4]->text(), QStringLiteral("연결되었습니다"));
        QTRY_COMPARE(printer.connections(), 1);
        QVERIFY(w.PortTestCmd[4]->isEnabled());
        QCOMPARE(printer.bytes(), QByteArray()); // opened and closed, nothing sent

        // Nothing listening there any more, and a device that does not exist.
        const quint16 closed = printer.port();
        printer.close();
        w.PortTcpTxt[4]->setText(QString::number(closed));
        QTest::mouseClick(w.PortTestCmd[4], Qt::LeftButton);
        QTRY_VERIFY(w.PortResultLbl[4]->text().startsWith("* COM4 (tcp://127.0.0.1:"));
        QVERIFY(w.PortResultLbl[4]->text().endsWith("프린터가 연결을 거부했습니다 !"));
        QVERIFY(w.PortResultLbl[4]->toolTip().contains("\n")); // the system's words
        choose(w.PortKindCmb[5], PortSettingsFrm::DeviceFile);
        QTest::keyClicks(w.PortFileTxt[5], m_dir->filePath("nolp"));
        QTest::mouseClick(w.PortTestCmd[5], Qt::LeftButton);
        QTRY_VERIFY(w.PortResultLbl[5]->text().contains("포트를 찾을 수 없습니다 !"));
        QVERIFY(!QFile::exists(m_dir->filePath("nolp")));
        QVERIFY(!QFile::exists(mapPath())); // testing saves nothing
    }

    void openedFromTheStationAndTheMenu()
    {
        SRP770Frm station;
        station.show();
        QCOMPARE(Controls::find<QRadioButton>(&station, "BarComPortOpt%1", 3)->toolTip(),
                 QStringLiteral("COM3 → /dev/ttyS2, 언어: 기본 (SRP-770)"));
        QTest::mouseClick(Controls::find<QRadioButton>(&station, "BarComPortOpt%1", 3),
                          Qt::LeftButton);
        QLabel *language = Controls::find<QLabel>(&station, "BarComLangLbl");
        QCOMPARE(language->text(), QStringLiteral("언어: 기본 (SRP-770)"));
        QTest::mouseClick(Controls::find<QPushButton>(&station, "PortSetCmd"), Qt::LeftButton);
        PortSettingsFrm *w = openWindow();
        QVERIFY(w);
        QCOMPARE(w->windowModality(), Qt::ApplicationModal);
        choose(w->PortKindCmb[3], PortSettingsFrm::Network);
        QTest::keyClicks(w->PortHostTxt[3], "10.1.2.3");
        QCOMPARE(w->PortLanguageCmb[3]->itemText(2), QStringLiteral("ZPL (300 dpi)"));
        choose(w->PortLanguageCmb[3], 2);
        QTest::mouseClick(w->PortOkCmd, Qt::LeftButton);
        // The port options show the new target and language; the map keeps its old form, the
        // language goes into a file of its own.
        QCOMPARE(Controls::find<QRadioButton>(&station, "BarComPortOpt%1", 3)->toolTip(),
                 QStringLiteral("COM3 → tcp://10.1.2.3:9100, 언어: ZPL (300 dpi)"));
        QCOMPARE(language->text(), QStringLiteral("언어: ZPL (300 dpi)"));
        QCOMPARE(fileBytes(mapPath()), QByteArray("COM3'tcp://10.1.2.3:9100\r\n"));
        QCOMPARE(fileBytes(m_dir->filePath("ComPortLanguages.Txt")),
                 QByteArray("COM3'zpl'300\r\n"));
        QTRY_VERIFY(!openWindow());

        mdiMain main;
        main.show();
        QCOMPARE(main.PortSetMnu->text(), QStringLiteral("포트 설정"));
        main.PortSetMnu->trigger();
        QVERIFY(openWindow());
        QCOMPARE(openWindow()->PortHostTxt[3]->text(), QStringLiteral("10.1.2.3"));
        QTest::mouseClick(openWindow()->PortCancelCmd, Qt::LeftButton);
        QTRY_VERIFY(!openWindow());
        QCOMPARE(Program().ModalOpening, qint16(0));
    }
};

QTEST_MAIN(TestPortSettingsFrm)
#include "test_portsettingsfrm.moc"
