// The application object and the splash window.
#include "TestSupport.h"

#include "app/VelKandrixApp.h"
#include "app/reSplash.h"

#include <QTimer>
#include <QtTest>

class TestApp : public QObject {
    Q_OBJECT

private slots:
    void splashClosesAfterItsTimeOrOnAClick()
    {
        TSplash timed;
        timed.show();
        QVERIFY(timed.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!timed.isVisible(), 5000);

        TSplash clicked;
        clicked.show();
        QTest::mouseClick(clicked.findChild<QWidget *>("PanelInside"), Qt::LeftButton);
        QVERIFY(!clicked.isVisible());
    }

    void exceptionTextGetsAFullStop()
    {
        QCOMPARE(ExceptionBoxText("Disk full"), QStringLiteral("Disk full."));
        QCOMPARE(ExceptionBoxText("Disk full."), QStringLiteral("Disk full."));
        QCOMPARE(ExceptionBoxText("Done!"), QStringLiteral("Done!"));
        QCOMPARE(ExceptionBoxText(""), QString());
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
