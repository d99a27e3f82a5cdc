// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/instancechannel.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

// The socket a second start talks to: the user's own, gone with the program, and no caller
// can hold it with a slow or long line.
class TestInstanceChannel : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;

private Q_SLOTS:
    void socketIsTheUsersOwn()
    {
        const QString name = InstanceChannel::serverName(m_data.path());
        {
            InstanceChannel channel;
            QVERIFY(channel.listen(m_data.path()));
            QSignalSpy asked(&channel, &InstanceChannel::showRequested);
            QVERIFY(name.startsWith(
                QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + '/'));
            const QFileInfo socket(name);
            QVERIFY(socket.exists());
            QCOMPARE(socket.permissions() & (QFile::ReadGroup | QFile::WriteGroup |
                                             QFile::ReadOther | QFile::WriteOther),
                     QFile::Permissions());
            // A second start asks from its own process: here from another thread.
            auto answered = std::async(std::launch::async, [this] {
                return InstanceChannel::askToShow(m_data.path(), 3000);
            });
            QTRY_COMPARE(asked.size(), 1);
            QTRY_VERIFY(answered.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            QVERIFY(answered.get());
        }
        QVERIFY(!QFileInfo::exists(name)); // removed on exit
    }

    void callersThatSayNothingAreDropped_data()
    {
        QTest::addColumn<QByteArray>("said");
        QTest::newRow("silent") << QByteArray();
        QTest::newRow("no line end") << QByteArray("sho");
        QTest::newRow("too long") << QByteArray(100, 'x');
    }
    void callersThatSayNothingAreDropped()
    {
        QFETCH(QByteArray, said);
        InstanceChannel channel;
        QVERIFY(channel.listen(m_data.path()));
        QLocalSocket caller;
        caller.connectToServer(InstanceChannel::serverName(m_data.path()));
        QVERIFY(caller.waitForConnected(1000));
        caller.write(said);
        caller.flush();
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(caller.state(), QLocalSocket::UnconnectedState, 3000);
        QVERIFY(clock.elapsed() < 2500);
    }
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "test_instancechannel.moc"
