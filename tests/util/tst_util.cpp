// Utility routines: settings-style lines, file helpers, program folder and language,
// colour text, delimiters, path shortening, relative links, picture sizes, recent files.
#include "TestSupport.h"

#include "core/MessagesKandrix.h"
#include "platform/Platform.h"
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

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray le16(int v) { return bytes({v & 0xFF, (v >> 8) & 0xFF}); }
QByteArray be16(int v) { return bytes({(v >> 8) & 0xFF, v & 0xFF}); }
QByteArray le32(quint32 v) { return le16(int(v & 0xFFFF)) + le16(int(v >> 16)); }
QByteArray be32(quint32 v) { return be16(int(v >> 16)) + be16(int(v & 0xFFFF)); }

// A 54-byte BMP header followed by one pixel row.
QByteArray bmpFile(quint32 width, quint32 height)
{
    QByteArray b = "BM" + le32(58) + le32(0) + le32(54);
    b += le32(40) + le32(width) + le32(height) + le16(1) + le16(24) + le32(0) + le32(4);
    b += le32(2835) + le32(2835) + le32(0) + le32(0);
    b += bytes({0, 0, 255, 0});
    return b;
}

QByteArray gifFile(int width, int height)
{
    QByteArray b = "GIF89a" + le16(width) + le16(height);
    b += bytes({0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x3B});
    return b;
}

QByteArray pngFile(quint32 width, quint32 height)
{
    QByteArray b = bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
    b += be32(13) + "IHDR" + be32(width) + be32(height) + bytes({8, 2, 0, 0, 0});
    b += be32(0x12345678);  // CRC, not checked
    b += be32(0) + "IEND" + be32(0xAE426082);
    return b;
}

QByteArray jpegSegment(int type, const QByteArray &data)
{
    return bytes({0xFF, type}) + be16(int(data.size()) + 2) + data;
}

QByteArray jfifApp0()
{
    return jpegSegment(0xE0, QByteArray("JFIF", 5) + bytes({1, 1, 0, 0, 1, 0, 1, 0, 0}));
}

QByteArray sof(int type, int width, int height)
{
    return jpegSegment(type, bytes({8}) + be16(height) + be16(width)
                                 + bytes({3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
}

QByteArray dqt()
{
    return jpegSegment(0xDB, bytes({0}) + QByteArray(64, char(1)));
}

// A Huffman table segment whose bytes at the frame's size offsets would read as 0x0101 by 0x0202.
QByteArray dht()
{
    return jpegSegment(0xC4, bytes({0, 0, 0x02, 0x02, 0x01, 0x01}) + QByteArray(12, char(0)));
}

QByteArray sos()
{
    return jpegSegment(0xDA, bytes({1, 1, 0, 0, 63, 0}));
}

const QByteArray soi = bytes({0xFF, 0xD8});
const QByteArray eoi = bytes({0xFF, 0xD9});

QSize sizeOf(const QRect &r)
{
    return QSize(r.right(), r.bottom());
}
} // namespace

class TestUtil : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Settings-style lines
    void isKeyOfLine_data();
    void isKeyOfLine();
    void valueOfLine_data();
    void valueOfLine();
    void boolText();
    void textToBool_data();
    void textToBool();
    void trimSettingsLine_data();
    void trimSettingsLine();
    void skippedLines_data();
    void skippedLines();
    void splitSettingsLines_data();
    void splitSettingsLines();
    void readerLoop();

    // File helpers
    void readFileToString();
    void readFileToStringMissing();
    void confirmOverwriteMissingFile();
    void confirmOverwriteYes();
    void confirmOverwriteCancel();
    void confirmOverwriteClosed();
    void removeFileExt_data();
    void removeFileExt();

    // Program folder and language
    void initAppDir();
    void languageTable_data();
    void languageTable();
    void systemLanguage();

    // Colour text
    void colorToHtmlHex_data();
    void colorToHtmlHex();
    void htmlHexToColor_data();
    void htmlHexToColor();
    void htmlHexToColorRoundTrip();
    void htmlHexToColorError_data();
    void htmlHexToColorError();

    // Delimiters and digits
    void extractBetween_data();
    void extractBetween();
    void replaceBetween_data();
    void replaceBetween();
    void keepDigits_data();
    void keepDigits();

    // Paths
    void shortenPathForMenu_data();
    void shortenPathForMenu();
    void makeRelativeLink_data();
    void makeRelativeLink();

    // Picture sizes
    void imageSize_data();
    void imageSize();
    void imageSizeMissingFile();

    // Recent files
    void recentFilesAddAndOrder();
    void recentFilesEleventhDropsOldest();
    void recentFilesExactComparison();
    void recentFilesRename();
    void recentFilesSettingsRoundTrip();

private:
    QTemporaryDir m_dir;
};

void TestUtil::init()
{
    QVERIFY(m_dir.isValid());
    RecentFiles.fill(QString());
}

void TestUtil::cleanup()
{
    RecentFiles.fill(QString());
    SWarningOverwriteFile.clear();
}

// ---------------------------------------------------------------- settings-style lines

void TestUtil::isKeyOfLine_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("matches");

    QTest::newRow("plain") << "Language" << "Language=en" << true;
    QTest::newRow("blank after =") << "Language" << "Language= en" << true;
    // A blank before "=" belongs to the key: it must not be trimmed away.
    QTest::newRow("blank before =") << "Language" << "Language = en" << false;
    QTest::newRow("key with blank") << "Language " << "Language = en" << true;
    QTest::newRow("no =") << "Language" << "Language" << false;
    QTest::newRow("section header") << "General" << "[General]" << false;
    // A prefix of the key is not the key.
    QTest::newRow("longer key") << "Lang" << "Language=en" << false;
    QTest::newRow("shorter key") << "LanguageCode" << "Language=en" << false;
    QTest::newRow("case matters") << "language" << "Language=en" << false;
    // Only the first "=" ends the key.
    QTest::newRow("= in value") << "Font" << "Font=a=b" << true;
    QTest::newRow("= in value, not key") << "Font=a" << "Font=a=b" << false;
    QTest::newRow("empty value") << "Language" << "Language=" << true;
}

