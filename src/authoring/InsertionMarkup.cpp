#include "authoring/InsertionMarkup.h"

#include "util/VelKandrixUtils.h"

#include <QRegularExpression>

namespace {
const QString CrLf = QStringLiteral("\r\n");

// The tag's text inside its angle brackets: "<p>" gives "p".
QString innerOf(const QString &tag)
{
    return tag.size() >= 2 ? tag.mid(1, tag.size() - 2) : QString();
}

// The part of a path that no relative link can leave: a drive ("C:"), a network share
// ("//server/share") or "/"; empty for a relative path.
QString rootOf(const QString &path)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    static const QRegularExpression share(QStringLiteral("^//[^/]+/[^/]+"));
    const QRegularExpressionMatch d = drive.match(path);
    if (d.hasMatch())
        return d.captured().toUpper();
    const QRegularExpressionMatch s = share.match(path);
    if (s.hasMatch())
        return s.captured().toLower();
    return path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
}
} // namespace

QString StripHotKeys(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text.at(i);
    }
    return out;
}

Insertion OpenEmptyTagInsertion(const QString &tag, const QString &selected, bool keepSelected)
{
    const QString opening = QLatin1Char('<') + innerOf(tag) + QLatin1Char('>');
    return {opening + (keepSelected ? selected : QString()), int(opening.size()), 0};
}

Insertion ClosedTagInsertion(const QString &tag, const QString &selected)
{
    const QString inner = innerOf(tag);
    return DoubleTagInsertion(QLatin1Char('<') + inner + QLatin1Char('>'), QStringLiteral("</") + inner + QLatin1Char('>'),
                              selected);
}

Insertion AttributeInsertion(const QString &attribute, const QString &selected)
{
    const QString head = QLatin1Char(' ') + attribute.left(attribute.size() - 1);
    return {head + selected + QLatin1Char('"'), int(head.size()), 0};
}

Insertion DoubleTagInsertion(const QString &opening, const QString &closing, const QString &selected)
{
    return {opening + selected + closing, int(opening.size()), int(selected.size())};
}

Insertion BlockInsertion(const QString &text)
{
    return {text, int(text.size()), 0};
}

QString ListMarkup(const QString &tag, int items)
{
    QString out = QStringLiteral("<%1>").arg(tag) + CrLf;
    for (int i = 0; i < items; ++i)
        out += QStringLiteral("<li></li>") + CrLf;
    return out + QStringLiteral("</%1>").arg(tag);
}

QString TableRowMarkup()
{
    return QStringLiteral("  <tr>") + CrLf + CrLf + QStringLiteral("  </tr>");
}

QString ContainerWithBorderMarkup()
{
    return QStringLiteral("<div style=\"border: 1px solid gray; background-color: ivory; padding:5px;\">") + CrLf + CrLf
           + QStringLiteral("</div>");
}

QString FormMarkup()
{
    return QStringLiteral("<form action=\"https://www.example.com/form-handler\" method=\"post\">") + CrLf + CrLf
           + QStringLiteral("</form>");
}

QString OptionLines(int options)
{
    QString out;
    for (int i = 0; i < options; ++i) {
        out += i == 0 ? QStringLiteral("  <option value=\"\" selected=\"selected\"> </option>")
                      : QStringLiteral("  <option value=\"\"> </option>");
        out += CrLf;
    }
    return out;
}

QString SelectMarkup(int options)
{
    return QStringLiteral("<select name=\"\">") + CrLf + OptionLines(options) + QStringLiteral("</select>");
}

QString ListBoxMarkup(int options)
{
    return QStringLiteral("<select name=\"\" size=\"%1\">").arg(options) + CrLf + OptionLines(options)
           + QStringLiteral("</select>");
}

QString CheckboxMarkup(int number)
{
    return QStringLiteral("<label><input type=\"checkbox\" name=\"\" value=\"\"> Checkbox %1</label>").arg(number);
}

QString RadioMarkup(int number)
{
    return QStringLiteral("<label><input type=\"radio\" name=\"\" value=\"\"> Radio button %1</label>").arg(number);
}

QString ButtonMarkup(int number)
{
    return QStringLiteral("<input type=\"button\" name=\"\" value=\"Button %1\">").arg(number);
}

QString ResetMarkup(const QString &caption)
{
    return QStringLiteral("<input type=\"reset\" name=\"\" value=\"%1\">").arg(caption);
}

QString SubmitMarkup(const QString &caption)
{
    return QStringLiteral("<input type=\"submit\" name=\"\" value=\"%1\">").arg(caption);
}

QString ColorSpanOpening(const QString &color)
{
    return QStringLiteral("<span style=\"color:%1\">").arg(color);
}

QString ColorStyleAttribute(const QString &color)
{
    return QStringLiteral("style=\"color:%1;\"").arg(color);
}

QString ColorProperty(const QString &color)
{
    return QStringLiteral("color:%1;").arg(color);
}

QString EncodeLinkText(const QString &link)
{
    QString out;
    out.reserve(link.size());
    for (const QChar c : link) {
        switch (c.unicode()) {
        case ' ': out += QStringLiteral("%20"); break;
        case '"': out += QStringLiteral("%22"); break;
        case '#': out += QStringLiteral("%23"); break;
        case '%': out += QStringLiteral("%25"); break;
        case '&': out += QStringLiteral("%26"); break;
        default: out += c;
        }
    }
    return out;
}

QString LinkToFile(const QString &documentPath, const QString &targetPath)
{
    QString document = documentPath;
    QString target = targetPath;
    document.replace(QLatin1Char('\\'), QLatin1Char('/'));
    target.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString root = rootOf(target);
    if (root.isEmpty() || root != rootOf(document)) {
        const QString prefix = target.startsWith(QLatin1String("//"))  ? QStringLiteral("file:")
                               : target.startsWith(QLatin1Char('/')) ? QStringLiteral("file://")
                                                                      : QStringLiteral("file:///");
        return EncodeLinkText(prefix + target);
    }
    // File names differ by case on this platform, so do folders; drive letters do not.
    if (root.endsWith(QLatin1Char(':'))) {
        document.replace(0, 2, root);
        target.replace(0, 2, root);
    }
    return EncodeLinkText(MakeRelativeLink(document, target, Qt::CaseSensitive));
}

QString ImageMarkup(ImageMarkupKind kind, const QString &link, const QSize &size)
{
    const QString dimensions =
        size.isEmpty() ? QString() : QStringLiteral(" width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height());
    switch (kind) {
    case ImageMarkupKind::Image:
        return QStringLiteral("<img src=\"%1\"%2 alt=\"\" />").arg(link, dimensions);
    case ImageMarkupKind::GeneratorImage:
        return QStringLiteral("<img src=\"%1\"%2 alt=\"\">").arg(link, dimensions);
    case ImageMarkupKind::FormImage:
        break;
    }
    return QStringLiteral("<input type=\"image\" src=\"%1\"%2 alt=\"\">").arg(link, dimensions);
}

QString LinkOpening(const QString &link)
{
    return QStringLiteral("<a href=\"%1\" title=\"\">").arg(link);
}
