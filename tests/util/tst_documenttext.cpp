// Document text: encoding detection and conversion, loading and saving, the
// charset list and declarations, new-document templates, highlighter choice.
#include "core/DocumentText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace DocumentText;

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Accents, euro sign, CJK and an emoji (a surrogate pair).
const QString Mixed = QString::fromUtf8("D\xC3\xA9j\xC3\xA0 vu \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC "
                                        "\xF0\x9F\x98\x80");
} // namespace

Q_DECLARE_METATYPE(DocumentText::HighlighterKind)

class TestDocumentText : public QObject {
    Q_OBJECT

private slots:
    // Catches a wrong or missing byte-order mark, a wrong byte order, or line
    // breaks rewritten on the way to disk and back.
    void roundTrip_data();
    void roundTrip();
    // Catches the exact bytes written for each encoding name.
    void encodedBytes_data();
    void encodedBytes();
    // Catches ANSI losing what Windows-1252 holds or writing more than one "?".
    void ansiRoundTrip();
    // Catches a U+FEFF at the start of the text being eaten as a second mark.
    void leadingZeroWidthSpaceKept();
    void detection_data();
    void detection();
    // Catches a cut-off UTF-16 or UTF-8 tail vanishing silently.
    void truncatedTailShows();
    // Catches a failed save reported as success or damaging what was there.
    void failedSave_data();
    void failedSave();
    void saveReplacesExistingFile();
    void loadFailure_data();
    void loadFailure();
    // Catches slow or crashing detection and decoding of large binary files.
    void largeBinaryBuffer();

    void charsetList();
    void charsetShown_data();
    void charsetShown();
    void charsetRewrite_data();
    void charsetRewrite();

    void templates();
    void highlighter_data();
    void highlighter();
    void sameFile();
};

void TestDocumentText::roundTrip_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("lineBreak");
    QTest::addColumn<QByteArray>("mark");
    const struct {
        const char *name;
        QString encoding;
        QByteArray mark;
    } encodings[] = {
        {"UTF8", Utf8, QByteArray()},
        {"UTF8Bom", Utf8Bom, bytes({0xEF, 0xBB, 0xBF})},
        {"LittleEndian", LittleEndian, bytes({0xFF, 0xFE})},
        {"BigEndian", BigEndian, bytes({0xFE, 0xFF})},
    };
    for (const auto &e : encodings) {
        QTest::addRow("%s LF", e.name) << e.encoding << "\n" << e.mark;
        QTest::addRow("%s CRLF", e.name) << e.encoding << "\r\n" << e.mark;
    }
}

void TestDocumentText::roundTrip()
{
    QFETCH(QString, encoding);
    QFETCH(QString, lineBreak);
    QFETCH(QByteArray, mark);
    const QString text = Mixed + lineBreak + "<p>second</p>" + lineBreak + lineBreak + Mixed + lineBreak;

    QTemporaryDir dir;
    const QString path = dir.filePath("doc.html");
    QString error;
    QVERIFY2(SaveFileAsType(path, text, encoding, &error), qPrintable(error));

    const QByteArray onDisk = readAll(path);
    QCOMPARE(onDisk.left(mark.size()), mark);
    if (mark.isEmpty())
        QVERIFY(onDisk.startsWith("D\xC3\xA9"));
    QCOMPARE(onDisk.count(QByteArray("\r")), lineBreak == "\r\n" ? 4 : 0);

    QString loaded, detected;
    QVERIFY2(LoadDocument(path, &loaded, &detected, &error), qPrintable(error));
    QCOMPARE(detected, encoding);
    QCOMPARE(loaded, text);
}

void TestDocumentText::encodedBytes_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QByteArray>("expected");
    // "é€" and a line break.
    QTest::newRow("Ansi") << Ansi << bytes({0xE9, 0x80, 0x0D, 0x0A});
    QTest::newRow("UTF8") << Utf8 << bytes({0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0x0D, 0x0A});
    QTest::newRow("UTF8Bom") << Utf8Bom
                             << bytes({0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0x0D, 0x0A});
    QTest::newRow("LittleEndian") << LittleEndian
                                  << bytes({0xFF, 0xFE, 0xE9, 0x00, 0xAC, 0x20, 0x0D, 0x00, 0x0A, 0x00});
    QTest::newRow("BigEndian") << BigEndian
                               << bytes({0xFE, 0xFF, 0x00, 0xE9, 0x20, 0xAC, 0x00, 0x0D, 0x00, 0x0A});
}

