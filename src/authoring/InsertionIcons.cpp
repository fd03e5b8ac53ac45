#include "authoring/InsertionIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
const QColor ink(50, 55, 70);
const QColor blue(40, 100, 190);
const QColor green(40, 140, 70);
const QColor red(200, 50, 50);
const QColor grey(150, 150, 160);

void glyph(QPainter &p, const QString &text, int pixelSize, bool bold = true, bool italic = false,
           const QColor &color = ink)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
}

void lines(QPainter &p, const QList<QPair<int, int>> &spans, const QColor &color = ink)
{
    p.setPen(QPen(color, 1));
    int y = 3;
    for (const auto &span : spans) {
        p.drawLine(QPointF(span.first + 0.5, y + 0.5), QPointF(span.second + 0.5, y + 0.5));
        y += 3;
    }
}

void grid(QPainter &p, int columns, int rows, const QColor &fill = Qt::white)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    for (int c = 1; c < columns; ++c) {
        const double x = 1.5 + 13.0 * c / columns;
        p.drawLine(QPointF(x, 2.5), QPointF(x, 13.5));
    }
    for (int r = 1; r < rows; ++r) {
        const double y = 2.5 + 11.0 * r / rows;
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
    }
}

void field(QPainter &p, const QRectF &rect, const QColor &fill = Qt::white)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawRect(rect);
}

void picture(QPainter &p)
{
    field(p, QRectF(1.5, 2.5, 13, 11), QColor(210, 230, 250));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    QPolygonF hill;
    hill << QPointF(2, 13) << QPointF(7, 7) << QPointF(10, 10) << QPointF(12, 8) << QPointF(14, 13);
    p.drawPolygon(hill);
    p.setBrush(QColor(240, 190, 40));
    p.drawEllipse(QRectF(9.5, 4, 3, 3));
}

void chain(QPainter &p, const QColor &color)
{
    p.setPen(QPen(color, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 5.5, 8, 5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(6.5, 5.5, 8, 5), 2.5, 2.5);
}

void bullets(QPainter &p, bool numbered)
{
    for (int i = 0; i < 3; ++i) {
        const int y = 2 + i * 5;
        if (numbered) {
            QFont font(QStringLiteral("Sans Serif"));
            font.setPixelSize(6);
            p.setFont(font);
            p.setPen(blue);
            p.drawText(QRect(0, y - 1, 5, 6), Qt::AlignCenter, QString::number(i + 1));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(blue);
            p.drawEllipse(QRectF(1, y + 0.5, 3, 3));
        }
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(6.5, y + 2.5), QPointF(14.5, y + 2.5));
    }
}