void TestUtil::isKeyOfLine()
{
    QFETCH(QString, key);
    QFETCH(QString, line);
    QFETCH(bool, matches);
    QCOMPARE(IsKeyOfLine(key, line), matches);
}

void TestUtil::valueOfLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "Language=en" << "en";
    QTest::newRow("value keeps its blank") << "Language= en" << " en";
    QTest::newRow("blank around =") << "Language = en " << " en ";
    QTest::newRow("no =") << "Language" << "";
    QTest::newRow("empty value") << "Language=" << "";
    QTest::newRow("first = only") << "Filter=a=b=c" << "a=b=c";
}

void TestUtil::valueOfLine()
{
    QFETCH(QString, line);
    QFETCH(QString, value);
    QCOMPARE(ValueOfLine(line), value);
}

void TestUtil::boolText()
{
    QCOMPARE(BoolToText(true), QStringLiteral("True"));
    QCOMPARE(BoolToText(false), QStringLiteral("False"));
    QVERIFY(TextToBool(BoolToText(true)));
    QVERIFY(!TextToBool(BoolToText(false)));
}

void TestUtil::textToBool_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("value");

    QTest::newRow("True") << "True" << true;
    QTest::newRow("true") << "true" << false;
    QTest::newRow("TRUE") << "TRUE" << false;
    QTest::newRow("1") << "1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("False") << "False" << false;
    QTest::newRow("blank before") << " True" << false;
    QTest::newRow("blank after") << "True " << false;
}

void TestUtil::textToBool()
{
    QFETCH(QString, text);
    QFETCH(bool, value);
    QCOMPARE(TextToBool(text), value);
}

void TestUtil::trimSettingsLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("trimmed");

    QTest::newRow("blanks and tab") << " \tLanguage=en  " << "Language=en";
    QTest::newRow("CR left over") << "Language=en\r" << "Language=en";
    QTest::newRow("control characters") << QString("\x01\x1F" "Key=v\x7F\x02") << QString("Key=v\x7F");
    QTest::newRow("inner blanks kept") << "  Language = en  " << "Language = en";
    QTest::newRow("only blanks") << " \t \r" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("non-breaking space kept") << QString(QChar(0xA0)) + "a" << QString(QChar(0xA0)) + "a";
}

void TestUtil::trimSettingsLine()
{
    QFETCH(QString, line);
    QFETCH(QString, trimmed);
    QCOMPARE(TrimSettingsLine(line), trimmed);
}

void TestUtil::skippedLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("skipped");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("semicolon comment") << ";Language=fr" << true;
    QTest::newRow("slash comment") << "//Language=fr" << true;
    QTest::newRow("single slash") << "/Language=fr" << false;
    QTest::newRow("setting") << "Language=fr" << false;
    QTest::newRow("section") << "[General]" << false;
    QTest::newRow("semicolon later") << "Language=fr;x" << false;
}

void TestUtil::skippedLines()
{
    QFETCH(QString, line);
    QFETCH(bool, skipped);
    QCOMPARE(IsSkippedSettingsLine(line), skipped);
}