void TestDocumentText::encodedBytes()
{
    QFETCH(QString, encoding);
    QFETCH(QByteArray, expected);
    QByteArray out;
    QVERIFY(EncodeText(QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\r\n"), encoding, &out));
    QCOMPARE(out, expected);
    QCOMPARE(DetectEncoding(out), encoding);
    QCOMPARE(DecodeText(out, encoding), QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\r\n"));
}

void TestDocumentText::ansiRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("latin.txt");
    const QString held = QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC 5 \xE2\x80\x94 \xC5\x93uvre "
                                           "\xE2\x80\x9Cna\xC3\xAFve\xE2\x80\x9D \xC3\x9F\r\nfin\n");
    QString error, loaded, detected;
    QVERIFY2(SaveFileAsType(path, held, Ansi, &error), qPrintable(error));
    QCOMPARE(readAll(path).size(), held.size());
    QVERIFY(LoadDocument(path, &loaded, &detected, &error));
    QCOMPARE(detected, Ansi);
    QCOMPARE(loaded, held);

    // CJK characters and the emoji each become one "?".
    QVERIFY(SaveFileAsType(path, Mixed, Ansi, &error));
    QCOMPARE(readAll(path), QByteArray("D\xE9j\xE0 vu \x80 ?? ?"));

    // Every byte survives an ANSI open and save, the five undefined ones included.
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    QByteArray again;
    QVERIFY(EncodeText(DecodeText(all, Ansi), Ansi, &again));
    QCOMPARE(again, all);
}

void TestDocumentText::leadingZeroWidthSpaceKept()
{
    const QString text = QString(QChar(0xFEFF)) + "x";
    for (const QString &encoding : {Utf8Bom, LittleEndian, BigEndian}) {
        QByteArray out;
        QVERIFY(EncodeText(text, encoding, &out));
        QCOMPARE(DecodeText(out, DetectEncoding(out)), text);
    }
}

void TestDocumentText::detection_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");
    const QByteArray ascii(40, 'a');

    QTest::newRow("empty") << QByteArray() << Ansi;
    QTest::newRow("pure ASCII") << QByteArray("<p>Hello</p>\r\n") << Ansi;
    QTest::newRow("one ANSI byte") << bytes({0xE9}) << Ansi;
    QTest::newRow("UTF-8 mark") << bytes({0xEF, 0xBB, 0xBF, 'a'}) << Utf8Bom;
    QTest::newRow("UTF-8 mark then invalid") << bytes({0xEF, 0xBB, 0xBF, 0xFF}) << Utf8Bom;
    QTest::newRow("C3 A9 then invalid later") << ascii + bytes({0xC3, 0xA9, 'x', 0xE9, 0xFF}) << Utf8;
    QTest::newRow("C3 A9 at the end") << ascii + bytes({0xC3, 0xA9}) << Utf8;
    QTest::newRow("FF FE") << bytes({0xFF, 0xFE, '<', 0}) << LittleEndian;
    QTest::newRow("FE FF") << bytes({0xFE, 0xFF, 0, '<'}) << BigEndian;
    QTest::newRow("FF FE not at start") << QByteArray("ab") + bytes({0xFF, 0xFE}) << Ansi;

    // The first non-ASCII byte must start a well-formed sequence.
    QTest::newRow("continuation first") << ascii + bytes({0x80, 0x80}) << Ansi;
    QTest::newRow("C0 over-long") << ascii + bytes({0xC0, 0xAF}) << Ansi;
    QTest::newRow("C1 over-long") << ascii + bytes({0xC1, 0xBF}) << Ansi;
    QTest::newRow("C2 80 lowest two-byte") << ascii + bytes({0xC2, 0x80}) << Utf8;
    QTest::newRow("lead without continuation") << ascii + bytes({0xC3, 'a'}) << Ansi;
    QTest::newRow("extra continuation") << ascii + bytes({0xC3, 0xA9, 0xA9}) << Ansi;
    QTest::newRow("E0 80 over-long") << ascii + bytes({0xE0, 0x80, 0x80}) << Ansi;
    QTest::newRow("E0 9F over-long") << ascii + bytes({0xE0, 0x9F, 0xBF}) << Ansi;
    QTest::newRow("E0 A0 80") << ascii + bytes({0xE0, 0xA0, 0x80}) << Utf8;
    QTest::newRow("ED 9F BF before surrogates") << ascii + bytes({0xED, 0x9F, 0xBF}) << Utf8;
    QTest::newRow("ED A0 80 surrogate") << ascii + bytes({0xED, 0xA0, 0x80}) << Ansi;
    QTest::newRow("EE 80 80 private use") << ascii + bytes({0xEE, 0x80, 0x80}) << Utf8;
    QTest::newRow("three-byte cut short") << ascii + bytes({0xE2, 0x82, 'a'}) << Ansi;
    QTest::newRow("F0 80 over-long") << ascii + bytes({0xF0, 0x80, 0x80, 0x80}) << Ansi;
    QTest::newRow("F0 8F over-long") << ascii + bytes({0xF0, 0x8F, 0xBF, 0xBF}) << Ansi;
    QTest::newRow("F0 90 80 80") << ascii + bytes({0xF0, 0x90, 0x80, 0x80}) << Utf8;
    QTest::newRow("emoji") << ascii + bytes({0xF0, 0x9F, 0x98, 0x80}) << Utf8;
    QTest::newRow("F4 8F BF BF highest") << ascii + bytes({0xF4, 0x8F, 0xBF, 0xBF}) << Utf8;
    QTest::newRow("F4 90 beyond U+10FFFF") << ascii + bytes({0xF4, 0x90, 0x80, 0x80}) << Ansi;
    QTest::newRow("F5 lead") << ascii + bytes({0xF5, 0x80, 0x80, 0x80}) << Ansi;
    QTest::newRow("FF lead") << ascii + bytes({0xFF, 0x80}) << Ansi;
    QTest::newRow("four-byte with five continuations")
        << ascii + bytes({0xF0, 0x90, 0x80, 0x80, 0x80}) << Ansi;
    QTest::newRow("file ends inside a sequence") << ascii + bytes({0xF0, 0x9F, 0x98}) << Ansi;

    // Only the first 16384 bytes are searched for the deciding byte; a
    // character that starts inside them is read to its end.
    const QByteArray window(Utf8TestWindow - 1, 'a');
    QTest::newRow("split by the window edge") << window + bytes({0xC3, 0xA9}) << Utf8;
    QTest::newRow("four bytes split by the window edge")
        << QByteArray(Utf8TestWindow - 2, 'a') + bytes({0xF0, 0x9F, 0x98, 0x80}) << Utf8;
    QTest::newRow("last in window, file ends") << window + bytes({0xC3}) << Ansi;
    QTest::newRow("first non-ASCII after the window") << window + "a" + bytes({0xC3, 0xA9}) << Ansi;
}

