// Utility routines: settings-style lines, file helpers, program folder and language,
// colour text, delimiters, path shortening, relative links, picture sizes, recent files.
#include "TestSupport.h"

#include "util/ManageOpenFileList.h"
#include "util/VelKandrixUtils.h"
#include "util/uDivApplication.h"
#include "util/uDivFiles.h"
#include "util/uDivIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
// Permission bits apply to this process for one scope, even when it runs as root.
struct PermissionBitsApply {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    PermissionBitsApply()
    {
        syscall(SYS_capget, &header, saved);
        __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        syscall(SYS_capset, &header, reduced);
    }
    ~PermissionBitsApply() { syscall(SYS_capset, &header, saved); }
};
} // namespace

namespace {

QByteArray le16(int v) { return bytes({v & 0xFF, (v >> 8) & 0xFF}); }
QByteArray be16(int v) { return bytes({(v >> 8) & 0xFF, v & 0xFF}); }
QByteArray le32(quint32 v) { return le16(int(v & 0xFFFF)) + le16(int(v >> 16)); }
QByteArray be32(quint32 v) { return be16(int(v >> 16)) + be16(int(v & 0xFFFF)); }

QStringList filled(const RecentFileSlots &list)
{
    QStringList out;
    for (const QString &slot : list) {
        if (!slot.isEmpty())
            out << slot;
    }
    return out;
}

// A 54-byte BMP header and one pixel row.
QByteArray bmpFile(quint32 width, quint32 height)
{
    return "BM" + le32(58) + le32(0) + le32(54) + le32(40) + le32(width) + le32(height) + le16(1)
           + le16(24) + QByteArray(24, 0) + bytes({0, 0, 255, 0});
}

QByteArray gifFile(int width, int height)
{
    return "GIF89a" + le16(width) + le16(height) + bytes({0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x3B});
}

QByteArray pngFile(quint32 width, quint32 height)
{
    return bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) + be32(13) + "IHDR" + be32(width)
           + be32(height) + bytes({8, 2, 0, 0, 0}) + be32(0x12345678) + be32(0) + "IEND" + be32(0xAE426082);
}

QByteArray jpegSegment(int type, const QByteArray &data)
{
    return bytes({0xFF, type}) + be16(int(data.size()) + 2) + data;
}

