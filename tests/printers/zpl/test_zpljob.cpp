#include <QtTest>
class TestZplJob : public QObject { Q_OBJECT };
QTEST_MAIN(TestZplJob)
#include "test_zpljob.moc"
