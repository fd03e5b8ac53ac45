#include "util/DocumentText.h"

#include "platform/Platform.h"
#include "util/CharsetDeclarations.h"
#include "util/DocumentStream.h"
#include "util/VelKandrixUtils.h"

#include <QStringEncoder>

namespace DocumentText {

const QString Ansi = QStringLiteral("Ansi");
const QString Utf8 = QStringLiteral("UTF8");
const QString Utf8Bom = QStringLiteral("UTF8Bom");
const QString LittleEndian = QStringLiteral("LittleEndian");
const QString BigEndian = QStringLiteral("BigEndian");

namespace {

const QByteArray Utf8Mark("\xEF\xBB\xBF", 3);
const QByteArray Utf16LEMark("\xFF\xFE", 2);
const QByteArray Utf16BEMark("\xFE\xFF", 2);

bool isContinuation(unsigned char b)
{
    return b >= 0x80 && b <= 0xBF;
}

// Length of the well-formed UTF-8 sequence starting at i, 0 when there is none.
int utf8SequenceLength(const QByteArray &bytes, int i)
{
    const int n = bytes.size();
    const auto at = [&](int k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length = 0;
    unsigned char secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;  // over-long below U+0800
        else if (lead == 0xED)
            secondHigh = 0x9F;  // UTF-16 surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;  // over-long below U+10000
        else if (lead == 0xF4)
            secondHigh = 0x8F;  // beyond U+10FFFF
    } else {
        return 0;  // 80-C1 and F5-FF never start a character
    }
    if (i + length > n)
        return 0;
    if (at(i + 1) < secondLow || at(i + 1) > secondHigh)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (!isContinuation(at(i + k)))
            return 0;
    }
    return length;
}

bool looksLikeUtf8(const QByteArray &bytes)
{
    // The whole file must be well-formed: a stray byte anywhere would be replaced
    // by U+FFFD on reading and written back changed.
    const char *data = bytes.constData();
    const int n = bytes.size();
    bool nonAscii = false;
    for (int i = 0; i < n;) {
        if (static_cast<unsigned char>(data[i]) < 0x80) {
            ++i;
            continue;
        }
        const int length = utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        nonAscii = true;
        i += length;
    }
    return nonAscii;
}

QByteArray encodeWith(QStringConverter::Encoding encoding, const QString &text)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

constexpr int CharsetLinesExamined = 102;

} // namespace

QStringList EncodingNames()
{
    return {Ansi, Utf8, Utf8Bom, LittleEndian, BigEndian};
}

bool IsEncodingName(const QString &name)
{
    return EncodingNames().contains(name);
}

QString DetectEncoding(const QByteArray &bytes)
{
    if (bytes.startsWith(Utf8Mark))
        return Utf8Bom;
    if (looksLikeUtf8(bytes))
        return Utf8;
    if (bytes.size() < 2)
        return Ansi;
    if (bytes.startsWith(Utf16LEMark))
        return LittleEndian;
    if (bytes.startsWith(Utf16BEMark))
        return BigEndian;
    return Ansi;
}

QString DecodeText(const QByteArray &bytes, const QString &encoding)
{
    // Only the file's own mark is skipped: a U+FEFF after it is text.
    const QByteArrayView view(bytes);
    if (encoding == Utf8)
        return Utf8Text(view);
    if (encoding == Utf8Bom)
        return Utf8Text(view.sliced(bytes.startsWith(Utf8Mark) ? 3 : 0));
    if (encoding == LittleEndian)
        return Utf16Text(view.sliced(bytes.startsWith(Utf16LEMark) ? 2 : 0), true);
    if (encoding == BigEndian)
        return Utf16Text(view.sliced(bytes.startsWith(Utf16BEMark) ? 2 : 0), false);
    return FromAnsi(bytes);
}

bool EncodeText(const QString &text, const QString &encoding, QByteArray *bytes)
{
    if (encoding == Ansi)
        *bytes = ToAnsi(text);
    else if (encoding == Utf8)
        *bytes = text.toUtf8();
    else if (encoding == Utf8Bom)
        *bytes = Utf8Mark + text.toUtf8();
    else if (encoding == LittleEndian)
        *bytes = Utf16LEMark + encodeWith(QStringConverter::Utf16LE, text);
    else if (encoding == BigEndian)
        *bytes = Utf16BEMark + encodeWith(QStringConverter::Utf16BE, text);
    else {
        bytes->clear();
        return false;
    }
    return true;
}

bool LoadDocument(const QString &path, QString *text, QString *encoding, QString *error)
{
    struct Collect : Utf8Sink {
        QByteArray bytes;
        void reserve(qint64 size) override { bytes.reserve(qsizetype(size)); }
        void append(const char *data, qsizetype size) override { bytes.append(data, size); }
        void clear() override { bytes.clear(); }
    } collect;
    DocumentReader reader;
    if (reader.open(path) != DocumentReader::Problem::None || reader.read(collect) != DocumentReader::Problem::None) {
        *error = reader.error();
        return false;
    }
    *encoding = reader.encoding();
    *text = Utf8Text(collect.bytes);
    return true;
}

bool SaveFileAsType(const QString &path, const QString &text, const QString &encoding,
                    QString *error)
{
    return SaveUtf8AsType(path, text.toUtf8(), encoding, error);
}