QByteArray sof(int type, int width, int height)
{
    return jpegSegment(type, bytes({8}) + be16(height) + be16(width)
                                 + bytes({3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
}
} // namespace

class TestUtil : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        RecentFiles.fill(QString());
    }

    void keyAndValueOfLine_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("matches");
        QTest::addColumn<QString>("value");
        QTest::newRow("value keeps its blank") << "Language" << "Language= en" << true << " en";
        // A blank before "=" belongs to the key: it must not be trimmed away.
        QTest::newRow("blank before =") << "Language" << "Language = en " << false << " en ";
        QTest::newRow("no =") << "Language" << "Language" << false << "";
        QTest::newRow("longer key") << "Lang" << "Language=en" << false << "en";
        // Only the first "=" ends the key.
        QTest::newRow("= in value") << "Font" << "Font=a=b=c" << true << "a=b=c";
        QTest::newRow("empty value") << "Language" << "Language=" << true << "";
    }

    // A key matched by prefix, by trimming or past the first "=" would read the wrong setting.
    void keyAndValueOfLine()
    {
        QFETCH(QString, key);
        QFETCH(QString, line);
        QFETCH(bool, matches);
        QFETCH(QString, value);
        QCOMPARE(IsKeyOfLine(key, line), matches);
        QCOMPARE(ValueOfLine(line), value);
    }

    // Only the exact "True" is true: anything else a hand-edited file holds reads as false.
    void boolText()
    {
        QCOMPARE(BoolToText(true), QStringLiteral("True"));
        QCOMPARE(BoolToText(false), QStringLiteral("False"));
        QVERIFY(TextToBool("True"));
        for (const char *text : {"False", "true", "TRUE", "1", "", " True", "True "})
            QVERIFY2(!TextToBool(text), text);
    }

    void trimAndSkipLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("trimmed");
        QTest::addColumn<bool>("skipped");
        QTest::newRow("blanks and control characters") << QString(" \t\x01\x1F" "K = v\x7F\r") << QString("K = v\x7F") << false;
        const QString nbsp = QString(QChar(0xA0)) + "a";
        QTest::newRow("non-breaking space kept") << nbsp << nbsp << false;
        QTest::newRow("only blanks") << " \t \r" << "" << true;
        QTest::newRow("semicolon comment after blank") << " ;Language=fr" << ";Language=fr" << true;
        QTest::newRow("slash comment") << "//Language=fr" << "//Language=fr" << true;
        QTest::newRow("single slash") << "/Language=fr" << "/Language=fr" << false;
        QTest::newRow("semicolon later") << "Language=fr;x" << "Language=fr;x" << false;
    }

    // Trimming must stop at visible characters; only ";" and "//" lines are comments.
    void trimAndSkipLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, trimmed);
        QFETCH(bool, skipped);
        QCOMPARE(TrimSettingsLine(line), trimmed);
        QCOMPARE(IsSkippedSettingsLine(trimmed), skipped);
    }

    void splitSettingsLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("final CR LF") << "a=1\r\nb=2\r\n" << QStringList{"a=1", "b=2"};
        QTest::newRow("mixed") << "a\r\nb\nc\rd\r" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("empty line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("LF CR is two line ends") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("one line end") << "\r\n" << QStringList{""};
    }

    // Every line-end style splits once; a final line end adds no empty line.
    void splitSettingsLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitSettingsLines(text), lines);
    }

    // Every byte comes back unchanged (NUL, CR LF, high bytes, a BOM); a missing file is an error.
    void readFileToString()
    {
        const QByteArray content = bytes({0xEF, 0xBB, 0xBF, 'a', 0, 'b', '\r', '\n', 0xE9, 0xFF, '\r'});
        QVERIFY(WriteBytes(m_dir.filePath("raw.txt"), content));
        QCOMPARE(ReadFileToString(m_dir.filePath("raw.txt")), content);

        const QString missing = m_dir.filePath("no-such-file.txt");
        try {
            ReadFileToString(missing);
            QFAIL("no FileOpenError for a missing file");
        } catch (const FileOpenError &e) {
            QVERIFY(QString::fromStdString(e.what()).contains(missing));
        }
    }

    // A writable file in a folder that takes no new files could not be saved at all;
    // a replaced file came back with the temporary file's permissions (0600).
    void writerKeepsPermissionsAndWritesInPlace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.html");
        QVERIFY(WriteFileReplacing(path, "one"));
        const auto shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(path, shared));
        QVERIFY(WriteFileReplacing(path, "two"));
        QCOMPARE(QFile::permissions(path) & 0x7077, shared);

        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        {
            PermissionBitsApply bits;
            QVERIFY2(WriteFileReplacing(path, "three", &error), qPrintable(error));
            QVERIFY(!WriteFileReplacing(dir.filePath("new.html"), "x", &error));
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ReadFileToString(path), QByteArray("three"));
    }

    // Only the last extension goes, and never a dot in a folder name.
    void removeFileExt()
    {
        QCOMPARE(RemoveFileExt("my.dark.cfg"), QStringLiteral("my.dark"));
        QCOMPARE(RemoveFileExt("/home/me/themes.d/dark"), QStringLiteral("/home/me/themes.d/dark"));
        QCOMPARE(RemoveFileExt("dark."), QStringLiteral("dark"));
    }

    // The program folder always ends with one "/", so file names can be appended.
    void initAppDir()
    {
        for (const QString &folder : {QStringLiteral("/opt/velkandrix"), QStringLiteral("/opt/velkandrix/")}) {
            SetAppDirOverride(folder);
            InitAppDir();
            QCOMPARE(AppDir, QStringLiteral("/opt/velkandrix/"));
        }
        SetAppDirOverride(QString());
        InitAppDir();
        QCOMPARE(AppDir, QCoreApplication::applicationDirPath() + "/");
    }

    void languageTable_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        // Unlisted identifiers, parts of listed ones (308, 30840) among them, are English.
        const struct { int id; const char *name, *code; } rows[] = {
            {3084, "French", "fr"}, {58380, "French", "fr"}, {1025, "English", "en"}, {0, "English", "en"},
            {308, "English", "en"}, {30840, "English", "en"}, {8202, "Spanish", "es"},
        };
        for (const auto &r : rows)
            QTest::addRow("%d %s", r.id, r.name) << r.id << QString(r.name) << QString(r.code);
    }

    // An identifier must map to its language by whole value, anything unknown to English.
    void languageTable()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(QString, code);
        QCOMPARE(LanguageNameOfId(id), name);
        QCOMPARE(LanguageCodeOfName(name), code);
        QCOMPARE(LanguageCodeOfName(name.toLower()), QStringLiteral("en"));  // exact names only
    }

    void colorToHtmlHex_data()
    {
        QTest::addColumn<quint32>("color");
        QTest::addColumn<QString>("text");
        QTest::newRow("byte order") << quint32(0x123456) << "#563412";
        QTest::newRow("upper-case digits") << quint32(0xABCDEF) << "#EFCDAB";
        // The top byte is ignored; no system-colour translation.
        QTest::newRow("no colour") << quint32(clNone) << "#FFFFFF";
    }

    // Swapped colour bytes or a kept top byte would write a wrong colour into themes and pages.
    void colorToHtmlHex()
    {
        QFETCH(quint32, color);
        QFETCH(QString, text);
        QCOMPARE(ColorToHtmlHex(color), text);
        // Read back, only the top byte is lost.
        QCOMPARE(HtmlHexToColor(text), TColor(color & 0xFFFFFF));
    }

    void htmlHexToColor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint32>("color");
        QTest::newRow("lower case") << "#0080ff" << true << quint32(0xFF8000);
        QTest::newRow("empty") << "" << true << quint32(0);
        // Short texts: only the digits present are read, never beyond the text.
        QTest::newRow("#1") << "#1" << true << quint32(0x1);
        QTest::newRow("#12345") << "#12345" << true << quint32(0x053412);
        for (const char *bad : {"#GG0000", "#0000GG", "#12 456", "#-12345", "#", "#G"})
            QTest::newRow(bad) << bad << false << quint32(0);
    }

    // Bad digits must raise, and a short text must not be read past its end.
    void htmlHexToColor()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(quint32, color);
        try {
            const TColor got = HtmlHexToColor(text);
            QVERIFY2(valid, "no ConvertError");
            QCOMPARE(got, TColor(color));
        } catch (const ConvertError &e) {
            QVERIFY(!valid);
            QCOMPARE(QString::fromStdString(e.what()), QString("'" + text + "' is not a valid integer value"));
        }
    }

    // Extracting and replacing the text between charset=" and the next quote: no text lost
    // when the closing quote is missing, only the first occurrence touched.
    void delimiters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("replaced");  // with windows-1252
        QTest::newRow("meta charset") << "<meta charset=\"utf-8\">" << "utf-8"
                                      << "<meta charset=\"windows-1252\">";
        QTest::newRow("ends after quote") << "charset=\"utf-8\"" << "utf-8" << "charset=\"windows-1252\"";
        QTest::newRow("empty value") << "<meta charset=\"\">" << "" << "<meta charset=\"windows-1252\">";
        QTest::newRow("first occurrence only") << "charset=\"a\" charset=\"b\"" << "a"
                                               << "charset=\"windows-1252\" charset=\"b\"";
        // No closing quote: nothing is removed, the new text goes after the start delimiter.
        QTest::newRow("no closing quote") << "<meta charset=\"utf-8>" << ""
                                          << "<meta charset=\"windows-1252utf-8>";
        QTest::newRow("no start delimiter") << "<meta http-equiv=\"refresh\">" << "" << "";
        QTest::newRow("case matters") << "<meta CHARSET=\"utf-8\">" << "" << "";
    }

    void delimiters()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QFETCH(QString, replaced);
        QCOMPARE(ExtractBetween(text, "charset=\"", "\""), value);
        QCOMPARE(GetTextBetween(text, "charset=\"", "\""), value);
        QCOMPARE(ReplaceBetween(text, "charset=\"", "\"", "windows-1252"), replaced);
    }

    // Digits of other scripts must not pass as "0" to "9".
    void keepDigits()
    {
        QCOMPARE(KeepDigits("v2.0.2.0"), QStringLiteral("2020"));
        QCOMPARE(KeepDigits(QString::fromUtf8("\u0661\u0662x3")), QStringLiteral("3"));
    }

    void shortenPathForMenu_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shortened");
        const QString fifty = "/home/me/" + QString(34, 'd') + "/a.html";
        QTest::newRow("exactly 50") << fifty << fifty;
        const QString fiftyOne = "/home/me/" + QString(35, 'd') + "/a.html";
        QTest::newRow("51 characters") << fiftyOne << fiftyOne.left(40) + ".../a.html";
        // Room of exactly 3: three characters of the folder are kept.
        const QString name43 = QString(39, 'n') + ".htm";
        QTest::newRow("name of 43") << "/home/me/site/" + name43 << "/ho.../" + name43;
        // Room below 3: the (empty) drive, "/", ".../" and the name.
        const QString name44 = QString(40, 'n') + ".htm";
        QTest::newRow("name of 44") << "/home/me/site/" + name44 << "/.../" + name44;
        const QString name60 = QString(55, 'n') + ".html";
        QTest::newRow("no folder, long name") << name60 << "/.../" + name60;
    }

    // Off-by-one at the length limit, or a negative room for the folder, would garble menu paths.
    void shortenPathForMenu()
    {
        QFETCH(QString, path);
        QFETCH(QString, shortened);
        const QString result = ShortenPathForMenu(path, 50);
        QCOMPARE(result, shortened);
        if (result != path && !result.startsWith("/.../"))
            QCOMPARE(result.size(), 50);
    }

    void makeRelativeLink_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("link");
        QTest::newRow("same folder") << "/site/index.html" << "/site/a.png" << "./a.png";
        QTest::newRow("subfolders") << "/site/index.html" << "/site/img/small/a.png" << "./img/small/a.png";
        QTest::newRow("sibling folder") << "/site/pages/index.html" << "/site/img/a.png" << "../img/a.png";
        QTest::newRow("three up") << "/a/b/c/index.html" << "/x/y.png" << "../../../x/y.png";
        // Folder names are compared whole: "site" is not a prefix match of "sitemap".
        QTest::newRow("common prefix") << "/site/index.html" << "/sitemap/a.png" << "../sitemap/a.png";
        // Components are compared without regard to case; the target's spelling is kept.
        QTest::newRow("case ignored") << "/Site/Index.html" << "/site/IMG/A.png" << "./IMG/A.png";
    }

    // A wrong count of "../" or a prefix match of folder names would make a broken link.
    void makeRelativeLink()
    {
        QFETCH(QString, document);
        QFETCH(QString, target);
        QFETCH(QString, link);
        QCOMPARE(MakeRelativeLink(document, target), link);
    }

    void imageSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // null: no file
        QTest::addColumn<QSize>("size");
        QTest::newRow("bmp low 16 bits") << "big.bmp" << bmpFile(0x12345, 70000) << QSize(0x2345, 70000 - 65536);
        QTest::newRow("bmp 24 bytes") << "short.bmp" << bmpFile(7, 9).left(24) << QSize(7, 9);
        QTest::newRow("bmp truncated") << "cut.bmp" << bmpFile(7, 9).left(23) << QSize(0, 0);
        QTest::newRow("gif 10 bytes") << "short.gif" << gifFile(320, 200).left(10) << QSize(320, 200);
        QTest::newRow("gif truncated") << "cut.gif" << gifFile(320, 200).left(9) << QSize(0, 0);
        QTest::newRow("png width 70000") << "wide.png" << pngFile(70000, 10) << QSize(70000 - 65536, 10);
        QTest::newRow("png truncated") << "cut.png" << pngFile(800, 600).left(23) << QSize(0, 0);

        const QByteArray soi = bytes({0xFF, 0xD8});
        const QByteArray app0 = soi + jpegSegment(0xE0, QByteArray("JFIF", 5) + bytes({1, 1, 0, 0, 1, 0, 1, 0}));
        const QByteArray dqt = jpegSegment(0xDB, bytes({0}) + QByteArray(64, char(1)));
        const QByteArray sos = jpegSegment(0xDA, bytes({1, 1, 0, 0, 63, 0}));
        // Huffman tables (0xC4) lie among the frame types but are not frames; read as one,
        // this segment would give 0x0101 by 0x0202.
        const QByteArray dht = jpegSegment(0xC4, bytes({0, 0, 2, 2, 1, 1}) + QByteArray(12, char(0)));
        QTest::newRow("jpeg progressive") << "prog.jpeg" << app0 + dqt + dqt + sof(0xC2, 45, 67) << QSize(45, 67);
        QTest::newRow("jpeg upper-case JPEG") << "PHOTO.JPEG" << app0 + sof(0xC1, 5, 6) << QSize(5, 6);
        QTest::newRow("jpeg DHT before SOF0") << "dht.jpg" << app0 + dht + sof(0xC0, 640, 480) << QSize(640, 480);
        QTest::newRow("jpeg scan before frame") << "scan.jpg" << app0 + dqt + sos + sof(0xC0, 1, 1) << QSize(0, 0);
        QTest::newRow("jpeg EXIF first")
            << "exif.jpg" << soi + jpegSegment(0xE1, QByteArray("Exif\0\0", 6) + QByteArray(20, 0))
                   + sof(0xC0, 64, 48)
            << QSize(0, 0);
        // The walk needs nine bytes of the frame segment: exactly nine are enough, eight are not.
        const QByteArray nine = app0 + dqt + sof(0xC0, 222, 111).left(9);
        QTest::newRow("jpeg frame of nine bytes") << "nine.jpg" << nine << QSize(222, 111);
        QTest::newRow("jpeg truncated in frame") << "cut.jpg" << nine.chopped(1) << QSize(0, 0);
        QTest::newRow("jpeg truncated in segments") << "cut2.jpg" << (app0 + dqt).left(30) << QSize(0, 0);
        QTest::newRow("jpeg only header") << "head.jpg" << app0 << QSize(0, 0);

        QTest::newRow("unknown extension") << "pic.txt" << pngFile(800, 600) << QSize(0, 0);
        QTest::newRow("dot only in folder") << "pics.png/picture" << pngFile(800, 600) << QSize(0, 0);
        QTest::newRow("missing file") << "missing.png" << QByteArray() << QSize(0, 0);
    }

    // Reading past a short file, mistaking a segment for a frame, or trusting an unknown
    // extension would give a wrong picture size.
    void imageSize()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QSize, size);
        const QString path = m_dir.filePath(name);
        QVERIFY(content.isNull() ? QDir().mkpath(QFileInfo(path).path()) : WriteBytes(path, content));
        QCOMPARE(GetImageSize(path), QRect(QPoint(0, 0), QPoint(size.width(), size.height())));
    }

    // Re-adding a listed path must not duplicate or move it; paths differing in case are two;
    // the eleventh drops the oldest; only the array passed changes.
    void recentFilesOrder()
    {
        RecentFileSlots list;
        for (const char *path : {"/a.html", "/b.html", "/c.html", "/a.html", "/B.html"})
            AddToRecentFiles(path, list);
        QCOMPARE(filled(list), QStringList({"/B.html", "/c.html", "/b.html", "/a.html"}));
        QVERIFY(filled(RecentFiles).isEmpty());
        QVERIFY(!IsInRecentFiles(QString(), list));  // an empty slot is not a path

        for (int i = 1; i <= 11; ++i)
            AddToRecentFiles(QString("/f%1.html").arg(i), list);
        QCOMPARE(filled(list).first(), QStringLiteral("/f11.html"));
        QCOMPARE(filled(list).last(), QStringLiteral("/f2.html"));
    }

    // A rename must replace exactly the matching entry in place, never fill an empty slot.
    void recentFilesRename()
    {
        for (const char *path : {"/a.html", "/b.html", "/c.html"})
            AddToRecentFiles(path, RecentFiles);
        QVERIFY(RenameInRecentFiles("/b.html", "/renamed.html"));
        QVERIFY(!RenameInRecentFiles("/A.html", "/other.html"));
        QVERIFY(!RenameInRecentFiles(QString(), "/other.html"));
        QCOMPARE(filled(RecentFiles), QStringList({"/c.html", "/renamed.html", "/a.html"}));
    }
};

QTEST_GUILESS_MAIN(TestUtil)
#include "tst_util.moc"