void TestDocumentText::detection()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    QCOMPARE(DetectEncoding(data), expected);
}

void TestDocumentText::truncatedTailShows()
{
    const QChar replacement(0xFFFD);
    QCOMPARE(DecodeText(bytes({0xFF, 0xFE, 'a', 0, 'b'}), LittleEndian), QString("a") + replacement);
    QCOMPARE(DecodeText(bytes({0xFE, 0xFF, 0, 'a', 0}), BigEndian), QString("a") + replacement);
    const QString cut = DecodeText(QByteArray("a\xC3\xA9\xE2\x82", 5), Utf8);
    QVERIFY(cut.startsWith(QString::fromUtf8("a\xC3\xA9")));
    QVERIFY(cut.endsWith(replacement));
    QCOMPARE(DecodeText(bytes({0xFF, 0xFE}), LittleEndian), QString());
}

void TestDocumentText::failedSave_data()
{
    QTest::addColumn<QString>("target");      // below the temporary folder
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("untouched");   // a file that must keep its content
    QTest::newRow("folder missing") << "gone/page.html" << Utf8 << "existing.html";
    QTest::newRow("parent is a regular file") << "existing.html/page.html" << Utf8 << "existing.html";
    QTest::newRow("target is a folder") << "folder" << Utf8Bom << "existing.html";
    QTest::newRow("unknown encoding") << "existing.html" << "Latin1" << "existing.html";
}

void TestDocumentText::failedSave()
{
    QFETCH(QString, target);
    QFETCH(QString, encoding);
    QFETCH(QString, untouched);
    QTemporaryDir dir;
    const QByteArray before("<p>keep me</p>\r\n");
    QVERIFY(writeAll(dir.filePath(untouched), before));
    QVERIFY(QDir(dir.path()).mkdir("folder"));

    const QString path = dir.filePath(target);
    QString error;
    QVERIFY(!SaveFileAsType(path, "new text", encoding, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(readAll(dir.filePath(untouched)), before);
    QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
    // No stray temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"existing.html"});
}

void TestDocumentText::saveReplacesExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("page.css");
    QVERIFY(writeAll(path, QByteArray(5000, 'x')));
    QString error;
    QVERIFY2(SaveFileAsType(path, "@charset \"utf-8\";\n", Utf8, &error), qPrintable(error));
    QCOMPARE(readAll(path), QByteArray("@charset \"utf-8\";\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.css"});
}

void TestDocumentText::loadFailure_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing file") << "nothing.html";
    QTest::newRow("folder") << "folder";
}

