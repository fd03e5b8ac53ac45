#pragma once
// The markup of the table and container generators, without widgets. Texts are built
// with CR LF line breaks; colours are colour texts such as "#FFFFFF". Contents and the
// container's text are the user's own markup and go in unchanged.
#include <QList>
#include <QRect>
#include <QString>
#include <QVector>

// ---- Container

struct ContainerOptions {
    int width = 0;   // 0: the browser's default (no item written)
    int height = 0;
    int margin = 0;
    int padding = 2;
    QString backgroundColor = QStringLiteral("#FFFFFF");
    int borderWidth = 1; // 0 or less: no border item
    QString borderStyle = QStringLiteral("solid");
    QString borderColor = QStringLiteral("#000000");
    bool roundedCorners = false;
    int cornerRadius = 10;
    bool bold = false;
    bool italic = false;
    enum class Decoration { None, Underline, LineThrough } decoration = Decoration::None;
    QString textAlign; // "center", "left", "right", "justify", or empty for none
    QString textColor = QStringLiteral("#000080");
    QString text = QStringLiteral("Your text");
};

// One div with every setting in its style attribute, around the text.
QString ContainerMarkup(const ContainerOptions &options);

// ---- Table

// One cell of the layout: its markup and its whole style attribute (a blank, style= and
// the declarations in double quotes), or an empty style.
struct TCellState {
    QString Content = QStringLiteral("&nbsp;");
    QString Style;
};
// Indexed by column, then by row.
using CellMatrix = QVector<QVector<TCellState>>;

struct TableOptions {
    int width = 0;
    int height = 0;
    int margin = 0;
    QString backgroundColor = QStringLiteral("#FFFFFF");
    QString horizontalAlign = QStringLiteral("left"); // "center" and "right" wrap the table in a div
    int borderWidth = 1; // also replaces every cell's own border; 0 or less: none
    QString borderStyle = QStringLiteral("solid");
    QString borderColor = QStringLiteral("#000000");
    bool collapse = false;
    int paddingAllCells = 2; // 0 or less: cells keep their own padding
};

// The table. Each merged area (a rectangle of column and row indexes, as the layout grid
// keeps them) is written as one cell at its top-left with colspan and rowspan as it spans;
// the other cells it covers are left out, so every row adds up to the column count.
// Areas that overlap or leave the matrix are ignored.
QString TableMarkup(const TableOptions &options, const CellMatrix &cells, const QList<QRect> &merges);

// A cell's style attribute from the cell tool bar: its border when the width is above 0,
// and its background unless it is white (which stands for none).
QString CellStyle(int borderWidth, const QString &borderStyle, const QString &borderColor,
                  const QString &backgroundColor);

// The cell tool bar as a cell's style sets it; a style without border or background gives
// the defaults (1px solid black on white).
struct CellStyleSettings {
    int borderWidth = 1;
    QString borderStyle = QStringLiteral("solid");
    QString borderColor = QStringLiteral("#000000");
    QString backgroundColor = QStringLiteral("#FFFFFF");
};
CellStyleSettings ReadCellStyle(const QString &style);

// The cell's style with its own border replaced by the table's (or removed when the
// table has none).
QString ApplyTableBorderToCell(const QString &style, int borderWidth, const QString &borderStyle,
                               const QString &borderColor);
// The cell's style with its own padding replaced by the given one, put first.
QString ApplyPaddingToCell(const QString &style, int padding);
