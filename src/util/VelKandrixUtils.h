#pragma once
#include <QRect>
#include <QString>
#include <QtGlobal>
#include <stdexcept>

// The toolkit's colour value: 0x00BBGGRR; a system colour has 0xFF in the top byte.
using TColor = quint32;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = 0xFF000008;

// Raised by HtmlHexToColor for a colour text whose digits are not hexadecimal.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

QString ColorToHtmlHex(TColor color);
// Empty text gives 0; the first character is skipped; throws ConvertError on bad digits.
TColor HtmlHexToColor(const QString &text);

QString ExtractBetween(const QString &text, const QString &startDelim, const QString &endDelim);
QString GetTextBetween(const QString &text, const QString &startDelim, const QString &endDelim);
QString ReplaceBetween(const QString &text, const QString &startDelim, const QString &endDelim,
                       const QString &newText);
QString KeepDigits(const QString &text);
QString ShortenPathForMenu(const QString &path, int maximum);
// Folders are compared without regard to case unless told otherwise.
QString MakeRelativeLink(const QString &documentPath, const QString &targetPath,
                         Qt::CaseSensitivity folderCase = Qt::CaseInsensitive);
// Left and top 0, right the width, bottom the height; 0 by 0 when unreadable.
QRect GetImageSize(const QString &path);