const QStringList &CBCharsetItems()
{
    static const QStringList items = {
        "----- Unicode -----", "utf-7", "utf-8", "iso-10646-ucs-2", "us-ascii",
        "----- Western European -----", "iso-8859-1", "latin1", "x-mac-roman", "macintosh",
        "windows-1252",
        "----- Arabic -----", "iso-8859-6", "asmo-708", "x-mac-arabic", "windows-1256",
        "----- Baltic -----", "iso-8859-4", "windows-1257",
        "----- Central European -----", "iso-8859-2", "latin2", "x-mac-ce", "windows-1250",
        "----- Chinese Simplified -----", "euc-cn", "gb2312", "hz-gb-2312", "x-mac-chinesesimp",
        "cp-936",
        "----- Chinese Traditional", "big5", "x-mac-chinesetrad", "cp-950", "cp-932", "euc-tw",
        "----- Cyrillic -----", "iso-8859-5", "koi8-r", "koi8", "x-mac-cyrillic", "windows-1251",
        "----- Greek -----", "iso-8859-7", "x-mac-greek", "windows-1253",
        "----- Hebrew -----", "iso-8859-8-i", "x-mac-hebrew", "windows-1255",
        "----- Icelandic -----", "x-mac-icelandic",
        "----- Japanese -----", "euc-jp", "iso-2022-jp", "x-mac-japanese", "shift_jis",
        "----- Korean -----", "ks_c_5601-1987", "ksc5601", "euc-kr", "iso-2022-kr",
        "x-mac-korean",
        "----- Latin 9 -----", "iso-8859-15", "latin9",
        "----- Maltese -----", "iso-8859-3", "latin3",
        "----- Thai -----", "windows-874", "tis-620",
        "----- Turkish -----", "iso-8859-9", "latin5", "x-mac-turkish", "windows-1254",
        "----- Vietnamese -----", "windows-1258",
        "----- Other -----", "isiri-3342",
    };
    return items;
}

int SetCBCharset(const QString &text)
{
    const auto found = CharsetDeclarations::Find(text, CharsetLinesExamined);
    if (found.isEmpty())
        return NoCharsetChange;
    const auto &first = found.first();
    const QString value = text.mid(first.ValueStart, first.ValueEnd - first.ValueStart).toLower();
    return CBCharsetItems().indexOf(value);  // -1 is NoCharsetChange
}

bool ReplaceCharsetInDocument(const QString &text, const QString &charset, QString *newText)
{
    const auto found = CharsetDeclarations::Find(text, CharsetLinesExamined);
    if (found.isEmpty())
        return false;
    *newText = CharsetDeclarations::Rewrite(text, found, charset);
    return true;
}

QString NewDocTemplate(NewDocKind kind, const QString &languageCode)
{
    switch (kind) {
    case NewDocKind::Html5:
        return QStringLiteral("<!doctype html>\n"
                              "<html lang=\"%1\">\n"
                              "\n"
                              "<head>\n"
                              "  <meta charset=\"utf-8\">\n"
                              "  <title></title>\n"
                              "  <meta name=\"description\" content=\"\">\n"
                              "  <meta name=\"keywords\" content=\"\">\n"
                              "  <meta name=\"generator\" content=\"VelKandrix\">\n"
                              "</head>\n"
                              "\n"
                              "<body>\n"
                              "\n"
                              "</body>\n"
                              "\n"
                              "</html>")
            .arg(languageCode.toLower());
    case NewDocKind::Html4Strict:
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"\n"
                              "   \"http://www.w3.org/TR/html4/strict.dtd\">\n"
                              "\n"
                              "<head>\n"
                              "  <title></title>\n"
                              "  <meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\">\n"
                              "  <meta name=\"description\" content=\"\">\n"
                              "  <meta name=\"keywords\" content=\"\">\n"
                              "  <meta name=\"generator\" content=\"VelKandrix\">\n"
                              "</head>\n"
                              "\n"
                              "<body>\n"
                              "\n"
                              "</body>\n"
                              "\n"
                              "</html>");
    case NewDocKind::Php:
        return QStringLiteral("<?php\n\n?>");
    case NewDocKind::Css:
        return QStringLiteral("@charset \"utf-8\";");
    case NewDocKind::Txt:
        break;
    }
    return QString();
}

QString NewDocExtension(NewDocKind kind)
{
    switch (kind) {
    case NewDocKind::Php:
        return QStringLiteral("php");
    case NewDocKind::Css:
        return QStringLiteral("css");
    case NewDocKind::Txt:
        return QStringLiteral("txt");
    case NewDocKind::Html5:
    case NewDocKind::Html4Strict:
        break;
    }
    return QStringLiteral("html");
}

QString UntitledCaption(const QString &untitledText, int number, NewDocKind kind)
{
    return untitledText + QString::number(number) + QLatin1Char('.') + NewDocExtension(kind);
}

QString FileExtension(const QString &path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < path.lastIndexOf(QLatin1Char('/')))
        return QString();
    return path.mid(dot);
}

HighlighterKind GetHighlihter(const QString &path)
{
    const QString ext = FileExtension(path).toLower();
    if (ext == QLatin1String(".css"))
        return HighlighterKind::Css;
    if (ext == QLatin1String(".js"))
        return HighlighterKind::JScript;
    if (ext == QLatin1String(".xml"))
        return HighlighterKind::Xml;
    if (ext == QLatin1String(".bat"))
        return HighlighterKind::Bat;
    if (ext == QLatin1String(".cpp"))
        return HighlighterKind::Cpp;
    if (ext == QLatin1String(".pas"))
        return HighlighterKind::Pas;
    if (ext == QLatin1String(".asm"))
        return HighlighterKind::Asm;
    if (ext == QLatin1String(".sql"))
        return HighlighterKind::Sql;
    return HighlighterKind::Multi;
}

int IndexOfSameFile(const QStringList &documentPaths, const QString &path)
{
    if (path.isEmpty())
        return -1;
    return documentPaths.indexOf(path);
}

bool IsSameFile(const QStringList &documentPaths, const QString &path)
{
    return IndexOfSameFile(documentPaths, path) >= 0;
}

} // namespace DocumentText