void TestUtil::splitSettingsLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << "a=1\r\nb=2\r\n" << QStringList{"a=1", "b=2"};
    QTest::newRow("LF") << "a=1\nb=2\n" << QStringList{"a=1", "b=2"};
    QTest::newRow("lone CR") << "a=1\rb=2\r" << QStringList{"a=1", "b=2"};
    QTest::newRow("no final line end") << "a=1\r\nb=2" << QStringList{"a=1", "b=2"};
    QTest::newRow("mixed") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    // LF then CR is two line ends, not one.
    QTest::newRow("LF CR") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
    QTest::newRow("one line end") << "\r\n" << QStringList{""};
}

void TestUtil::splitSettingsLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitSettingsLines(text), lines);
}

// The readers' loop: trim, skip, then test every known key without early exit.
void TestUtil::readerLoop()
{
    const QString file = "[General]\r\n"
                         "Language= en\r\n"
                         ";Language=fr\r\n"
                         "  //Language=de\r\n"
                         "Language = it\r"
                         "Item=one\r"
                         "\t Item=two \n"
                         "\r\n"
                         "Item=three";
    QStringList languages, items;
    for (const QString &raw : SplitSettingsLines(file)) {
        const QString line = TrimSettingsLine(raw);
        if (IsSkippedSettingsLine(line))
            continue;
        if (IsKeyOfLine("Language", line))
            languages << ValueOfLine(line);
        if (IsKeyOfLine("Item", line))
            items << ValueOfLine(line);
    }
    QCOMPARE(languages, QStringList{" en"});
    QCOMPARE(items, (QStringList{"one", "two", "three"}));
}

// ---------------------------------------------------------------- file helpers

void TestUtil::readFileToString()
{
    // Every byte comes back unchanged: NUL, CR LF, bytes above 0x7F, a BOM.
    const QByteArray content = bytes({0xEF, 0xBB, 0xBF, 'a', 0, 'b', '\r', '\n', 0xE9, 0xFF, '\r'});
    const QString path = m_dir.filePath("raw.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    QCOMPARE(ReadFileToString(path), content);

    const QString empty = m_dir.filePath("empty.txt");
    QFile e(empty);
    QVERIFY(e.open(QIODevice::WriteOnly));
    e.close();
    QCOMPARE(ReadFileToString(empty), QByteArray());
}

void TestUtil::readFileToStringMissing()
{
    const QString path = m_dir.filePath("no-such-file.txt");
    QVERIFY_THROWS_EXCEPTION(FileOpenError, ReadFileToString(path));
    try {
        ReadFileToString(path);
    } catch (const FileOpenError &e) {
        QVERIFY(QString::fromStdString(e.what()).contains(path));
    }
}

void TestUtil::confirmOverwriteMissingFile()
{
    ScriptedDialogs dialogs;
    SWarningOverwriteFile = "Overwrite %s?";
    QVERIFY(ConfirmOverwrite(m_dir.filePath("not-there.html")));
    QVERIFY(dialogs.asked.isEmpty());
}

void TestUtil::confirmOverwriteYes()
{
    const QString path = m_dir.filePath("page one.html");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    ScriptedDialogs dialogs;
    SWarningOverwriteFile = "Overwrite %s?";
    dialogs.answers << QMessageBox::Yes;
    QVERIFY(ConfirmOverwrite(path));
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].text, QString("Overwrite " + path + "?"));
    QCOMPARE(dialogs.asked[0].icon, QMessageBox::Question);
    QCOMPARE(dialogs.asked[0].buttons, QMessageBox::Yes | QMessageBox::Cancel);
}

void TestUtil::confirmOverwriteCancel()
{
    const QString path = m_dir.filePath("page.html");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    ScriptedDialogs dialogs;
    SWarningOverwriteFile = "Overwrite %s?";
    dialogs.answers << QMessageBox::Cancel;
    QVERIFY(!ConfirmOverwrite(path));
    QCOMPARE(dialogs.asked.size(), 1);
    QVERIFY(dialogs.asked[0].text.contains(path));
}

void TestUtil::confirmOverwriteClosed()
{
    const QString path = m_dir.filePath("closed.html");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    // No queued answer: the box is closed, which answers with its escape button.
    ScriptedDialogs dialogs;
    SWarningOverwriteFile = "Overwrite %s?";
    QVERIFY(!ConfirmOverwrite(path));
    QCOMPARE(dialogs.asked.size(), 1);
}