void TestDocumentText::loadFailure()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QString text = "unchanged", encoding = "UTF8", error;
    QVERIFY(!LoadDocument(dir.filePath(target), &text, &encoding, &error));
    QVERIFY2(error.contains(dir.filePath(target)), qPrintable(error));
    QCOMPARE(text, QString("unchanged"));
}

void TestDocumentText::largeBinaryBuffer()
{
    const int size = 20 * 1024 * 1024;
    QByteArray binary(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        binary[i] = char((i * 131 + (i >> 9)) & 0xFF);  // NULs and high bytes throughout
    QCOMPARE(DetectEncoding(binary), Ansi);
    const QString text = DecodeText(binary, Ansi);
    QCOMPARE(text.size(), size);
    QByteArray back;
    QVERIFY(EncodeText(text, Ansi, &back));
    QVERIFY(back == binary);

    // The same bytes behind a UTF-16 mark: odd pairs and lone surrogates included.
    binary[0] = char(0xFF);
    binary[1] = char(0xFE);
    QCOMPARE(DetectEncoding(binary), LittleEndian);
    QCOMPARE(DecodeText(binary, LittleEndian).size(), (size - 2) / 2);

    // Invalid UTF-8 everywhere after a valid start.
    binary[0] = char(0xC3);
    binary[1] = char(0xA9);
    binary[2] = 'a';
    QCOMPARE(DetectEncoding(binary), Utf8);
    QVERIFY(!DecodeText(binary, Utf8).isEmpty());
}

void TestDocumentText::charsetList()
{
    const QStringList &items = CBCharsetItems();
    QCOMPARE(items.size(), 81);
    QCOMPARE(items.at(DefaultCharsetIndex), QString("utf-8"));
    QCOMPARE(items.first(), QString("----- Unicode -----"));
    QCOMPARE(items.at(30), QString("----- Chinese Traditional"));
    QCOMPARE(items.at(58), QString("ks_c_5601-1987"));
    QCOMPARE(items.last(), QString("isiri-3342"));
    QCOMPARE(QStringList(items).removeDuplicates(), 0);
}

void TestDocumentText::charsetShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");  // empty: the list is left as it was
    const QString filler = QString("<!-- line -->\n").repeated(101);

    QTest::newRow("HTML5 template") << NewDocTemplate(NewDocKind::Html5, "en") << "utf-8";
    QTest::newRow("upper-case http-equiv")
        << "<HEAD>\r\n  <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">\r\n"
        << "iso-8859-1";
    QTest::newRow("quoted charset") << "\t<meta charset=\"Windows-1252\" />" << "windows-1252";
    QTest::newRow("xml declaration") << "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a/>"
                                     << "shift_jis";
    QTest::newRow("meta wins over later xml")
        << "<meta charset=\"koi8-r\">\n<?xml version=\"1.0\" encoding=\"utf-8\"?>" << "koi8-r";
    QTest::newRow("first value decides, even unknown")
        << "<meta charset=\"x-unknown\">\n<meta charset=\"utf-8\">" << "";
    QTest::newRow("no declaration") << "<html><body>charset=\"utf-8\"</body></html>" << "";
    QTest::newRow("css rule not examined") << NewDocTemplate(NewDocKind::Css, "en") << "";
    QTest::newRow("group header not matched") << "<meta charset=\"----- unicode -----\">" << "";
    QTest::newRow("line index 101") << filler + "<meta charset=\"big5\">" << "big5";
    QTest::newRow("line index 102") << filler + "\n<meta charset=\"big5\">" << "";
    QTest::newRow("CR-only breaks") << "<head>\r<meta charset=\"euc-kr\">\r</head>" << "euc-kr";
}

void TestDocumentText::charsetShown()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const int index = SetCBCharset(text);
    if (expected.isEmpty())
        QCOMPARE(index, NoCharsetChange);
    else
        QCOMPARE(index, int(CBCharsetItems().indexOf(expected)));
}

