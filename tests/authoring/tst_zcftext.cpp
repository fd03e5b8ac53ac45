// Text laid out in a rectangle, measured by a stand-in font: every character 10 pixels
// wide, every line 20 high.
#include "authoring/zcftext.h"

#include <QImage>
#include <QPainter>
#include <QTest>

Q_DECLARE_METATYPE(TRect)
char *toString(const TRect &r)
{
    return QTest::toString(QStringLiteral("(%1,%2,%3,%4)").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom));
}

namespace {
class FixedMeasurer : public TTextMeasurer {
public:
    explicit FixedMeasurer(bool trueType = true) : m_trueType(trueType) {}
    QSize Extent(const QString &text) const override { return QSize(10 * int(text.size()), 20); }
    bool IsTrueType() const override { return m_trueType; }

private:
    bool m_trueType;
};

QStringList lineTexts(const TTextLayout &layout)
{
    QStringList texts;
    for (const TPlacedLine &line : layout.Lines)
        texts << line.Text;
    return texts;
}
} // namespace

class TestTextInRect : public QObject {
    Q_OBJECT
private slots:
    // Line splitting and wrapping: lost or empty lines, heads of one letter, endless wraps,
    // margins that leave no room.
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("indent");
        QTest::newRow("empty text is one blank line") << "" << 100 << false << 0 << QStringList{" "} << 0;
        QTest::newRow("final line feed adds a blank line") << "ab\n" << 100 << false << 0 << QStringList{"ab", " "} << 0;
        QTest::newRow("carriage returns ignored") << "a\r\n\r\nb" << 100 << false << 0 << QStringList{"a", " ", "b"} << 0;
        QTest::newRow("no wrap keeps long line") << "aa bb cc" << 30 << false << 0 << QStringList{"aa bb cc"} << 0;
        QTest::newRow("wrap at the last blank that fits") << "aa bb cc" << 50 << true << 0
                                                          << QStringList{"aa bb", "cc"} << 0;
        QTest::newRow("exactly as wide as the room stays whole") << "aa bb" << 50 << true << 0
                                                                 << QStringList{"aa bb"} << 0;
        QTest::newRow("one-letter head stays with its long word") << "a verylongword" << 60 << true << 0
                                                                  << QStringList{"a verylongword"} << 0;
        QTest::newRow("two short words let the long one move") << "a b verylongword" << 60 << true << 0
                                                               << QStringList{"a b", "verylongword"} << 0;
        QTest::newRow("tail trimmed of blanks") << "aa   bb" << 40 << true << 0 << QStringList{"aa", "bb"} << 0;
        QTest::newRow("character wrap") << "abcdefg" << 30 << true << int(tfCharWrap)
                                        << QStringList{"abc", "def", "g"} << 0;
        QTest::newRow("character wrap narrower than a letter still ends") << "abc" << 5 << true << int(tfCharWrap)
                                                                           << QStringList{"a", "b", "c"} << 0;
        QTest::newRow("character wrap with the margin filling the room still ends")
            << "abc" << 10 << true << int(tfCharWrap) << QStringList{"a", "b", "c"} << 10;
        QTest::newRow("character wrap with a margin wider than the room keeps the line")
            << "abc" << 10 << true << int(tfCharWrap) << QStringList{"abc"} << 11;
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, wrap);
        QFETCH(int, flags);
        QFETCH(QStringList, expected);
        QFETCH(int, indent);
        TRect rect{0, 0, width, 100};
        const TTextLayout layout = LayoutTextInRect(FixedMeasurer(), text, 0, 0, wrap, rect, std::uint8_t(indent), 0,
                                                    flags | tfMeasureOnly, 0, 0);
        QCOMPARE(lineTexts(layout), expected);
    }

    // The indent is kept free on one side, and on both when the text is centred or justified.
    void wrapMargin_data()
    {
        QTest::addColumn<int>("hAlign");
        QTest::addColumn<int>("lines");
        QTest::newRow("left") << 0 << 1;
        QTest::newRow("right") << 2 << 1;
        QTest::newRow("centre") << 1 << 2;
        QTest::newRow("justified") << 3 << 2;
    }
    void wrapMargin()
    {
        QFETCH(int, hAlign);
        QFETCH(int, lines);
        TRect rect{0, 0, 60, 100};
        const TTextLayout layout =
            LayoutTextInRect(FixedMeasurer(), "aa bb", hAlign, 0, true, rect, 6, 0, tfMeasureOnly, 0, 0);
        QCOMPARE(int(layout.Lines.size()), lines);
    }

    // Angles outside 0..359 or on a font that cannot turn.
    void angles_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<bool>("trueType");
        QTest::addColumn<int>("expected");
        QTest::newRow("360") << 360 << true << 0;
        QTest::newRow("-360") << -360 << true << 0;
        QTest::newRow("720") << 720 << true << 0;
        QTest::newRow("-90") << -90 << true << 270;
        QTest::newRow("raster font draws flat") << 45 << false << 0;
    }
    void angles()
    {
        QFETCH(int, angle);
        QFETCH(bool, trueType);
        QFETCH(int, expected);
        TRect rect{0, 0, 100, 100};
        QCOMPARE(LayoutTextInRect(FixedMeasurer(trueType), "ab", 0, 0, false, rect, 0, 0, 0, 0, angle).Angle,
                 expected);
    }

    // Growing flags grow to the text's size plus indents and never shrink; line spacing
    // goes only between lines.
    void grow_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<TRect>("rect");
        QTest::addColumn<TRect>("expected");
        QTest::newRow("width and height") << int(tfGrowWidth | tfGrowHeight) << 0 << 0 << TRect{5, 5, 10, 10}
                                          << TRect{5, 5, 38, 49};
        QTest::newRow("height only") << int(tfGrowHeight) << 0 << 0 << TRect{0, 0, 10, 10} << TRect{0, 0, 10, 44};
        QTest::newRow("spaced lines") << int(tfGrowHeight) << 0 << 6 << TRect{0, 0, 10, 10} << TRect{0, 0, 10, 50};
        QTest::newRow("large rectangle kept") << int(tfGrowWidth | tfGrowHeight) << 0 << 0 << TRect{0, 0, 200, 200}
                                              << TRect{0, 0, 200, 200};
        QTest::newRow("turned a quarter swaps the sides") << int(tfGrowWidth | tfGrowHeight) << 90 << 0
                                                          << TRect{0, 0, 0, 0} << TRect{0, 0, 43, 34};
    }
    void grow()
    {
        QFETCH(int, flags);
        QFETCH(int, angle);
        QFETCH(int, spacing);
        QFETCH(TRect, rect);
        QFETCH(TRect, expected);
        // "abc" over "d": 30 wide, 40 high; indents 3 and 4.
        LayoutTextInRect(FixedMeasurer(), "abc\nd", 0, 0, false, rect, 3, 4, flags | tfMeasureOnly, spacing, angle);
        QCOMPARE(rect, expected);
    }

    // Where the first line starts for each alignment; halves go to the even pixel.
    void placement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hAlign");
        QTest::addColumn<int>("vAlign");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("left top") << "ab" << 0 << 0 << 0 << 100 << QPoint(2, 0);
        QTest::newRow("right bottom") << "ab" << 2 << 2 << 0 << 100 << QPoint(78, 30);
        QTest::newRow("centre") << "ab" << 1 << 1 << 0 << 100 << QPoint(40, 15);
        QTest::newRow("centre half rounds down to even") << "ab" << 1 << 1 << 0 << 101 << QPoint(40, 15);
        QTest::newRow("centre half rounds up to even") << "ab" << 1 << 1 << 0 << 103 << QPoint(42, 15);
        QTest::newRow("quarter turn runs upward from the bottom") << "ab" << 0 << 0 << 90 << 100 << QPoint(2, 20);
        QTest::newRow("taller than the rectangle overflows evenly") << "a\nb\nc\nd" << 0 << 1 << 0 << 100
                                                                     << QPoint(2, -15);
    }
    void placement()
    {
        QFETCH(QString, text);
        QFETCH(int, hAlign);
        QFETCH(int, vAlign);
        QFETCH(int, angle);
        QFETCH(int, width);
        QFETCH(QPoint, expected);
        TRect rect{0, 0, width, 50};
        const TTextLayout layout = LayoutTextInRect(FixedMeasurer(), text, hAlign, vAlign, false, rect, 2, 0, 0, 0, angle);
        QCOMPARE(QPoint(layout.Lines.front().X, layout.Lines.front().Y), expected);
        // The block is symmetric about the centre when it overflows.
        if (vAlign == 1) {
            const int bottom = layout.Lines.back().Y + 20;
            QCOMPARE(layout.Lines.front().Y - rect.Top, rect.Bottom - bottom);
        }
    }

    // Painting is clipped to the rectangle unless flag 32 lets long lines overflow.
    void clipping_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("clipped") << 0 << false;
        QTest::newRow("no clipping") << int(tfNoClip) << true;
    }
    void clipping()
    {
        QFETCH(int, flags);
        QFETCH(bool, overflows);
        QImage image(200, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TRect rect{0, 0, 20, 40};
        const QFont font;
        QVERIFY(DrawTextInRect(&painter, "WWWWWWWWWW", &font, Qt::black, 0, 1, false, rect, 0, 0, flags, 0, 0));
        painter.end();
        bool inked = false;
        for (int x = 24; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                inked = inked || image.pixelColor(x, y) != QColor(Qt::white);
        QCOMPARE(inked, overflows);
    }

    // Absent painter or font: nothing happens and the rectangle stays.
    void absentCanvasOrFont()
    {
        TRect rect{0, 0, 1, 1};
        const QFont font;
        QVERIFY(!DrawTextInRect(nullptr, "abc", &font, Qt::black, 0, 0, false, rect, 0, 0, tfGrowWidth, 0, 0));
        QVERIFY(!IsTrueTypeFont(nullptr));
        QCOMPARE(rect, (TRect{0, 0, 1, 1}));
    }
};

QTEST_MAIN(TestTextInRect)
#include "tst_zcftext.moc"