void TestUtil::removeFileExt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result");

    QTest::newRow("simple") << "dark.cfg" << "dark";
    QTest::newRow("last dot only") << "my.dark.cfg" << "my.dark";
    QTest::newRow("no extension") << "dark" << "dark";
    QTest::newRow("dot in folder only") << "/home/me/themes.d/dark" << "/home/me/themes.d/dark";
    QTest::newRow("with folder") << "/home/me/themes.d/dark.cfg" << "/home/me/themes.d/dark";
    QTest::newRow("ends with dot") << "dark." << "dark";
    QTest::newRow("empty") << "" << "";
}

void TestUtil::removeFileExt()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    QCOMPARE(RemoveFileExt(name), result);
}

// ---------------------------------------------------------------- program folder, language

void TestUtil::initAppDir()
{
    SetAppDirOverride("/opt/velkandrix");
    InitAppDir();
    QCOMPARE(AppDir, QStringLiteral("/opt/velkandrix/"));

    SetAppDirOverride("/opt/velkandrix/");
    InitAppDir();
    QCOMPARE(AppDir, QStringLiteral("/opt/velkandrix/"));

    SetAppDirOverride(QString());
    InitAppDir();
    QCOMPARE(AppDir, QCoreApplication::applicationDirPath() + "/");
}

void TestUtil::languageTable_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");

    QTest::newRow("3084 French Canada") << 3084 << "French" << "fr";
    QTest::newRow("58380 French") << 58380 << "French" << "fr";
    QTest::newRow("1036 French") << 1036 << "French" << "fr";
    QTest::newRow("3156 French") << 3156 << "French" << "fr";
    QTest::newRow("1033 English US") << 1033 << "English" << "en";
    QTest::newRow("12297 English") << 12297 << "English" << "en";
    QTest::newRow("1025 not listed") << 1025 << "English" << "en";
    QTest::newRow("0 unknown") << 0 << "English" << "en";
    // Identifiers are whole numbers: a part of a listed one is not listed.
    QTest::newRow("308 part of 3084") << 308 << "English" << "en";
    QTest::newRow("30840 longer") << 30840 << "English" << "en";
    QTest::newRow("1069 Basque") << 1069 << "Basque" << "eu";
    QTest::newRow("1150 Breton") << 1150 << "Breton" << "br";
    QTest::newRow("5124 Chinese") << 5124 << "Chinese" << "zh";
    QTest::newRow("1155 Corsican") << 1155 << "Corsican" << "co";
    QTest::newRow("2055 German") << 2055 << "German" << "de";
    QTest::newRow("1037 Hebrew") << 1037 << "Hebrew" << "he";
    QTest::newRow("2064 Italian") << 2064 << "Italian" << "it";
    QTest::newRow("1041 Japanese") << 1041 << "Japanese" << "ja";
    QTest::newRow("2070 Portuguese") << 2070 << "Portuguese" << "pt";
    QTest::newRow("2073 Russian") << 2073 << "Russian" << "ru";
    QTest::newRow("22538 Spanish") << 22538 << "Spanish" << "es";
    QTest::newRow("8202 Spanish") << 8202 << "Spanish" << "es";
    QTest::newRow("1058 Ukrainian") << 1058 << "Ukrainian" << "uk";
}

void TestUtil::languageTable()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QString, code);
    QCOMPARE(LanguageNameOfId(id), name);
    QCOMPARE(LanguageCodeOfName(LanguageNameOfId(id)), code);
}

void TestUtil::systemLanguage()
{
    // The user's locale goes through its language identifier to the table.
    QCOMPARE(GetSystemLanguageName(), LanguageNameOfId(GetUserDefaultLangID()));
    QCOMPARE(GetSystemLanguageCode(), LanguageCodeOfName(GetSystemLanguageName()));
    QCOMPARE(LanguageNameOfId(LanguageIdOfLocale("fr_CA")), QStringLiteral("French"));
    QCOMPARE(LanguageNameOfId(LanguageIdOfLocale("en_US")), QStringLiteral("English"));
    QCOMPARE(LanguageCodeOfName("Klingon"), QStringLiteral("en"));
}

// ---------------------------------------------------------------- colour text

void TestUtil::colorToHtmlHex_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QString>("text");

    QTest::newRow("red 00 green 80 blue FF") << quint32(0xFF8000) << "#0080FF";
    QTest::newRow("pure red") << quint32(0x0000FF) << "#FF0000";
    QTest::newRow("pure blue") << quint32(0xFF0000) << "#0000FF";
    QTest::newRow("byte order") << quint32(0x123456) << "#563412";
    QTest::newRow("black") << quint32(clBlack) << "#000000";
    QTest::newRow("white") << quint32(clWhite) << "#FFFFFF";
    QTest::newRow("upper-case digits") << quint32(0xABCDEF) << "#EFCDAB";
    // The top byte is ignored; no system-colour translation.
    QTest::newRow("no colour") << quint32(clNone) << "#FFFFFF";
    QTest::newRow("0x20000000") << quint32(0x20000000) << "#000000";
    QTest::newRow("window text") << quint32(clWindowText) << "#080000";
}

