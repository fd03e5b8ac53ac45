// The image-resize calculator, typed into as a user does.
#include "TestSupport.h"

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
