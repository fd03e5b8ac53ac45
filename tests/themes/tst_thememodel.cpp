// The colour model, its built-in values and the theme file writer and reader.
#include "TestSupport.h"
#include "program/uDivStartVK.h"
#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/SyntaxPaintColors.h"
#include "util/uDivFiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace SyntaxColorSettings;

namespace {

// A value no theme uses, to see what a reading left alone.
const HighlighterAttribute kSentinel{0x010203, 0x040506, fsUnderline | fsStrikeOut};

void fillSentinel(SyntaxColorModel &model)
{
    for (int i = 0; i < SyntaxAttriCount; ++i)
        model.SetAttri(SyntaxAttri(i), kSentinel);
    for (int s = 0; s < SchemeCount; ++s) {
        model.SetMarkerForeground(s, kSentinel.Foreground);
        model.SetMarkerBackground(s, kSentinel.Background);
    }
    model.SetGeneralBackColor(kSentinel.Foreground);
    model.SetGutterBorderColor(kSentinel.Foreground);
    model.SetGutterColor(kSentinel.Foreground);
}

QByteArray savedBytes(const SyntaxColorModel &model)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.cfg"));
    SaveSettings(model, path);
    return ReadFileToString(path);
}

QByteArray builtInBytes()
{
    SyntaxColorModel model;
    OriginSettings(model);
    return savedBytes(model);
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    return WriteBytes(path, bytes) ? path : QString();
}

} // namespace

class TestThemeModel : public QObject {
    Q_OBJECT
private slots:
    // Lexers and the dialog find attributes by language and name, the reader by key: each must
    // find its own attribute, and a near miss (case, a neighbour's key) none.
    void lookups()
    {
        for (int i = 0; i < SyntaxAttriCount; ++i) {
            const SyntaxAttri a = SyntaxAttri(i);
            QCOMPARE(FindSyntaxAttriByKey(SyntaxAttriKey(a)), a);
            QCOMPARE(FindSyntaxAttri(SyntaxAttriLanguage(a), SyntaxAttriName(a)), a);
        }
        QCOMPARE(FindSyntaxAttri(SyntaxLanguage::PHP, u"variable"), SyntaxAttri::Count);
        QCOMPARE(FindSyntaxAttriByKey(u"CPP.DirectiveAttri"), SyntaxAttri::Count);
    }

    // Restoring over a styled theme must clear every style and colour it left (a restore of
    // colours alone would keep them), and keep the theme's name.
    void restoreBuiltIn()
    {
        SyntaxColorModel model, fresh;
        fillSentinel(model);
        for (int i = 0; i < SyntaxAttriCount; ++i)
            model.SetStyle(SyntaxAttri(i), fsAllStyles);
        model.SetThemeName(QStringLiteral("Midnight"));
        OriginSettings(model);
        OriginSettings(fresh);
        QCOMPARE(savedBytes(model), savedBytes(fresh));  // colours and styles alike
        QCOMPARE(model.ThemeName(), QStringLiteral("Midnight"));
    }