void TestDocumentText::charsetRewrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("charset");
    QTest::addColumn<QString>("expected");  // empty: nothing is changed
    const QString filler = QString("<!-- Line -->\n").repeated(101);

    QTest::newRow("http-equiv example")
        << "<HTML>\n<HEAD>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
           "<TITLE>Mon Titre</TITLE>\n</HEAD>\n<BODY>Ok</BODY>\n</HTML>\n"
        << "iso-8859-1"
        << "<HTML>\n<HEAD>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\n"
           "<TITLE>Mon Titre</TITLE>\n</HEAD>\n<BODY>Ok</BODY>\n</HTML>\n";
    QTest::newRow("no declaration")
        << "<html>\n<head>\n<title>No charset</title>\n</head>\n<body></body>\n</html>" << "utf-8" << "";
    QTest::newRow("HTML5 meta, CR LF kept")
        << "<head>\r\n  <Meta Charset=\"UTF-8\">\r\n  <title>A</title>\r\n</head>\r\n"
        << "windows-1252"
        << "<head>\r\n  <meta charset=\"windows-1252\">\r\n  <title>A</title>\r\n</head>\r\n";
    QTest::newRow("group header written unchanged")
        << "<meta charset=\"utf-8\">" << "----- Unicode -----" << "<meta charset=\"----- Unicode -----\">";
    QTest::newRow("one-line page keeps its case")
        << "<HTML><HEAD><META CHARSET=\"UTF-8\"><TITLE>Hello World</TITLE></HEAD><BODY>Ça Va</BODY></HTML>"
        << "latin1"
        << "<HTML><HEAD><meta charset=\"latin1\"><TITLE>Hello World</TITLE></HEAD><BODY>Ça Va</BODY></HTML>";
    QTest::newRow("CR-only breaks")
        << "<head>\r<META charset=\"UTF-8\">\r<Title>Keep</Title>\r</head>" << "big5"
        << "<head>\r<meta charset=\"big5\">\r<Title>Keep</Title>\r</head>";
    QTest::newRow("css rule")
        << "@charset \"UTF-8\";\n.Menu { color: Red }\n@charset \"UTF-8\";" << "windows-1252"
        << "@charset \"windows-1252\";\n.Menu { color: Red }\n@charset \"UTF-8\";";
    QTest::newRow("minified css keeps its case")
        << "@CHARSET \"UTF-8\";.Menu{background:url(Img.PNG)}" << "latin1"
        << "@charset \"latin1\";.Menu{background:url(Img.PNG)}";
    QTest::newRow("xml declaration")
        << "<?XML Version=\"1.0\" Encoding=\"UTF-8\"?>\n<Root Attr=\"A\"/>" << "iso-8859-15"
        << "<?xml version=\"1.0\" encoding=\"iso-8859-15\"?>\n<Root Attr=\"A\"/>";
    QTest::newRow("after </head> not visited")
        << "<head>\n</head>\n<meta charset=\"utf-8\">" << "big5" << "";
    QTest::newRow("both metas of the head")
        << "<meta charset=\"utf-8\">\n<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">\n"
           "</head>"
        << "koi8-r"
        << "<meta charset=\"koi8-r\">\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">\n"
           "</head>";
    QTest::newRow("line index 101") << filler + "<meta charset=\"utf-8\">" << "big5"
                                    << filler + "<meta charset=\"big5\">";
    QTest::newRow("line index 102") << filler + "\n<meta charset=\"utf-8\">" << "big5" << "";
    QTest::newRow("unquoted value not stretched to the next quote")
        << "<meta charset=utf-8><meta name=\"Author\">" << "big5" << "";
    QTest::newRow("unclosed value not stretched into the next tag")
        << "<meta charset=\"utf-8><link rel=\"Stylesheet\">" << "big5" << "";
}

void TestDocumentText::charsetRewrite()
{
    QFETCH(QString, text);
    QFETCH(QString, charset);
    QFETCH(QString, expected);
    QString result = "untouched";
    const bool changed = ReplaceCharsetInDocument(text, charset, &result);
    if (expected.isEmpty()) {
        QVERIFY(!changed);
        QCOMPARE(result, QString("untouched"));
    } else {
        QVERIFY(changed);
        QCOMPARE(result, expected);
    }
}

