// The image-resize calculator, typed into as a user does.
#include "TestSupport.h"

#include "authoring/ImageSizes.h"
#include "authoring/TImageSizeCalculator.h"

#include <QLineEdit>
#include <QToolButton>

class TestImageSize : public QObject {
    Q_OBJECT

    std::unique_ptr<TImageSizeCalculator> calc;

    QLineEdit *box(const char *name) const { return calc->findChild<QLineEdit *>(name); }
    void type(const char *name, const QString &text)
    {
        box(name)->setFocus();
        QTest::keyClicks(box(name), text);
    }

private slots:
    void init()
    {
        calc = std::make_unique<TImageSizeCalculator>();
        calc->show();
    }
    void cleanup() { calc.reset(); }

    // Catches truncation or rounding half up, a width written back from the height, and a
    // division by zero, an empty box or an oversized value that writes anything at all.
    // An empty expected height means the last keystroke leaves the height as it was.
    void newWidthGivesProportionalHeight_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("newWidth");
        QTest::addColumn<QString>("expected");
        QTest::newRow("exact") << "800" << "600" << "400" << "300";
        QTest::newRow("nearest") << "3" << "5" << "1" << "2";
        QTest::newRow("half to even, down") << "4" << "2" << "5" << "2";
        QTest::newRow("half to even, up") << "4" << "2" << "7" << "4";
        QTest::newRow("present width 0") << "0" << "600" << "4" << "";
        QTest::newRow("present height empty") << "800" << "" << "4" << "";
        QTest::newRow("new width over the limit") << "800" << "600" << "100001" << "";
        QTest::newRow("result over the limit") << "1" << "2000" << "51" << "";
        QTest::newRow("largest sides") << "100000" << "100000" << "100000" << "100000";
    }
    void newWidthGivesProportionalHeight()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, newWidth);
        QFETCH(QString, expected);
        box("EditHeightNew")->setText("77");
        type("EditWidthCurrent", width);
        type("EditHeightCurrent", height);
        type("EditWidthNew", newWidth.chopped(1));
        const QString before = box("EditHeightNew")->text();
        type("EditWidthNew", newWidth.right(1));
        QCOMPARE(box("EditHeightNew")->text(), expected.isEmpty() ? before : expected);
        QCOMPARE(box("EditWidthNew")->text(), newWidth);
    }

    // Each input and the result may be exactly the largest side, not one more; a size of 0
    // is refused where it divides and allowed where it is asked for.
    void proportionalSideLimits_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<qint64>("expected");   // -1: nothing
        QTest::newRow("largest present side") << "100000" << "50000" << "50000" << qint64(25000);
        QTest::newRow("largest other side") << "50000" << "100000" << "25000" << qint64(50000);
        QTest::newRow("largest wanted side") << "50000" << "25000" << "100000" << qint64(50000);
        QTest::newRow("largest result") << "3" << "4" << "75000" << qint64(100000);
        QTest::newRow("present side one more") << "100001" << "2" << "2" << qint64(-1);
        QTest::newRow("other side one more") << "2" << "100001" << "2" << qint64(-1);
        QTest::newRow("wanted side one more") << "2" << "2" << "100001" << qint64(-1);
        QTest::newRow("result one more") << "3" << "4" << "75001" << qint64(-1);
        QTest::newRow("present side 0") << "0" << "4" << "2" << qint64(-1);
        QTest::newRow("other side 0") << "4" << "0" << "2" << qint64(-1);
        QTest::newRow("wanted side 0") << "4" << "3" << "0" << qint64(0);
        QTest::newRow("smallest result") << "4" << "1" << "1" << qint64(0);
        QTest::newRow("present side empty") << "" << "4" << "2" << qint64(-1);
        QTest::newRow("other side empty") << "4" << "" << "2" << qint64(-1);
        QTest::newRow("wanted side empty") << "4" << "3" << "" << qint64(-1);
        QTest::newRow("not a number") << "4" << "3" << "2x" << qint64(-1);
        QTest::newRow("negative") << "4" << "3" << "-2" << qint64(-1);
    }
    void proportionalSideLimits()
    {
        QFETCH(QString, side);
        QFETCH(QString, other);
        QFETCH(QString, wanted);
        QFETCH(qint64, expected);
        const std::optional<qint64> result = ProportionalSide(side, other, wanted);
        QCOMPARE(result.value_or(-1), expected);
    }

    // Catches an emptied box that clears or recomputes the other, a height that does not
    // give the width, Reset touching the present size, and values lost on hiding.
    void boxesFollowTheUserAndSurviveHiding()
    {
        type("EditWidthCurrent", "640");
        type("EditHeightCurrent", "480");
        type("EditWidthNew", "320");
        QCOMPARE(box("EditHeightNew")->text(), QStringLiteral("240"));
        box("EditWidthNew")->selectAll();
        QTest::keyClick(box("EditWidthNew"), Qt::Key_Delete);
        QCOMPARE(box("EditWidthNew")->text(), QString());
        QCOMPARE(box("EditHeightNew")->text(), QStringLiteral("240"));
        box("EditHeightNew")->clear();
        type("EditHeightNew", "48");
        QCOMPARE(box("EditWidthNew")->text(), QStringLiteral("64"));
        type("EditHeightNew", "x");
        QCOMPARE(box("EditHeightNew")->text(), QStringLiteral("48"));

        calc->hide();
        calc->show();
        QCOMPARE(box("EditWidthNew")->text(), QStringLiteral("64"));
        QTest::mouseClick(calc->findChild<QToolButton *>("ButtonReset"), Qt::LeftButton);
        QCOMPARE(box("EditWidthNew")->text() + box("EditHeightNew")->text(), QString());
        QCOMPARE(box("EditWidthCurrent")->text() + "x" + box("EditHeightCurrent")->text(), QStringLiteral("640x480"));
    }
};

QTEST_MAIN(TestImageSize)
#include "tst_imagesize.moc"
