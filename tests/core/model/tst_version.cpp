#include "Version.h"

#include <QtTest>

class TestVersion : public QObject {
    Q_OBJECT
private slots:
    void text_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("text");
        QTest::newRow("revision 0 is left out") << 1 << 2 << 0 << "1.2";
        QTest::newRow("revision shown") << 0 << 0 << 43 << "0.0.43";
        QTest::newRow("release") << 1 << 0 << 0 << "1.0";
    }
    void text()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, text);
        QCOMPARE(VersionText(major, minor, revision), text);
    }
    void programVersionIsAtLeastOne()
    {
        QVERIFY(ProgramVersion().section('.', 0, 0).toInt() >= 1);
    }
};

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