void TestUtil::colorToHtmlHex()
{
    QFETCH(quint32, color);
    QFETCH(QString, text);
    QCOMPARE(ColorToHtmlHex(color), text);
}

void TestUtil::htmlHexToColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("color");

    QTest::newRow("#0080FF") << "#0080FF" << quint32(0xFF8000);
    QTest::newRow("lower case") << "#0080ff" << quint32(0xFF8000);
    QTest::newRow("red") << "#FF0000" << quint32(0x0000FF);
    QTest::newRow("byte order") << "#563412" << quint32(0x123456);
    QTest::newRow("empty") << "" << quint32(0);
    QTest::newRow("first character unchecked") << "X0080FF" << quint32(0xFF8000);
    QTest::newRow("characters after seventh ignored") << "#0080FFzz;" << quint32(0xFF8000);
    // Short texts: only the digits present are read, never beyond the text.
    QTest::newRow("#1") << "#1" << quint32(0x1);
    QTest::newRow("#12") << "#12" << quint32(0x12);
    QTest::newRow("#12345") << "#12345" << quint32(0x053412);
}

void TestUtil::htmlHexToColor()
{
    QFETCH(QString, text);
    QFETCH(quint32, color);
    QCOMPARE(HtmlHexToColor(text), color);
}

void TestUtil::htmlHexToColorRoundTrip()
{
    const TColor colors[] = {0xFF8000, 0x000000, 0xFFFFFF, 0x010203, 0xA0B0C0};
    for (TColor c : colors)
        QCOMPARE(HtmlHexToColor(ColorToHtmlHex(c)), c);
    // The top byte does not survive: it is not part of the text.
    QCOMPARE(HtmlHexToColor(ColorToHtmlHex(clWindowText)), TColor(0x000008));
}

void TestUtil::htmlHexToColorError_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("#GG0000") << "#GG0000";
    QTest::newRow("#00GG00") << "#00GG00";
    QTest::newRow("#0000GG") << "#0000GG";
    QTest::newRow("blank inside") << "#12 456";
    QTest::newRow("sign") << "#-12345";
    QTest::newRow("only #") << "#";
    QTest::newRow("#G") << "#G";
}

void TestUtil::htmlHexToColorError()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(ConvertError, HtmlHexToColor(text));
    try {
        HtmlHexToColor(text);
    } catch (const ConvertError &e) {
        QCOMPARE(QString::fromStdString(e.what()),
                 QString("'" + text + "' is not a valid integer value"));
    }
}

// ---------------------------------------------------------------- delimiters and digits

void TestUtil::extractBetween_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");

    QTest::newRow("meta charset") << R"(<meta charset="utf-8">)" << "utf-8";
    QTest::newRow("ends after quote") << R"(charset="iso-8859-1")" << "iso-8859-1";
    QTest::newRow("empty value") << R"(<meta charset="">)" << "";
    QTest::newRow("no closing quote") << R"(<meta charset="utf-8>)" << "";
    QTest::newRow("no start delimiter") << R"(<meta http-equiv="refresh">)" << "";
    QTest::newRow("first occurrence") << R"(charset="a" charset="b")" << "a";
    QTest::newRow("case matters") << R"(<meta CHARSET="utf-8">)" << "";
    QTest::newRow("empty text") << "" << "";
}

void TestUtil::extractBetween()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(ExtractBetween(text, "charset=\"", "\""), value);
    QCOMPARE(GetTextBetween(text, "charset=\"", "\""), value);
}

void TestUtil::replaceBetween_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("meta charset") << R"(<meta charset="utf-8">)" << R"(<meta charset="windows-1252">)";
    QTest::newRow("ends after quote") << R"(charset="utf-8")" << R"(charset="windows-1252")";
    QTest::newRow("empty value") << R"(<meta charset="">)" << R"(<meta charset="windows-1252">)";
    QTest::newRow("first occurrence only") << R"(charset="a" charset="b")"
                                           << R"(charset="windows-1252" charset="b")";
    // No closing quote: nothing is removed, the new text goes after the start delimiter.
    QTest::newRow("no closing quote") << R"(<meta charset="utf-8>)"
                                      << R"(<meta charset="windows-1252utf-8>)";
    QTest::newRow("no start delimiter") << R"(<meta name="x">)" << "";
    QTest::newRow("multi-line") << "<head>\n<meta charset=\"utf-8\">\n</head>\n"
                                << "<head>\n<meta charset=\"windows-1252\">\n</head>\n";
}