    // Everything written reads back (no field shifted or lost: written again, the file is the
    // same), and system colours come back as the plain RGB the file holds.
    void writeThenRead()
    {
        SyntaxColorModel written;
        for (int i = 0; i < SyntaxAttriCount; ++i) {
            const TColor fg = i % 11 == 0 ? clNone : i % 7 == 0 ? clWindowText : TColor(0x10305 * (i + 1)) & 0xFFFFFF;
            written.SetAttri(SyntaxAttri(i), {fg, TColor(0xFFFFFF - i), i % 16});
        }
        for (int s = 0; s < SchemeCount; ++s) {
            written.SetMarkerForeground(s, 0x0A0B0C + TColor(s));
            written.SetMarkerBackground(s, 0x0D0E0F + TColor(s));
        }
        written.SetGeneralBackColor(0x203040);
        written.SetGutterBorderColor(clWindowText);
        written.SetGutterColor(clNone);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("round.cfg"));
        SaveSettings(written, path);
        SyntaxColorModel read;
        fillSentinel(read);
        ReadSettings(read, path);
        QCOMPARE(savedBytes(read), ReadFileToString(path));
        QCOMPARE(read.GutterBorderColor(), TColor(0x000008));
        QCOMPARE(read.GutterColor(), clWhite);
        QCOMPARE(read.Attri(SyntaxAttri(0)).Foreground, clWhite);
        QCOMPARE(read.ThemeName(), QString());
    }

    // Every row reads a file and looks at HTML.KeyAttri: old theme files with short lines, stray
    // lines or odd fields must read as they always did.
    void reader_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<uint>("fg");
        QTest::addColumn<uint>("bg");
        QTest::addColumn<int>("style");
        auto row = [](const char *name, const QByteArray &text, uint fg, uint bg, int style) {
            QTest::newRow(name) << text << true << fg << bg << style;
        };
        auto unchanged = [](const char *name, const char *text) {
            QTest::newRow(name) << QByteArray(text) << false << 0u << 0u << 0;
        };
        const QByteArray fullAnd = "HTML.AndAttri=#112233;#445566;True;True;True;True;";
        row("whole line", "HTML.KeyAttri=#800080;#FFFFFF;True;False;False;False;\r\n", 0x800080, 0xFFFFFF, fsBold);
        row("short line takes earlier fields", fullAnd + "\r\nHTML.KeyAttri=#800080;\r\n", 0x800080, 0x665544,
            fsAllStyles);
        row("short line first in file", "HTML.KeyAttri=#800080;", 0x800080, 0, 0);
        row("skipped lines fill no fields",
            "HTML.AndAttri=#000000;#AABBCC;False;True;False;False;\r\n[HTML]\r\n"
            "; c;#FFFFFF;True;True;True;True;\r\n// c;#FFFFFF;True;True;True;True;\r\nHTML.KeyAttri=#800080;\r\n",
            0x800080, 0xCCBBAA, fsItalic);
        row("no final ; loses the last letter", "HTML.KeyAttri=#800080;#FFFFFF;False;False;False;True", 0x800080,
            0xFFFFFF, 0);
        row("only exact True", "HTML.KeyAttri=#800080;#FFFFFF;true;1;TRUE;Fals;", 0x800080, 0xFFFFFF, 0);
        row("empty fields", "HTML.KeyAttri=#800080;;True;False;False;False;", 0x800080, 0, fsBold);
        row("fields past the sixth ignored",
            "HTML.AndAttri=#000000;#FFFFFF;True;False;False;False;#123456;True;\r\nHTML.KeyAttri=#800080;\r\n",
            0x800080, 0xFFFFFF, fsBold);
        unchanged("blank before =", "HTML.KeyAttri =#800080;#FFFFFF;True;False;False;False;");
        unchanged("key in lower case", "html.keyattri=#800080;#FFFFFF;True;False;False;False;");
    }

    void reader()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, changes);
        QFETCH(uint, fg);
        QFETCH(uint, bg);
        QFETCH(int, style);
        QTemporaryDir dir;
        SyntaxColorModel model;
        fillSentinel(model);
        ReadSettings(model, writeFile(dir, QStringLiteral("t.cfg"), text));
        const HighlighterAttribute expected = changes ? HighlighterAttribute{fg, bg, style} : kSentinel;
        const HighlighterAttribute &got = model.Attri(SyntaxAttri::HTML_Key);
        QCOMPARE(got.Foreground, expected.Foreground);
        QCOMPARE(got.Background, expected.Background);
        QCOMPARE(got.Style, expected.Style);
    }

    // The common and marker lines set their one colour and touch no attribute.
    void commonKeys()
    {
        QTemporaryDir dir;
        SyntaxColorModel model;
        fillSentinel(model);
        ReadSettings(model, writeFile(dir, QStringLiteral("c.cfg"),
                                      "SynBackColor=#102030XYZ\r\nGutterBorderColor=#405060\r\n"
                                      "GutterColor=#708090;\r\nItems[1].F=#A0B0C0\r\nItems[2].B=#D0E0F0\r\n"
                                      "HTML.KeyAttri=#800080;\r\n"));
        QCOMPARE((QList<TColor>{model.GeneralBackColor(), model.GutterBorderColor(), model.GutterColor(),
                                model.MarkerAttri(1).Foreground, model.MarkerAttri(2).Background,
                                model.MarkerAttri(0).Foreground, model.MarkerAttri(1).Background}),
                 (QList<TColor>{0x302010, 0x605040, 0x908070, 0xC0B0A0, 0xF0E0D0, kSentinel.Foreground,
                                kSentinel.Background}));
        for (int i = 0; i < SyntaxAttriCount; ++i) {
            if (SyntaxAttri(i) != SyntaxAttri::HTML_Key)
                QVERIFY(model.Attri(SyntaxAttri(i)) == kSentinel);
        }
        QCOMPARE(model.Attri(SyntaxAttri::HTML_Key).Foreground, TColor(0x800080));
    }

    void badColourStopsReading_data()
    {
        QTest::addColumn<QByteArray>("badLine");
        QTest::newRow("foreground") << QByteArray("HTML.KeyAttri=#GG0000;#FFFFFF;True;False;False;False;");
        QTest::newRow("background") << QByteArray("HTML.KeyAttri=#800080;#FFFFZZ;True;False;False;False;");
        QTest::newRow("common colour") << QByteArray("SynBackColor=#XYZXYZ");
    }

    // A bad colour text is reported, the lines before it stay applied, the line itself and the
    // ones after are not, and the update bracket is closed with one notification.
    void badColourStopsReading()
    {
        QFETCH(QByteArray, badLine);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("bad.cfg"),
                                       "HTML.AndAttri=#FF0000;#FFFFFF;False;False;False;False;\r\n" + badLine
                                           + "\r\nHTML.TextAttri=#00FF00;#FFFFFF;False;False;False;False;\r\n");
        SyntaxColorModel model;
        fillSentinel(model);
        model.SetThemeName(QStringLiteral("before"));
        QSignalSpy spy(&model, &SyntaxColorModel::changed);
        // The message names the file and the line to mend.
        try {
            OpenTheme(model, path);
            QFAIL("no ConvertError");
        } catch (const ConvertError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).startsWith(path + ", line 2: "), error.what());
        }
        QVERIFY(!model.IsUpdating());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(model.Attri(SyntaxAttri::HTML_And).Foreground, TColor(0x0000FF));
        QVERIFY(model.Attri(SyntaxAttri::HTML_Key) == kSentinel);
        QVERIFY(model.Attri(SyntaxAttri::HTML_Text) == kSentinel);
        QCOMPARE(model.GeneralBackColor(), kSentinel.Foreground);
        QCOMPARE(model.ThemeName(), QStringLiteral("before"));
    }

    // A missing theme, or a folder named like one, must not rename or repaint the theme.
    void missingThemeChangesNothing()
    {
        QTemporaryDir dir;
        SyntaxColorModel model;
        OriginSettings(model);
        model.SetThemeName(QStringLiteral("keep"));
        QSignalSpy spy(&model, &SyntaxColorModel::changed);
        ReadSettings(model, dir.filePath(QStringLiteral("none.cfg")));
        QVERIFY(!OpenTheme(model, dir.filePath(QStringLiteral("none.cfg"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("old.cfg")));
        QVERIFY(!OpenTheme(model, dir.filePath(QStringLiteral("old.cfg"))));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(model.ThemeName(), QStringLiteral("keep"));
    }

    // Lexers repaint on changed(): once per change outside a bracket, once per bracket, never for
    // a value set to what it already was.
    void notificationsAreBracketed()
    {
        SyntaxColorModel model;
        QSignalSpy spy(&model, &SyntaxColorModel::changed);
        OriginSettings(model);
        QCOMPARE(spy.count(), 1);
        OriginSettings(model);
        QCOMPARE(spy.count(), 1);
        model.SetForeground(SyntaxAttri::JS_Key, 0x123456);
        model.SetForeground(SyntaxAttri::JS_Key, 0x123456);
        QCOMPARE(spy.count(), 2);
        {
            SyntaxColorUpdate outer(model);
            {
                SyntaxColorUpdate inner(model);
                model.SetStyle(SyntaxAttri::JS_Key, 0);
            }
            model.SetGutterColor(0x010101);
            QCOMPARE(spy.count(), 2);
        }
        QCOMPARE(spy.count(), 3);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("m.cfg"));
        SaveSettings(model, path);
        fillSentinel(model);
        spy.clear();
        ReadSettings(model, path);
        QCOMPARE(spy.count(), 1);
    }

    // The writer either replaces the file whole or leaves it as it was.
    void failedWriteKeepsOldFile()
    {
        QTemporaryDir dir;
        SyntaxColorModel model;
        OriginSettings(model);
        const QString notAFolder = writeFile(dir, QStringLiteral("plain"), "x");
        QVERIFY_THROWS_EXCEPTION(ThemeFileError, SaveSettings(model, notAFolder + QStringLiteral("/t.cfg")));

        const QByteArray old = "[BACKGROUND]\r\nSynBackColor=#123456\r\n";
        const QString path = writeFile(dir, QStringLiteral("theme.cfg"), old);
        {
            FileSizeLimit limit(64);  // the disk fills up midway
            QVERIFY_THROWS_EXCEPTION(ThemeFileError, SaveSettings(model, path));
        }
        QCOMPARE(ReadFileToString(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"plain", "theme.cfg"}));

        SaveSettings(model, path);
        QCOMPARE(ReadFileToString(path), builtInBytes());
    }

    // Each shipped theme names every colour and is in the writer's own format; the default one
    // is the built-in theme, the others are readable everywhere.
    void shippedThemes()
    {
        TempProgramFolder program;
        QVERIFY(program.isValid());
        QCOMPARE(ReadFileToString(Paths().HighlightersDir + QStringLiteral("_defaut-settings.cfg")), builtInBytes());
        const QDir folder(Paths().HighlightersDir);
        const QStringList themes = folder.entryList({QStringLiteral("*.cfg")}, QDir::Files);
        QVERIFY(themes.contains(QStringLiteral("Midnight.cfg")));
        for (const QString &name : themes) {
            const QString path = folder.filePath(name);
            SyntaxColorModel model;
            fillSentinel(model);
            ReadSettings(model, path);
            QCOMPARE(savedBytes(model), ReadFileToString(path));
            for (int i = 0; i < SyntaxAttriCount; ++i) {
                const HighlighterAttribute &a = model.Attri(SyntaxAttri(i));
                const QString where = name + QLatin1Char(' ') + SyntaxAttriKey(SyntaxAttri(i));
                QVERIFY2(a != kSentinel, qPrintable(where));
                // The light built-in theme relies on window text.
                if (name != QLatin1String("_defaut-settings.cfg"))
                    QVERIFY2(ColorContrast(TColorToQColor(a.Foreground), TColorToQColor(a.Background)) >= 4.5,
                             qPrintable(where));
            }
        }
    }

    void paintColours_data()
    {
        QTest::addColumn<uint>("fg");
        QTest::addColumn<uint>("bg");
        QTest::addColumn<QColor>("paper");
        QTest::addColumn<QColor>("paletteText");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("back");
        const QColor white(Qt::white), black(Qt::black), light(0xEE, 0xEE, 0xEE), dark(0x1E, 0x1E, 0x1E);
        const uint wt = clWindowText;
        QTest::newRow("window text, light desktop") << wt << 0xFFFFFFu << white << black << black << white;
        QTest::newRow("window text, dark desktop, light theme") << wt << 0xFFFFFFu << white << light << black << white;
        QTest::newRow("window text, dark desktop, dark theme") << wt << 0x1E1E1Eu << white << light << light << dark;
        QTest::newRow("window text, light desktop, dark theme") << wt << 0x1E1E1Eu << white << black << white << dark;
        QTest::newRow("no colours on dark paper") << uint(clNone) << uint(clNone) << dark << black << white << dark;
        QTest::newRow("RGB as stored, even unreadable")
            << 0x0000FFu << 0x0000FFu << white << black << QColor(Qt::red) << QColor(Qt::red);
        QTest::newRow("system background")
            << 0x000000u << 0xFF00000Du << white << black << black << QColor(0x30, 0x60, 0x90);
    }

    // Window text must stay readable on the desktop's palette; stored RGB is painted as stored.
    void paintColours()
    {
        QFETCH(uint, fg);
        QFETCH(uint, bg);
        QFETCH(QColor, paper);
        QFETCH(QColor, paletteText);
        QFETCH(QColor, text);
        QFETCH(QColor, back);
        QPalette palette;
        palette.setColor(QPalette::Text, paletteText);
        palette.setColor(QPalette::Highlight, QColor(0x30, 0x60, 0x90));
        const HighlighterAttribute attri{fg, bg, 0};
        QCOMPARE(AttributeBackColor(attri, paper, palette), back);
        QCOMPARE(AttributeTextColor(attri, paper, palette), text);
    }
};

QTEST_MAIN(TestThemeModel)
#include "tst_thememodel.moc"
