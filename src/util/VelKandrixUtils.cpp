#include "util/VelKandrixUtils.h"

#include <QFile>
#include <QStringList>

QString ColorToHtmlHex(TColor color)
{
    // Red, green, blue from the three low bytes; the top byte is ignored.
    return QString::asprintf("#%02X%02X%02X", unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF),
                             unsigned((color >> 16) & 0xFF));
}

namespace {
bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return u - 'a' + 10;
}
} // namespace

TColor HtmlHexToColor(const QString &text)
{
    if (text.isEmpty())
        return 0;
    // The first character is not checked. The number is written blue, green, red from the
    // pairs at 2-3, 4-5 and 6-7; a short text contributes only the digits it has (so
    // "#12345" reads as 0x053412), and a text with no digit at all is not a number.
    const QString digits = text.mid(5, 2) + text.mid(3, 2) + text.mid(1, 2);
    if (digits.isEmpty())
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    TColor value = 0;
    for (QChar c : digits) {
        if (!isHexDigit(c))
            throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        value = (value << 4) | TColor(hexValue(c));
    }
    return value;
}

QString ExtractBetween(const QString &text, const QString &startDelim, const QString &endDelim)
{
    const int start = text.indexOf(startDelim);
    if (start < 0)
        return QString();
    const QString rest = text.mid(start + startDelim.size());
    const int end = rest.indexOf(endDelim);
    if (end < 0)
        return QString();
    return rest.left(end);
}

QString GetTextBetween(const QString &text, const QString &startDelim, const QString &endDelim)
{
    return ExtractBetween(text, startDelim, endDelim);
}

QString ReplaceBetween(const QString &text, const QString &startDelim, const QString &endDelim,
                       const QString &newText)
{
    const int start = text.indexOf(startDelim);
    if (start < 0)
        return QString();
    const int valueBegin = start + startDelim.size();
    int end = text.indexOf(endDelim, valueBegin);
    // No end delimiter: nothing is removed, the new text goes right after the start delimiter.
    if (end < 0)
        end = valueBegin;
    return text.left(valueBegin) + newText + text.mid(end);
}

QString KeepDigits(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out.append(c);
    }
    return out;
}

QString ShortenPathForMenu(const QString &path, int maximum)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    if (folder.size() + name.size() <= maximum)
        return path;
    const int room = maximum - (int(name.size()) + 4);
    if (room < 3) {
        // Paths have no drive here: the drive part is empty.
        return QStringLiteral("/.../") + name;
    }
    return folder.left(room) + QStringLiteral(".../") + name;
}

QString MakeRelativeLink(const QString &documentPath, const QString &targetPath, Qt::CaseSensitivity folderCase)
{
    const int docSlash = documentPath.lastIndexOf(QLatin1Char('/'));
    const int targetSlash = targetPath.lastIndexOf(QLatin1Char('/'));
    const QStringList docParts =
        documentPath.left(docSlash + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QStringList targetParts =
        targetPath.left(targetSlash + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString targetName = targetPath.mid(targetSlash + 1);

    // Folders are compared component by component.
    int common = 0;
    while (common < docParts.size() && common < targetParts.size()
           && docParts[common].compare(targetParts[common], folderCase) == 0)
        ++common;

    QString link;
    for (int i = common; i < docParts.size(); ++i)
        link += QStringLiteral("../");
    for (int i = common; i < targetParts.size(); ++i)
        link += targetParts[i] + QLatin1Char('/');
    link += targetName;
    if (!link.contains(QLatin1String("../")))
        link.prepend(QStringLiteral("./"));
    return link;
}

namespace {
int le16(const QByteArray &b, int at)
{
    return quint8(b[at]) | (quint8(b[at + 1]) << 8);
}

int be16(const QByteArray &b, int at)
{
    return (quint8(b[at]) << 8) | quint8(b[at + 1]);
}

QRect sizeRect(int width, int height)
{
    return QRect(QPoint(0, 0), QPoint(width, height));
}

bool isStartOfFrame(quint8 type)
{
    return type >= 0xC0 && type <= 0xCF && type != 0xC4 && type != 0xC8 && type != 0xCC;
}

QRect jpegSize(QFile &file)
{
    const QByteArray head = file.read(11);
    if (head.size() < 11 || quint8(head[0]) != 0xFF || quint8(head[1]) != 0xD8
        || quint8(head[2]) != 0xFF || quint8(head[3]) != 0xE0)
        return sizeRect(0, 0);
    // The current segment: its marker at start, its type at start + 1, its length at start + 2.
    qint64 start = 2;
    int length = be16(head, 4);
    for (;;) {
        const qint64 next = start + 2 + length;
        if (!file.seek(next))
            return sizeRect(0, 0);
        const QByteArray seg = file.read(9);
        if (seg.size() < 9)
            return sizeRect(0, 0);
        const quint8 type = quint8(seg[1]);
        if (type == 0xDA)
            return sizeRect(0, 0);
        if (isStartOfFrame(type))
            return sizeRect(be16(seg, 7), be16(seg, 5));
        start = next;
        length = be16(seg, 2);
    }
}
} // namespace

QRect GetImageSize(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot > slash ? path.mid(dot).toUpper() : QString();
    if (ext.isEmpty())
        return sizeRect(0, 0);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sizeRect(0, 0);

    if (ext == QLatin1String(".BMP")) {
        const QByteArray b = file.read(24);
        if (b.size() < 24)
            return sizeRect(0, 0);
        return sizeRect(le16(b, 18), le16(b, 22));
    }
    if (ext == QLatin1String(".GIF")) {
        const QByteArray b = file.read(10);
        if (b.size() < 10)
            return sizeRect(0, 0);
        return sizeRect(le16(b, 6), le16(b, 8));
    }
    if (ext == QLatin1String(".PNG")) {
        const QByteArray b = file.read(24);
        if (b.size() < 24)
            return sizeRect(0, 0);
        return sizeRect(be16(b, 18), be16(b, 22));
    }
    if (ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG"))
        return jpegSize(file);
    return sizeRect(0, 0);
}