void TestUtil::replaceBetween()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(ReplaceBetween(text, "charset=\"", "\"", "windows-1252"), result);
}

void TestUtil::keepDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");

    QTest::newRow("empty") << "" << "";
    QTest::newRow("no digits") << "abc" << "";
    QTest::newRow("version") << "v2.0.2.0" << "2020";
    QTest::newRow("report line") << "line 12 column 5 - Warning" << "125";
    QTest::newRow("only digits") << "0123456789" << "0123456789";
    // Other scripts' digits are not "0" to "9".
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662x3") << "3";
}

void TestUtil::keepDigits()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);
    QCOMPARE(KeepDigits(text), digits);
}

// ---------------------------------------------------------------- paths

void TestUtil::shortenPathForMenu_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shortened");

    QTest::newRow("short") << "/home/me/index.html" << "/home/me/index.html";
    const QString fifty = "/home/me/" + QString(34, 'd') + "/a.html";
    QTest::newRow("exactly 50") << fifty << fifty;
    const QString fiftyOne = "/home/me/" + QString(35, 'd') + "/a.html";
    QTest::newRow("51 characters") << fiftyOne << fiftyOne.left(40) + ".../a.html";
    QTest::newRow("long folder")
        << "/home/me/Documents/Projects/Website2024/pages/contact.html"
        << "/home/me/Documents/Projects/Websit.../contact.html";
    // Room of exactly 3: three characters of the folder are kept.
    const QString name43 = QString(39, 'n') + ".htm";
    QTest::newRow("name of 43") << "/home/me/site/" + name43 << "/ho.../" + name43;
    // Room below 3: the (empty) drive, "/", ".../" and the name.
    const QString name44 = QString(40, 'n') + ".htm";
    QTest::newRow("name of 44") << "/home/me/site/" + name44 << "/.../" + name44;
    const QString name47 = QString(42, 'n') + ".html";
    QTest::newRow("name of 47") << "/home/me/site/" + name47 << "/.../" + name47;
    const QString name60 = QString(55, 'n') + ".html";
    QTest::newRow("name of 60") << "/home/" + name60 << "/.../" + name60;
    QTest::newRow("no folder, long name") << name60 << "/.../" + name60;
}

void TestUtil::shortenPathForMenu()
{
    QFETCH(QString, path);
    QFETCH(QString, shortened);
    const QString result = ShortenPathForMenu(path, 50);
    QCOMPARE(result, shortened);
    if (result != path && !result.startsWith("/.../"))
        QCOMPARE(result.size(), 50);
}

void TestUtil::makeRelativeLink_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("link");

    QTest::newRow("same folder") << "/site/index.html" << "/site/a.png" << "./a.png";
    QTest::newRow("subfolder") << "/site/index.html" << "/site/img/a.png" << "./img/a.png";
    QTest::newRow("two subfolders") << "/site/index.html" << "/site/img/small/a.png"
                                    << "./img/small/a.png";
    QTest::newRow("parent") << "/site/index.html" << "/a.png" << "../a.png";
    QTest::newRow("sibling folder") << "/site/pages/index.html" << "/site/img/a.png"
                                    << "../img/a.png";
    QTest::newRow("three up") << "/a/b/c/index.html" << "/x/y.png" << "../../../x/y.png";
    // Folder names are compared whole: "site" is not a prefix match of "sitemap".
    QTest::newRow("common prefix") << "/site/index.html" << "/sitemap/a.png" << "../sitemap/a.png";
    // Components are compared without regard to case; the target's spelling is kept.
    QTest::newRow("case ignored") << "/Site/Index.html" << "/site/IMG/A.png" << "./IMG/A.png";
    QTest::newRow("blank in names") << "/my site/index.html" << "/my site/my img/a b.png"
                                    << "./my img/a b.png";
}

void TestUtil::makeRelativeLink()
{
    QFETCH(QString, document);
    QFETCH(QString, target);
    QFETCH(QString, link);
    QCOMPARE(MakeRelativeLink(document, target), link);
}

// ---------------------------------------------------------------- picture sizes

