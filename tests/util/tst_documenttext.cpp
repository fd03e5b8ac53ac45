// Document text: encoding detection and conversion, loading and saving, the
// charset list and declarations, new-document templates, highlighter choice.
#include "TestSupport.h"
#include "util/DocumentStream.h"
#include "util/DocumentText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace DocumentText;

namespace {

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
const QString Mixed = QString::fromUtf8("D\xC3\xA9j\xC3\xA0 vu \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80");
} // namespace

Q_DECLARE_METATYPE(DocumentText::HighlighterKind)

class TestDocumentText : public QObject {
    Q_OBJECT

private slots:
    // Catches a surrogate pair, a UTF-8 character or a CR LF split where a file is read or
    // written in pieces, detection that judges only the first piece, a file re-read as ANSI
    // keeping the first reading or counting its bytes twice against the size limit, and
    // bytes that did not decode going unreported.
    void piecesKeepTheText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<bool>("lossless");
        for (const QString &encoding : EncodingNames()) {
            const QString unit = encoding == Ansi ? QString::fromUtf8("\xc3\xa9\r\nb\xe2\x82\xac")
                                                  : QString::fromUtf8("\xc3\xa9\r\nb\xf0\x9f\x98\x80\xe2\x82\xac");
            QByteArray content;
            QVERIFY(EncodeText(unit.repeated(12), encoding, &content));
            QTest::newRow(qPrintable(encoding)) << content << encoding << true;
        }
        QTest::newRow("UTF-8, then a stray byte") << "caf\xC3\xA9 " + QByteArray(30, 'a') + "\xE9t\n" << Ansi << true;
        QTest::newRow("UTF-8 mark, invalid byte") << QByteArray("\xEF\xBB\xBF" "abc\xFF" "def\n") << Utf8Bom << false;
        QTest::newRow("UTF-16 lone surrogate")
            << bytes({0xFF, 0xFE, 'a', 0, 'b', 0, 0, 0xD8, 'c', 0, '\n', 0}) << LittleEndian << false;
        QTest::newRow("UTF-16 odd last byte") << bytes({0xFE, 0xFF, 0, 'a', 0, 'b', 0}) << BigEndian << false;
    }

    void piecesKeepTheText()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, encoding);
        QFETCH(bool, lossless);
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.html");
        QVERIFY(writeAll(path, content));
        struct Collect : Utf8Sink {
            QByteArray bytes;
            void append(const char *data, qsizetype size) override { bytes.append(data, size); }
            void clear() override { bytes.clear(); }
        };
        // Every piece size meets every character at some boundary.
        for (int piece = 4; piece <= content.size(); ++piece) {
            Collect collect;
            DocumentReader reader;
            reader.setPieceSize(piece);
            QCOMPARE(reader.open(path, content.size()), DocumentReader::Problem::None);
            QCOMPARE(reader.read(collect), DocumentReader::Problem::None);
            QCOMPARE(reader.encoding(), encoding);
            QCOMPARE(collect.bytes, DecodeText(content, encoding).toUtf8());
            QCOMPARE(reader.lossless(), lossless);
            if (!lossless)
                continue;
            QByteArray written;
            QVERIFY(EncodeUtf8(collect.bytes, encoding, [&](const char *data, qsizetype size) {
                written.append(data, size);
                return true;
            }, piece));
            QCOMPARE(written, content);
        }
    }

    // The exact bytes of "é€" and a line break in each encoding.
    void encodedBytes_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Ansi") << Ansi << bytes({0xE9, 0x80, 0x0D, 0x0A});
        QTest::newRow("UTF8") << Utf8 << bytes({0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0x0D, 0x0A});
        QTest::newRow("UTF8Bom") << Utf8Bom << bytes({0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0x0D, 0x0A});
        QTest::newRow("LittleEndian") << LittleEndian << bytes({0xFF, 0xFE, 0xE9, 0, 0xAC, 0x20, 0x0D, 0, 0x0A, 0});
        QTest::newRow("BigEndian") << BigEndian << bytes({0xFE, 0xFF, 0, 0xE9, 0x20, 0xAC, 0, 0x0D, 0, 0x0A});
    }

    void encodedBytes()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, expected);
        const QString text = QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\r\n");
        QByteArray out;
        QVERIFY(EncodeText(text, encoding, &out));
        QCOMPARE(out, expected);
        QCOMPARE(DetectEncoding(out), encoding);
        QCOMPARE(DecodeText(out, encoding), text);
    }

    // Catches ANSI losing what Windows-1252 holds or writing more than one "?".
    void ansiRoundTrip()
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
    }

    // Catches a U+FEFF in the text taken for a byte-order mark: dropped where it starts
    // the text or a piece, or written to ANSI as a NUL byte without the question.
    void zeroWidthNoBreakSpaceIsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("reread");
        const QString leading = QChar(0xFEFF) + QString("ab");
        QTest::newRow("ANSI, inside") << "a" + QString(QChar(0xFEFF)) + "b" << Ansi << QByteArray("a?b") << "a?b";
        QTest::newRow("ANSI, leading") << leading << Ansi << QByteArray("?ab") << "?ab";
        // Read back, the first mark is the file's.
        QTest::newRow("UTF-8") << leading << Utf8 << QByteArray("\xEF\xBB\xBF" "ab") << "ab";
        QTest::newRow("UTF-8 mark") << leading << Utf8Bom << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "ab") << leading;
        QTest::newRow("UTF-16 LE") << leading << LittleEndian << bytes({0xFF, 0xFE, 0xFF, 0xFE, 'a', 0, 'b', 0}) << leading;
        QTest::newRow("UTF-16 BE") << leading << BigEndian << bytes({0xFE, 0xFF, 0xFE, 0xFF, 0, 'a', 0, 'b'}) << leading;
    }

    void zeroWidthNoBreakSpaceIsText()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoding);
        QFETCH(QByteArray, expected);
        QFETCH(QString, reread);
        QVERIFY(!Utf8FitsInAnsi(text.toUtf8()));
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.html");
        QString error, loaded, detected;
        QVERIFY2(SaveFileAsType(path, text, encoding, &error), qPrintable(error));
        QCOMPARE(readAll(path), expected);
        QVERIFY(LoadDocument(path, &loaded, &detected, &error));
        QCOMPARE(loaded, reread);
    }

    // Catches the head of a page for its charset cut inside a character.
    void headEndsBetweenCharacters_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<qsizetype>("maxBytes");
        const QByteArray euros = QString(QChar(0x20AC)).repeated(30000).toUtf8();
        QTest::newRow("margin after the lines") << "a\n" + euros << qsizetype(euros.size());
        QTest::newRow("byte limit") << euros << qsizetype(1000);
    }

    void headEndsBetweenCharacters()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(qsizetype, maxBytes);
        const qsizetype length = HeadLength(utf8, 1, maxBytes);
        QVERIFY(length > 0 && length < utf8.size());
        bool lossless = false;
        Utf8Text(QByteArrayView(utf8).first(length), &lossless);
        QVERIFY(lossless);
    }

    void detection_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected");
        const QByteArray ascii(40, 'a');
        QTest::newRow("empty") << QByteArray() << Ansi;
        QTest::newRow("pure ASCII") << QByteArray("<p>Hello</p>\r\n") << Ansi;
        QTest::newRow("one ANSI byte") << bytes({0xE9}) << Ansi;
        QTest::newRow("UTF-8 mark") << bytes({0xEF, 0xBB, 0xBF, 'a'}) << Utf8Bom;
        QTest::newRow("UTF-8 mark then invalid") << bytes({0xEF, 0xBB, 0xBF, 0xFF}) << Utf8Bom;
        QTest::newRow("C3 A9 then invalid later") << ascii + bytes({0xC3, 0xA9, 'x', 0xE9, 0xFF}) << Ansi;
        QTest::newRow("C3 A9 at the end") << ascii + bytes({0xC3, 0xA9}) << Utf8;
        QTest::newRow("FF FE") << bytes({0xFF, 0xFE, '<', 0}) << LittleEndian;
        QTest::newRow("FE FF") << bytes({0xFE, 0xFF, 0, '<'}) << BigEndian;
        QTest::newRow("FF FE not at start") << QByteArray("ab") + bytes({0xFF, 0xFE}) << Ansi;

        // The first non-ASCII byte must start a well-formed sequence.
        const struct { const char *name; std::initializer_list<int> tail; bool utf8; } sequences[] = {
            {"continuation first", {0x80, 0x80}, false},
            {"C1 over-long", {0xC1, 0xBF}, false},
            {"C2 80 lowest two-byte", {0xC2, 0x80}, true},
            {"lead without continuation", {0xC3, 'a'}, false},
            {"extra continuation", {0xC3, 0xA9, 0xA9}, false},
            {"E0 9F over-long", {0xE0, 0x9F, 0xBF}, false},
            {"E0 A0 80", {0xE0, 0xA0, 0x80}, true},
            {"ED 9F BF before surrogates", {0xED, 0x9F, 0xBF}, true},
            {"ED A0 80 surrogate", {0xED, 0xA0, 0x80}, false},
            {"three-byte cut short", {0xE2, 0x82, 'a'}, false},
            {"F0 8F over-long", {0xF0, 0x8F, 0xBF, 0xBF}, false},
            {"F0 90 80 80", {0xF0, 0x90, 0x80, 0x80}, true},
            {"F4 8F BF BF highest", {0xF4, 0x8F, 0xBF, 0xBF}, true},
            {"F4 90 beyond U+10FFFF", {0xF4, 0x90, 0x80, 0x80}, false},
            {"F5 lead", {0xF5, 0x80, 0x80, 0x80}, false},
            {"file ends inside a sequence", {0xF0, 0x9F, 0x98}, false},
        };
        for (const auto &s : sequences)
            QTest::newRow(s.name) << ascii + bytes(s.tail) << (s.utf8 ? Utf8 : Ansi);

        // The whole file decides: a stray byte after valid UTF-8 would turn into
        // EF BF BD on an unedited save.
        const QByteArray far(20000, 'a');
        QTest::newRow("stray byte far after valid UTF-8") << bytes({0xC3, 0xA9}) + far + bytes({0xE9}) << Ansi;
        QTest::newRow("first non-ASCII far in") << far + bytes({0xC3, 0xA9}) << Utf8;
    }

    void detection()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        QCOMPARE(DetectEncoding(data), expected);
    }

    // Catches a cut-off UTF-16 or UTF-8 tail vanishing silently.
    void truncatedTailShows()
    {
        const QChar replacement(0xFFFD);
        QCOMPARE(DecodeText(bytes({0xFF, 0xFE, 'a', 0, 'b'}), LittleEndian), QString("a") + replacement);
        const QString cut = DecodeText(QByteArray("a\xC3\xA9\xE2\x82", 5), Utf8);
        QVERIFY(cut.startsWith(QString::fromUtf8("a\xC3\xA9")));
        QVERIFY(cut.endsWith(replacement));
        QCOMPARE(DecodeText(bytes({0xFF, 0xFE}), LittleEndian), QString());
        QCOMPARE(DecodeText(bytes({0xFE, 0xFF, 0}), BigEndian), QString(replacement));
    }

    // Catches a failed save reported as success or damaging what was there.
    void failedSave_data()
    {
        QTest::addColumn<QString>("target");  // below the temporary folder
        QTest::addColumn<QString>("encoding");
        QTest::newRow("folder missing") << "gone/page.html" << Utf8;
        QTest::newRow("parent is a regular file") << "existing.html/page.html" << Utf8;
        QTest::newRow("target is a folder") << "folder" << Utf8Bom;
        QTest::newRow("unknown encoding") << "existing.html" << "Latin1";
    }

    void failedSave()
    {
        QFETCH(QString, target);
        QFETCH(QString, encoding);
        QTemporaryDir dir;
        const QByteArray before("<p>keep me</p>\r\n");
        QVERIFY(writeAll(dir.filePath("existing.html"), before));
        QVERIFY(QDir(dir.path()).mkdir("folder"));

        const QString path = dir.filePath(target);
        QString error;
        QVERIFY(!SaveFileAsType(path, "new text", encoding, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QCOMPARE(readAll(dir.filePath("existing.html")), before);
        QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
        // No stray temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"existing.html"});
    }

    void saveReplacesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.css");
        QVERIFY(writeAll(path, QByteArray(5000, 'x')));
        QString error;
        QVERIFY2(SaveFileAsType(path, "@charset \"utf-8\";\n", Utf8, &error), qPrintable(error));
        QCOMPARE(readAll(path), QByteArray("@charset \"utf-8\";\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.css"});
    }

    void loadFailure()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        for (const QString &target : {dir.filePath("nothing.html"), dir.filePath("folder")}) {
            QString text = "unchanged", encoding = "UTF8", error;
            QVERIFY(!LoadDocument(target, &text, &encoding, &error));
            QVERIFY2(error.contains(target), qPrintable(error));
            QCOMPARE(text, QString("unchanged"));
        }
    }

    // Catches slow or crashing detection and decoding of large binary files.
    void largeBinaryBuffer()
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

        // Invalid UTF-8 everywhere after a valid start: ANSI, so the bytes come back unchanged.
        binary[0] = char(0xC3);
        binary[1] = char(0xA9);
        binary[2] = 'a';
        QCOMPARE(DetectEncoding(binary), Ansi);
    }

    void charsetShown_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");  // empty: the list is left as it was
        const QString filler = QString("<!-- line -->\n").repeated(101);
        QTest::newRow("HTML5 template") << NewDocTemplate(NewDocKind::Html5, "en") << "utf-8";
        QTest::newRow("upper-case http-equiv")
            << "<HEAD>\r\n  <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">\r\n"
            << "iso-8859-1";
        QTest::newRow("quoted charset") << "\t<meta charset=\"Windows-1252\" />" << "windows-1252";
        QTest::newRow("xml declaration") << "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a/>" << "shift_jis";
        QTest::newRow("meta wins over later xml")
            << "<meta charset=\"koi8-r\">\n<?xml version=\"1.0\" encoding=\"utf-8\"?>" << "koi8-r";
        QTest::newRow("first value decides, even unknown")
            << "<meta charset=\"x-unknown\">\n<meta charset=\"utf-8\">" << "";
        QTest::newRow("no declaration") << "<html><body>charset=\"utf-8\"</body></html>" << "";
        QTest::newRow("css rule") << NewDocTemplate(NewDocKind::Css, "en") << "utf-8";
        QTest::newRow("css rule of a style block") << "<head><style>\n  @charset \"Big5\";</style>" << "big5";
        QTest::newRow("words in text are no declaration")
            << "<p>Write charset=\"utf-8\" in your page</p>\n<meta charset=\"koi8-r\">" << "koi8-r";
        QTest::newRow("script charset is no declaration") << "<script charset=\"utf-8\" src=\"a.js\"></script>" << "";
        QTest::newRow("element attribute is no xml declaration") << "<a Encoding=\"utf-8\"/>" << "";
        QTest::newRow("commented meta") << "<!-- <meta charset=\"big5\"> -->" << "";
        QTest::newRow("content of another meta")
            << "<meta name=\"description\" content=\"charset=big5\">" << "";
        QTest::newRow("group header not matched") << "<meta charset=\"----- unicode -----\">" << "";
        QTest::newRow("line index 101") << filler + "<meta charset=\"big5\">" << "big5";
        QTest::newRow("line index 102") << filler + "\n<meta charset=\"big5\">" << "";
        QTest::newRow("CR-only breaks") << "<head>\r<meta charset=\"euc-kr\">\r</head>" << "euc-kr";
    }

    void charsetShown()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const int index = SetCBCharset(text);
        QCOMPARE(index, expected.isEmpty() ? NoCharsetChange : int(CBCharsetItems().indexOf(expected)));
    }

    void charsetRewrite_data()
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
            << "<head>\r\n  <Meta Charset=\"UTF-8\">\r\n  <title>A</title>\r\n</head>\r\n" << "windows-1252"
            << "<head>\r\n  <meta charset=\"windows-1252\">\r\n  <title>A</title>\r\n</head>\r\n";
        QTest::newRow("one-line page keeps its case")
            << "<HTML><HEAD><META CHARSET=\"UTF-8\"><TITLE>Hello World</TITLE></HEAD><BODY>Ça Va</BODY></HTML>"
            << "latin1"
            << "<HTML><HEAD><meta charset=\"latin1\"><TITLE>Hello World</TITLE></HEAD><BODY>Ça Va</BODY></HTML>";
        QTest::newRow("CR-only breaks") << "<head>\r<META charset=\"UTF-8\">\r<Title>Keep</Title>\r</head>" << "big5"
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
        QTest::newRow("after </head> not visited") << "<head>\n</head>\n<meta charset=\"utf-8\">" << "big5" << "";
        QTest::newRow("both metas of the head")
            << "<meta charset=\"utf-8\">\n<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">\n"
               "</head>"
            << "koi8-r"
            << "<meta charset=\"koi8-r\">\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">\n"
               "</head>";
        QTest::newRow("line index 101") << filler + "<meta charset=\"utf-8\">" << "big5"
                                        << filler + "<meta charset=\"big5\">";
        QTest::newRow("line index 102") << filler + "\n<meta charset=\"utf-8\">" << "big5" << "";
        QTest::newRow("unquoted value")
            << "<meta charset=UTF-8><meta name=\"Author\">" << "big5" << "<meta charset=big5><meta name=\"Author\">";
        QTest::newRow("unclosed value not stretched into the next tag")
            << "<meta charset=\"utf-8><link rel=\"Stylesheet\">" << "big5" << "";
        // Only the declaration is rewritten and lower-cased; the text around it stays as it is.
        QTest::newRow("words in text left, meta rewritten")
            << "<HEAD><P>Write charset=\"UTF-8\" in your page</P><META CHARSET=\"UTF-8\"></HEAD>" << "big5"
            << "<HEAD><P>Write charset=\"UTF-8\" in your page</P><meta charset=\"big5\"></HEAD>";
        QTest::newRow("script charset left, meta rewritten")
            << "<head><Script Charset=\"UTF-8\" src=\"A.js\"></Script>\n<meta charset=\"utf-8\">" << "koi8-r"
            << "<head><Script Charset=\"UTF-8\" src=\"A.js\"></Script>\n<meta charset=\"koi8-r\">";
        QTest::newRow("script charset alone")
            << "<script charset=\"utf-8\"></script>" << "koi8-r" << "";
        QTest::newRow("element encoding attribute left")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Doc Encoding=\"X\"></Doc>" << "latin1"
            << "<?xml version=\"1.0\" encoding=\"latin1\"?><Doc Encoding=\"X\"></Doc>";
        QTest::newRow("element encoding attribute alone")
            << "<Doc>\n<Item Encoding=\"X\"></Item>\n</Doc>" << "latin1" << "";
        QTest::newRow("css rule without semicolon")
            << "@charset \"UTF-8\" .Menu { Color: Red }" << "latin1" << "@charset \"latin1\" .Menu { Color: Red }";
        QTest::newRow("css rule of a style block")
            << "<Style>\n@CHARSET \"UTF-8\"; .A { Color: Red }</Style>" << "big5"
            << "<Style>\n@charset \"big5\"; .A { Color: Red }</Style>";
        QTest::newRow("css rule later in a sheet is none") << ".A {}\n@charset \"utf-8\";" << "big5" << "";
        QTest::newRow("commented meta left")
            << "<!-- <meta charset=\"utf-8\"> -->\n<META charset=\"utf-8\">" << "big5"
            << "<!-- <meta charset=\"utf-8\"> -->\n<meta charset=\"big5\">";
        QTest::newRow("meta of another kind left")
            << "<META NAME=\"Hint\" CONTENT=\"charset=utf-8\">" << "big5" << "";
    }

    void charsetRewrite()
    {
        QFETCH(QString, text);
        QFETCH(QString, charset);
        QFETCH(QString, expected);
        QString result = "untouched";
        QCOMPARE(ReplaceCharsetInDocument(text, charset, &result), !expected.isEmpty());
        QCOMPARE(result, expected.isEmpty() ? QString("untouched") : expected);
    }

    // Catches the language code not lower-cased, a CR or a final line break in a template,
    // and a caption without its number or extension.
    void templates()
    {
        QVERIFY(NewDocTemplate(NewDocKind::Html5, "FR").contains("<html lang=\"fr\">"));
        for (NewDocKind kind : {NewDocKind::Html5, NewDocKind::Html4Strict, NewDocKind::Php}) {
            const QString text = NewDocTemplate(kind, "en");
            QVERIFY(!text.contains('\r'));
            QVERIFY(!text.endsWith('\n'));
        }
        QCOMPARE(UntitledCaption("Sans titre ", 12, NewDocKind::Css), QString("Sans titre 12.css"));
        QCOMPARE(NewDocExtension(NewDocKind::Html4Strict), QString("html"));
    }

    void highlighter_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<HighlighterKind>("expected");
        QTest::newRow("css") << "/w/site/style.css" << HighlighterKind::Css;
        QTest::newRow("js, mixed case") << "/w/app.Js" << HighlighterKind::JScript;
        QTest::newRow("xml") << "/w/feed.xml" << HighlighterKind::Xml;
        QTest::newRow("BAT") << "/w/run.BAT" << HighlighterKind::Bat;
        QTest::newRow("cpp") << "/w/main.cpp" << HighlighterKind::Cpp;
        QTest::newRow("pas") << "/w/unit1.pas" << HighlighterKind::Pas;
        QTest::newRow("asm") << "/w/boot.asm" << HighlighterKind::Asm;
        QTest::newRow("sql after another dot") << "/w/dump.2024.sql" << HighlighterKind::Sql;
        QTest::newRow("html") << "/w/index.html" << HighlighterKind::Multi;
        QTest::newRow("no extension") << "/w/README" << HighlighterKind::Multi;
        QTest::newRow("dot in a folder name") << "/w/theme.css/README" << HighlighterKind::Multi;
        QTest::newRow("last extension decides") << "/w/style.css.bak" << HighlighterKind::Multi;
        QTest::newRow("longer extension") << "/w/style.scss" << HighlighterKind::Multi;
        QTest::newRow("untitled caption") << "Untitled1.css" << HighlighterKind::Css;
    }

    void highlighter()
    {
        QFETCH(QString, path);
        QFETCH(HighlighterKind, expected);
        QCOMPARE(GetHighlihter(path), expected);
    }

    void sameFile()
    {
        const QStringList open = {"/w/a.html", "", "/w/B.css"};
        QCOMPARE(IndexOfSameFile(open, "/w/B.css"), 2);
        QVERIFY(IsSameFile(open, "/w/a.html"));
        QVERIFY(!IsSameFile(open, "/w/A.html"));   // case counts
        QVERIFY(!IsSameFile(open, "/w//a.html"));  // exact text, not the same file on disk
        QVERIFY(!IsSameFile(open, ""));            // untitled documents never match
        QVERIFY(!IsSameFile({}, "/w/a.html"));
    }
};

QTEST_GUILESS_MAIN(TestDocumentText)
#include "tst_documenttext.moc"
