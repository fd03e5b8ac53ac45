#include "authoring/GeneratorMarkup.h"

#include "util/VelKandrixUtils.h"

#include <QHash>
#include <QStringList>

namespace {
const QString CrLf = QStringLiteral("\r\n");

// " name:Npx;" when the value is not 0, else nothing.
QString pixels(const char *name, int value)
{
    return value != 0 ? QStringLiteral(" %1:%2px;").arg(QLatin1String(name)).arg(value) : QString();
}

QString border(int width, const QString &style, const QString &color)
{
    return QStringLiteral("border:%1px %2 %3;").arg(width).arg(style, color);
}

// The declarations of a style attribute whose items do not contain the given name, each
// followed by ";".
QString declarationsWithout(const QString &style, const QString &name)
{
    QString kept;
    const QStringList items = GetTextBetween(style, QStringLiteral("style=\""), QStringLiteral("\""))
                                  .split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &item : items) {
        if (!item.contains(name) && !item.trimmed().isEmpty())
            kept += item + QLatin1Char(';');
    }
    return kept;
}

QString styleAttribute(const QString &declarations)
{
    return declarations.isEmpty() ? QString() : QStringLiteral(" style=\"%1\"").arg(declarations);
}
} // namespace

QString ContainerMarkup(const ContainerOptions &o)
{
    QString style = pixels("width", o.width) + pixels("height", o.height) + pixels("margin", o.margin)
                    + pixels("padding", o.padding);
    style += QStringLiteral(" background-color:%1;").arg(o.backgroundColor);
    if (o.borderWidth > 0)
        style += QLatin1Char(' ') + border(o.borderWidth, o.borderStyle, o.borderColor);
    if (o.roundedCorners)
        style += QStringLiteral("border-radius:%1px;").arg(o.cornerRadius);
    if (o.bold)
        style += QStringLiteral(" font-weight:bold;");
    if (o.italic)
        style += QStringLiteral(" font-style:italic;");
    if (o.decoration == ContainerOptions::Decoration::Underline)
        style += QStringLiteral(" text-decoration:underline;");
    else if (o.decoration == ContainerOptions::Decoration::LineThrough)
        style += QStringLiteral(" text-decoration:line-through;");
    if (!o.textAlign.isEmpty())
        style += QStringLiteral(" text-align:%1;").arg(o.textAlign);
    style += QStringLiteral(" color:%1;").arg(o.textColor);
    return QStringLiteral("<div style=\"%1\">").arg(style) + CrLf + o.text + CrLf + QStringLiteral("</div>");
}

QString CellStyle(int borderWidth, const QString &borderStyle, const QString &borderColor,
                  const QString &backgroundColor)
{
    QString declarations = borderWidth > 0 ? border(borderWidth, borderStyle, borderColor) : QString();
    if (backgroundColor.compare(QStringLiteral("#FFFFFF"), Qt::CaseInsensitive) != 0)
        declarations += QStringLiteral("background-color:%1;").arg(backgroundColor);
    return styleAttribute(declarations);
}

CellStyleSettings ReadCellStyle(const QString &style)
{
    CellStyleSettings settings;
    const QStringList words = GetTextBetween(style, QStringLiteral("border:"), QStringLiteral(";"))
                                  .trimmed()
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty()) {
        settings.borderWidth = KeepDigits(words.value(0)).toInt();
        settings.borderStyle = words.value(1);
        settings.borderColor = words.value(2);
    }
    const QString background = GetTextBetween(style, QStringLiteral("background-color:"), QStringLiteral(";"));
    if (!background.isEmpty())
        settings.backgroundColor = background;
    return settings;
}

QString ApplyTableBorderToCell(const QString &style, int borderWidth, const QString &borderStyle,
                               const QString &borderColor)
{
    const QString rest = declarationsWithout(style, QStringLiteral("border:"));
    return styleAttribute((borderWidth > 0 ? border(borderWidth, borderStyle, borderColor) : QString()) + rest);
}

QString ApplyPaddingToCell(const QString &style, int padding)
{
    const QString rest = declarationsWithout(style, QStringLiteral("padding:"));
    return styleAttribute((padding > 0 ? QStringLiteral("padding:%1px;").arg(padding) : QString()) + rest);
}

QString TableMarkup(const TableOptions &o, const CellMatrix &cells, const QList<QRect> &merges)
{
    const int columns = int(cells.size());
    const int rows = columns > 0 ? int(cells.first().size()) : 0;

    // Which merged area covers each cell (-1: none); the first of two overlapping areas wins.
    QVector<QVector<int>> area(columns, QVector<int>(rows, -1));
    for (int i = 0; i < merges.size(); ++i) {
        const QRect r = merges.at(i).normalized();
        if (r.left() < 0 || r.top() < 0 || r.right() >= columns || r.bottom() >= rows)
            continue;
        bool free = true;
        for (int c = r.left(); c <= r.right() && free; ++c)
            for (int r2 = r.top(); r2 <= r.bottom() && free; ++r2)
                free = area[c][r2] < 0;
        if (!free)
            continue;
        for (int c = r.left(); c <= r.right(); ++c)
            for (int r2 = r.top(); r2 <= r.bottom(); ++r2)
                area[c][r2] = i;
    }

    QString table = pixels("width", o.width) + pixels("height", o.height) + pixels("margin", o.margin);
    table += QStringLiteral(" background-color:%1;").arg(o.backgroundColor);
    if (o.borderWidth > 0)
        table += QLatin1Char(' ') + border(o.borderWidth, o.borderStyle, o.borderColor);
    if (o.collapse)
        table += QStringLiteral(" border-collapse:collapse;");

    const bool aligned = o.horizontalAlign == QLatin1String("center") || o.horizontalAlign == QLatin1String("right");
    QHash<QString, QString> cellStyles;
    QString out;
    if (aligned)
        out += QStringLiteral("<div style=\"text-align:%1;\">").arg(o.horizontalAlign) + CrLf;
    out += QStringLiteral("<table style=\"%1\" summary=\"\">").arg(table) + CrLf;
    for (int row = 0; row < rows; ++row) {
        out += QStringLiteral("  <tr>") + CrLf;
        for (int column = 0; column < columns; ++column) {
            QString spans;
            if (const int a = area[column][row]; a >= 0) {
                const QRect r = merges.at(a).normalized();
                if (column != r.left() || row != r.top())
                    continue; // covered by the cell written at the area's top-left
                if (r.width() > 1)
                    spans += QStringLiteral(" colspan=\"%1\"").arg(r.width());
                if (r.height() > 1)
                    spans += QStringLiteral(" rowspan=\"%1\"").arg(r.height());
            }
            const TCellState &cell = cells[column][row];
            // Most cells share a few styles: each is rewritten once.
            auto style = cellStyles.find(cell.Style);
            if (style == cellStyles.end()) {
                QString rewritten = ApplyTableBorderToCell(cell.Style, o.borderWidth, o.borderStyle, o.borderColor);
                if (o.paddingAllCells > 0)
                    rewritten = ApplyPaddingToCell(rewritten, o.paddingAllCells);
                style = cellStyles.insert(cell.Style, rewritten);
            }
            out += QLatin1String("    <td") + *style + spans + QLatin1Char('>') + cell.Content + QLatin1String("</td>")
                   + CrLf;
        }
        out += QStringLiteral("  </tr>") + CrLf;
    }
    out += QStringLiteral("</table>") + CrLf;
    if (aligned)
        out += QStringLiteral("</div>");
    return out;
}
