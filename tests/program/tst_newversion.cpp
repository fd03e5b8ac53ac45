// The request and the reading of the version service's reply.
#include "program/VkNewversion.h"

#include <QTest>

class TestNewVersion : public QObject {
    Q_OBJECT
private slots:
    void query_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("query");
        QTest::newRow("digits only") << "http://h/v.php" << "2.0.2.0" << "http://h/v.php?A=2020";
        QTest::newRow("blanks made _") << "http://h/my v.php" << "2.0 b 1" << "http://h/my_v.php?A=201";
    }

    // A blank left in the address broke the request; letters of the version are not sent.
    void query()
    {
        QFETCH(QString, address);
        QFETCH(QString, version);
        QFETCH(QString, query);
        QCOMPARE(VersionQuery(address, version), query);
    }

    void reply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("text");
        QTest::newRow("tags in a page") << "<p><ver>OldVersion</ver><ver>x</ver></p>" << "OldVersion";
        QTest::newRow("closing tag first") << "</ver><ver>OldVersion" << "";
        QTest::newRow("no closing tag") << "<ver>OldVersion" << "";
        QTest::newRow("empty value") << "<ver></ver>" << "";
        QTest::newRow("closing tag past the window") << "<ver>OldVersion" + QString(65535, 'x') + "</ver>" << "";
        QTest::newRow("tags at the end of the window")
            << QString(65535 - 21, ' ') + "<ver>OldVersion</ver>" << "OldVersion";
    }

    // Text outside the tags, or tags beyond the first 65535 characters, must not be taken.
    void reply()
    {
        QFETCH(QString, reply);
        QFETCH(QString, text);
        QCOMPARE(VersionInReply(reply), text);
        QCOMPARE(IsCurrentVersion(VersionInReply(reply)), text != "OldVersion");
    }
};

QTEST_GUILESS_MAIN(TestNewVersion)
#include "tst_newversion.moc"