void TestDocumentText::templates()
{
    const QString html5 = NewDocTemplate(NewDocKind::Html5, "FR");
    const QStringList lines = html5.split('\n');
    QCOMPARE(lines.size(), 16);
    QCOMPARE(lines.at(0), QString("<!doctype html>"));
    QCOMPARE(lines.at(1), QString("<html lang=\"fr\">"));
    QCOMPARE(lines.at(4), QString("  <meta charset=\"utf-8\">"));
    QCOMPARE(lines.at(8), QString("  <meta name=\"generator\" content=\"VelKandrix\">"));
    QCOMPARE(lines.at(15), QString("</html>"));
    QVERIFY(NewDocTemplate(NewDocKind::Html5, "de").contains("<html lang=\"de\">"));

    const QStringList html4 = NewDocTemplate(NewDocKind::Html4Strict, "FR").split('\n');
    QCOMPARE(html4.size(), 16);
    QCOMPARE(html4.at(0), QString("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\""));
    QCOMPARE(html4.at(1), QString("   \"http://www.w3.org/TR/html4/strict.dtd\">"));
    QCOMPARE(html4.at(5), QString("  <meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\">"));
    QVERIFY(!html4.contains("<html>"));

    QCOMPARE(NewDocTemplate(NewDocKind::Php, "en"), QString("<?php\n\n?>"));
    QCOMPARE(NewDocTemplate(NewDocKind::Css, "en"), QString("@charset \"utf-8\";"));
    QCOMPARE(NewDocTemplate(NewDocKind::Txt, "en"), QString());
    QCOMPARE(UntitledCaption("Untitled", 1, NewDocKind::Html5), QString("Untitled1.html"));
    QCOMPARE(UntitledCaption("Sans titre ", 12, NewDocKind::Css), QString("Sans titre 12.css"));
    QCOMPARE(NewDocExtension(NewDocKind::Html4Strict), QString("html"));
    QCOMPARE(NewDocExtension(NewDocKind::Php), QString("php"));
    QCOMPARE(NewDocExtension(NewDocKind::Txt), QString("txt"));
    for (NewDocKind kind : {NewDocKind::Html5, NewDocKind::Html4Strict, NewDocKind::Php}) {
        const QString text = NewDocTemplate(kind, "en");
        QVERIFY(!text.contains('\r'));
        QVERIFY(!text.endsWith('\n'));
    }
}

void TestDocumentText::highlighter_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<HighlighterKind>("expected");
    QTest::newRow("css") << "/w/site/style.css" << HighlighterKind::Css;
    QTest::newRow("CSS upper case") << "/w/STYLE.CSS" << HighlighterKind::Css;
    QTest::newRow("js") << "/w/app.Js" << HighlighterKind::JScript;
    QTest::newRow("xml") << "/w/feed.xml" << HighlighterKind::Xml;
    QTest::newRow("bat") << "/w/run.BAT" << HighlighterKind::Bat;
    QTest::newRow("cpp") << "/w/main.cpp" << HighlighterKind::Cpp;
    QTest::newRow("pas") << "/w/unit1.pas" << HighlighterKind::Pas;
    QTest::newRow("asm") << "/w/boot.asm" << HighlighterKind::Asm;
    QTest::newRow("sql") << "/w/dump.2024.sql" << HighlighterKind::Sql;
    QTest::newRow("html") << "/w/index.html" << HighlighterKind::Multi;
    QTest::newRow("php") << "/w/index.php" << HighlighterKind::Multi;
    QTest::newRow("no extension") << "/w/README" << HighlighterKind::Multi;
    QTest::newRow("dot in a folder name") << "/w/theme.css/README" << HighlighterKind::Multi;
    QTest::newRow("last extension decides") << "/w/style.css.bak" << HighlighterKind::Multi;
    QTest::newRow("longer extension") << "/w/style.scss" << HighlighterKind::Multi;
    QTest::newRow("untitled caption") << "Untitled1.css" << HighlighterKind::Css;
}

void TestDocumentText::highlighter()
{
    QFETCH(QString, path);
    QFETCH(HighlighterKind, expected);
    QCOMPARE(GetHighlihter(path), expected);
}

void TestDocumentText::sameFile()
{
    const QStringList open = {"/w/a.html", "", "/w/B.css"};
    QCOMPARE(IndexOfSameFile(open, "/w/B.css"), 2);
    QVERIFY(IsSameFile(open, "/w/a.html"));
    QVERIFY(!IsSameFile(open, "/w/A.html"));   // case counts
    QVERIFY(!IsSameFile(open, "/w//a.html"));  // exact text, not the same file on disk
    QVERIFY(!IsSameFile(open, ""));            // untitled documents never match
    QVERIFY(!IsSameFile({}, "/w/a.html"));
}

QTEST_GUILESS_MAIN(TestDocumentText)
#include "tst_documenttext.moc"