void TestUtil::imageSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QSize>("size");

    QTest::newRow("bmp") << "pic.bmp" << bmpFile(640, 480) << QSize(640, 480);
    QTest::newRow("bmp low 16 bits") << "big.bmp" << bmpFile(0x12345, 70000) << QSize(0x2345, 70000 - 65536);
    QTest::newRow("bmp 24 bytes") << "short.bmp" << bmpFile(7, 9).left(24) << QSize(7, 9);
    QTest::newRow("bmp truncated") << "cut.bmp" << bmpFile(7, 9).left(23) << QSize(0, 0);

    QTest::newRow("gif") << "anim.gif" << gifFile(320, 200) << QSize(320, 200);
    QTest::newRow("gif 10 bytes") << "short.gif" << gifFile(320, 200).left(10) << QSize(320, 200);
    QTest::newRow("gif truncated") << "cut.gif" << gifFile(320, 200).left(9) << QSize(0, 0);

    QTest::newRow("png") << "pic.png" << pngFile(800, 600) << QSize(800, 600);
    QTest::newRow("png width 70000") << "wide.png" << pngFile(70000, 10) << QSize(70000 - 65536, 10);
    QTest::newRow("png truncated") << "cut.png" << pngFile(800, 600).left(23) << QSize(0, 0);
    QTest::newRow("upper-case extension") << "PIC.PNG" << pngFile(12, 34) << QSize(12, 34);
    // The contents are not checked against the extension: PNG bytes read as a GIF header.
    QTest::newRow("png bytes named gif") << "fake.gif" << pngFile(800, 600) << QSize(0x0A1A, 0);

    const QByteArray app0 = soi + jfifApp0();
    QTest::newRow("jpeg APP0 then SOF0") << "photo.jpg" << app0 + sof(0xC0, 1024, 768) + sos() + eoi
                                         << QSize(1024, 768);
    QTest::newRow("jpeg APP0, DQT, SOF0") << "photo2.jpg"
                                          << app0 + dqt() + dqt() + sof(0xC0, 300, 200) + sos() + eoi
                                          << QSize(300, 200);
    QTest::newRow("jpeg progressive") << "prog.jpeg" << app0 + dqt() + sof(0xC2, 45, 67) + sos() + eoi
                                      << QSize(45, 67);
    QTest::newRow("jpeg upper-case JPEG") << "PHOTO.JPEG" << app0 + sof(0xC1, 5, 6) << QSize(5, 6);
    // Huffman tables (0xC4) are not frames, though their type lies among the frame types.
    QTest::newRow("jpeg DHT before SOF0") << "dht.jpg" << app0 + dht() + sof(0xC0, 640, 480) + sos()
                                          << QSize(640, 480);
    QTest::newRow("jpeg scan before frame") << "scan.jpg" << app0 + dqt() + sos() + sof(0xC0, 1, 1)
                                            << QSize(0, 0);
    QTest::newRow("jpeg EXIF first") << "exif.jpg"
                                     << soi + jpegSegment(0xE1, QByteArray("Exif\0\0", 6) + QByteArray(20, 0))
                                            + sof(0xC0, 640, 480) + sos()
                                     << QSize(0, 0);
    // The walk needs nine bytes of the frame segment: exactly nine are enough, eight are not.
    const QByteArray nine = app0 + dqt() + sof(0xC0, 222, 111).left(9);
    QTest::newRow("jpeg frame of nine bytes") << "nine.jpg" << nine << QSize(222, 111);
    QTest::newRow("jpeg truncated in frame") << "cut.jpg" << nine.left(nine.size() - 1) << QSize(0, 0);
    QTest::newRow("jpeg truncated in segments") << "cut2.jpg" << (app0 + dqt()).left(30) << QSize(0, 0);
    QTest::newRow("jpeg ten bytes") << "tiny.jpg" << app0.left(10) << QSize(0, 0);
    QTest::newRow("jpeg empty") << "empty.jpg" << QByteArray() << QSize(0, 0);
    QTest::newRow("jpeg only header") << "head.jpg" << app0 << QSize(0, 0);

    QTest::newRow("unknown extension") << "pic.txt" << pngFile(800, 600) << QSize(0, 0);
    QTest::newRow("no extension") << "png" << pngFile(800, 600) << QSize(0, 0);
    QTest::newRow("dot only in folder") << "pics.png/picture" << pngFile(800, 600) << QSize(0, 0);
    QTest::newRow("tiff") << "pic.tif" << bmpFile(1, 1) << QSize(0, 0);
}

void TestUtil::imageSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QSize, size);

    const QString path = m_dir.filePath(name);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), qint64(content.size()));
    f.close();

    const QRect r = GetImageSize(path);
    QCOMPARE(r.left(), 0);
    QCOMPARE(r.top(), 0);
    QCOMPARE(sizeOf(r), size);
}