void paint(QPainter &p, const QString &name)
{
    if (name == QLatin1String("ButtonComments")) {
        glyph(p, QStringLiteral("<!>"), 8, true, false, grey.darker(130));
    } else if (name == QLatin1String("ButtonTagTitle")) {
        glyph(p, QStringLiteral("H1"), 10);
    } else if (name == QLatin1String("Button_P")) {
        glyph(p, QString(QChar(0x00B6)), 13);
    } else if (name == QLatin1String("ButtonPageBreak")) {
        p.setPen(QPen(ink, 1.5));
        p.drawLine(QPointF(13, 3), QPointF(13, 10));
        p.drawLine(QPointF(13, 10), QPointF(4, 10));
        p.drawLine(QPointF(4, 10), QPointF(7, 7));
        p.drawLine(QPointF(4, 10), QPointF(7, 13));
    } else if (name == QLatin1String("ButtonBolds")) {
        glyph(p, QStringLiteral("B"), 13);
    } else if (name == QLatin1String("ButtonItalics")) {
        glyph(p, QStringLiteral("I"), 13, true, true);
    } else if (name == QLatin1String("ButtonUnderline") || name == QLatin1String("ToolButton1")) {
        glyph(p, QStringLiteral("U"), 12);
        p.drawLine(QPointF(4, 14.5), QPointF(12, 14.5));
    } else if (name == QLatin1String("Button_del")) {
        glyph(p, QStringLiteral("S"), 13);
        p.setPen(QPen(red, 1.5));
        p.drawLine(QPointF(2, 8.5), QPointF(14, 8.5));
    } else if (name == QLatin1String("ButtonJustifyCenter")) {
        lines(p, {{1, 14}, {4, 11}, {1, 14}, {4, 11}});
    } else if (name == QLatin1String("ButtonJustifyLeft")) {
        lines(p, {{1, 14}, {1, 9}, {1, 14}, {1, 9}});
    } else if (name == QLatin1String("ButtonJustifyRight")) {
        lines(p, {{1, 14}, {6, 14}, {1, 14}, {6, 14}});
    } else if (name == QLatin1String("ButtonJustify")) {
        lines(p, {{1, 14}, {1, 14}, {1, 14}, {1, 14}});
    } else if (name == QLatin1String("ButtonColors")) {
        glyph(p, QStringLiteral("A"), 11);
        p.fillRect(QRectF(2, 13, 12, 3), red);
    } else if (name == QLatin1String("ButtonAnchors")) {
        glyph(p, QStringLiteral("#"), 13, true, false, blue);
    } else if (name == QLatin1String("ButtonLinkInternal")) {
        chain(p, green);
    } else if (name == QLatin1String("ButtonLinkExternal")) {
        chain(p, blue);
    } else if (name == QLatin1String("ButtonImage")) {
        picture(p);
    } else if (name == QLatin1String("ButtonContainer")) {
        p.setPen(QPen(grey.darker(140), 1));
        p.setBrush(QColor(255, 255, 240));
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(4, 6.5), QPointF(12, 6.5));
        p.drawLine(QPointF(4, 9.5), QPointF(10, 9.5));
    } else if (name == QLatin1String("ButtonTableEditor")) {
        grid(p, 3, 3);
    } else if (name == QLatin1String("Button_TR")) {
        grid(p, 3, 3);
        p.fillRect(QRectF(2, 6.5, 12, 3), QColor(40, 100, 190, 140));
    } else if (name == QLatin1String("Button_TD")) {
        grid(p, 3, 3);
        p.fillRect(QRectF(6.5, 6.5, 3.5, 3), QColor(40, 100, 190, 200));
    } else if (name == QLatin1String("ButtonList_UL")) {
        bullets(p, false);
    } else if (name == QLatin1String("ButtonList_OL")) {
        bullets(p, true);
    } else if (name == QLatin1String("ButtonList_LI")) {
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QRectF(1, 6.5, 3, 3));
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(6.5, 8.5), QPointF(14.5, 8.5));
    } else if (name == QLatin1String("ButtonForm")) {
        field(p, QRectF(1.5, 1.5, 13, 13), QColor(245, 245, 250));
        field(p, QRectF(3.5, 4.5, 9, 3));
        field(p, QRectF(3.5, 9.5, 5, 3), QColor(220, 220, 225));
    } else if (name == QLatin1String("ButtonFormImg")) {
        picture(p);
        p.setPen(QPen(ink, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.75, 1.75, 14.5, 12.5));
    } else if (name == QLatin1String("ButtonFormInputText")) {
        field(p, QRectF(1.5, 4.5, 13, 7));
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(4.5, 6), QPointF(4.5, 10));
    } else if (name == QLatin1String("ButtonFormTextArea")) {
        field(p, QRectF(1.5, 1.5, 13, 13));
        lines(p, {{3, 11}, {3, 11}, {3, 9}});
    } else if (name == QLatin1String("ButtonFormCheck")) {
        field(p, QRectF(2.5, 2.5, 11, 11));
        p.setPen(QPen(green, 2));
        p.drawLine(QPointF(4.5, 8), QPointF(7, 11));
        p.drawLine(QPointF(7, 11), QPointF(12, 4.5));
    } else if (name == QLatin1String("ButtonFormRadio")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.setBrush(ink);
        p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    } else if (name == QLatin1String("ButtonFormSelect")) {
        field(p, QRectF(1.5, 4.5, 13, 7));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        QPolygonF arrow;
        arrow << QPointF(9, 7) << QPointF(13, 7) << QPointF(11, 10);
        p.drawPolygon(arrow);
    } else if (name == QLatin1String("ButtonFormListBox")) {
        field(p, QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(2, 5.5, 12, 3), QColor(40, 100, 190, 160));
        lines(p, {{3, 11}});
        p.drawLine(QPointF(3.5, 9.5), QPointF(11.5, 9.5));
        p.drawLine(QPointF(3.5, 12.5), QPointF(11.5, 12.5));
    } else if (name == QLatin1String("ButtonFormButton")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(225, 225, 232));
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 2, 2);
    } else if (name == QLatin1String("ButtonFormReset")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(225, 225, 232));
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 2, 2);
        glyph(p, QString(QChar(0x00D7)), 10, true, false, red);
    } else if (name == QLatin1String("ButtonFormSubmit")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(225, 225, 232));
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 2, 2);
        glyph(p, QString(QChar(0x2713)), 9, true, false, green);
    } else if (name == QLatin1String("ButtonFormAttachFile")) {
        field(p, QRectF(1.5, 4.5, 9, 7));
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(225, 225, 232));
        p.drawRect(QRectF(10.5, 4.5, 4, 7));
    } else if (name == QLatin1String("ButtonFormPassword")) {
        field(p, QRectF(1.5, 4.5, 13, 7));
        glyph(p, QStringLiteral("***"), 8);
    } else if (name == QLatin1String("ButtonFormHidden")) {
        p.setPen(QPen(grey, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 4.5, 13, 7));
    }
}
} // namespace

QIcon InsertionIcon(const QString &buttonName)
{
    static QHash<QString, QIcon> cache;
    const auto found = cache.constFind(buttonName);
    if (found != cache.constEnd())
        return *found;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        paint(p, buttonName);
    }
    const QIcon icon(pixmap);
    cache.insert(buttonName, icon);
    return icon;
}