void TestUtil::imageSizeMissingFile()
{
    const QRect r = GetImageSize(m_dir.filePath("missing.png"));
    QCOMPARE(sizeOf(r), QSize(0, 0));
    QCOMPARE(r.topLeft(), QPoint(0, 0));
}

// ---------------------------------------------------------------- recent files

void TestUtil::recentFilesAddAndOrder()
{
    RecentFileSlots list;
    AddToRecentFiles("/a.html", list);
    AddToRecentFiles("/b.html", list);
    AddToRecentFiles("/c.html", list);
    QCOMPARE(list[0], QStringLiteral("/c.html"));
    QCOMPARE(list[1], QStringLiteral("/b.html"));
    QCOMPARE(list[2], QStringLiteral("/a.html"));
    QVERIFY(list[3].isEmpty());

    // Re-adding a listed path does not move it to the front.
    AddToRecentFiles("/a.html", list);
    QCOMPARE(list[0], QStringLiteral("/c.html"));
    QCOMPARE(list[1], QStringLiteral("/b.html"));
    QCOMPARE(list[2], QStringLiteral("/a.html"));
    QVERIFY(list[3].isEmpty());

    // The array passed is the one changed, not the global list.
    for (const QString &slot : RecentFiles)
        QVERIFY(slot.isEmpty());
}

void TestUtil::recentFilesEleventhDropsOldest()
{
    RecentFileSlots list;
    for (int i = 1; i <= 10; ++i)
        AddToRecentFiles(QString("/f%1.html").arg(i), list);
    QCOMPARE(list[0], QStringLiteral("/f10.html"));
    QCOMPARE(list[9], QStringLiteral("/f1.html"));

    AddToRecentFiles("/f11.html", list);
    QCOMPARE(list[0], QStringLiteral("/f11.html"));
    QCOMPARE(list[9], QStringLiteral("/f2.html"));
    QVERIFY(!IsInRecentFiles("/f1.html", list));
    for (int i = 0; i < 10; ++i)
        QCOMPARE(list[i], QString("/f%1.html").arg(11 - i));
}

void TestUtil::recentFilesExactComparison()
{
    RecentFileSlots list;
    AddToRecentFiles("/site/Index.html", list);
    QVERIFY(IsInRecentFiles("/site/Index.html", list));
    QVERIFY(!IsInRecentFiles("/site/index.html", list));
    QVERIFY(!IsInRecentFiles("/site/Index.htm", list));
    // An empty slot is not a path.
    QVERIFY(!IsInRecentFiles(QString(), list));

    // Paths differing only in case are two entries.
    AddToRecentFiles("/site/index.html", list);
    QCOMPARE(list[0], QStringLiteral("/site/index.html"));
    QCOMPARE(list[1], QStringLiteral("/site/Index.html"));
}

void TestUtil::recentFilesRename()
{
    AddToRecentFiles("/a.html", RecentFiles);
    AddToRecentFiles("/b.html", RecentFiles);
    AddToRecentFiles("/c.html", RecentFiles);

    QVERIFY(RenameInRecentFiles("/b.html", "/renamed.html"));
    QCOMPARE(RecentFiles[0], QStringLiteral("/c.html"));
    QCOMPARE(RecentFiles[1], QStringLiteral("/renamed.html"));
    QCOMPARE(RecentFiles[2], QStringLiteral("/a.html"));
    QVERIFY(!IsInRecentFiles("/b.html", RecentFiles));

    QVERIFY(!RenameInRecentFiles("/b.html", "/other.html"));
    QVERIFY(!RenameInRecentFiles("/A.html", "/other.html"));
    QVERIFY(!IsInRecentFiles("/other.html", RecentFiles));
    // Renaming "no path" does not fill an empty slot.
    QVERIFY(!RenameInRecentFiles(QString(), "/other.html"));
    QVERIFY(RecentFiles[3].isEmpty());
}

// Stored from slot 9 down to 0 and added back one by one, the order is restored.
void TestUtil::recentFilesSettingsRoundTrip()
{
    RecentFileSlots before;
    for (int i = 1; i <= 7; ++i)
        AddToRecentFiles(QString("/f%1.html").arg(i), before);

    QStringList stored;
    for (int i = 9; i >= 0; --i) {
        if (!before[i].isEmpty())
            stored << before[i];
    }
    RecentFileSlots after;
    for (const QString &path : stored)
        AddToRecentFiles(path, after);
    QCOMPARE(after, before);
}

QTEST_GUILESS_MAIN(TestUtil)
#include "tst_util.moc"
