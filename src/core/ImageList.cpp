#include "core/ImageList.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor ink(60, 60, 70);
const QColor blue(40, 110, 200);
const QColor green(40, 150, 70);
const QColor red(200, 50, 50);
const QColor amber(230, 170, 20);
const QColor grey(160, 160, 165);

void page(QPainter &p, const QColor &fill)
{
    QPainterPath path;
    path.moveTo(3, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(13, 4.5);
    path.lineTo(13, 14.5);
    path.lineTo(3, 14.5);
    path.closeSubpath();
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(10, 1.5), QPointF(10, 4.5));
    p.drawLine(QPointF(10, 4.5), QPointF(13, 4.5));
}

void textLines(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
}

void floppy(QPainter &p, const QColor &body)
{
    p.setPen(QPen(body.darker(140), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(body.lighter(150));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void arrow(QPainter &p, const QColor &c, bool left)
{
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (left) {
        path.moveTo(4, 7);
        path.cubicTo(7, 3, 13, 4, 13, 10);
    } else {
        path.moveTo(12, 7);
        path.cubicTo(9, 3, 3, 4, 3, 10);
    }
    p.drawPath(path);
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    QPolygonF head;
    if (left)
        head << QPointF(1, 8) << QPointF(7, 9) << QPointF(4, 3);
    else
        head << QPointF(15, 8) << QPointF(9, 9) << QPointF(12, 3);
    p.drawPolygon(head);
}

void badge(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c.darker(130), 1));
    p.setBrush(c);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

void paint(QPainter &p, int index)
{
    switch (index) {
    case imgDocSaved:
        page(p, Qt::white);
        textLines(p, grey);
        break;
    case imgDocModified:
        page(p, Qt::white);
        textLines(p, grey);
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawEllipse(QRectF(8, 8, 7, 7));
        break;
    case imgEditorPage:
        page(p, Qt::white);
        textLines(p, blue);
        break;
    case imgPreviewPage:
        p.setPen(QPen(blue, 1.2));
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case imgSuccess:
        badge(p, green);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF() << QPointF(4.5, 8) << QPointF(7, 10.5) << QPointF(11.5, 5));
        break;
    case imgErrors:
        badge(p, red);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        break;
    case imgWarnings: {
        QPolygonF tri;
        tri << QPointF(8, 1) << QPointF(15, 14.5) << QPointF(1, 14.5);
        p.setPen(QPen(amber.darker(130), 1));
        p.setBrush(amber);
        p.drawPolygon(tri);
        p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 5.5), QPointF(8, 9.5));
        p.drawPoint(QPointF(8, 12.3));
        break;
    }
    case imgUndo: arrow(p, blue, true); break;
    case imgUndoOff: arrow(p, grey, true); break;
    case imgRedo: arrow(p, blue, false); break;
    case imgRedoOff: arrow(p, grey, false); break;
    case imgSaveActive: floppy(p, blue); break;
    case imgSaveIdle: floppy(p, grey); break;
    case imgNew:
        page(p, Qt::white);
        p.setPen(QPen(green, 2));
        p.drawLine(QPointF(8, 7), QPointF(8, 13));
        p.drawLine(QPointF(5, 10), QPointF(11, 10));
        break;
    case imgOpen:
        p.setPen(QPen(amber.darker(150), 1));
        p.setBrush(amber.lighter(130));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.setBrush(amber);
        p.drawPolygon(QPolygonF() << QPointF(3.5, 7.5) << QPointF(15, 7.5) << QPointF(13.5, 13.5)
                                  << QPointF(1.5, 13.5));
        break;
    case imgAnalyze:
        p.setPen(QPen(ink, 1.5));
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        p.setPen(QPen(green, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF() << QPointF(4, 6) << QPointF(5.5, 7.5) << QPointF(8, 4));
        break;
    case imgClean:
        p.setPen(QPen(QColor(140, 90, 40), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 2), QPointF(7, 9));
        p.setPen(QPen(amber.darker(120), 1));
        p.setBrush(amber);
        p.drawPolygon(QPolygonF() << QPointF(5, 8) << QPointF(9, 11) << QPointF(6, 15) << QPointF(1, 13));
        break;
    case imgUndoClean:
        arrow(p, red, true);
        break;
    case imgOptimizer:
        p.setPen(QPen(amber.darker(140), 1));
        p.setBrush(amber);
        p.drawPolygon(QPolygonF() << QPointF(9, 1) << QPointF(3, 9) << QPointF(7.5, 9) << QPointF(6, 15)
                                  << QPointF(13, 6) << QPointF(8.5, 6));
        break;
    case imgImageResize:
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(200, 225, 245));
        p.drawRect(QRectF(1.5, 3.5, 13, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPolygon(QPolygonF() << QPointF(2, 13) << QPointF(6, 8) << QPointF(9, 11) << QPointF(11, 9)
                                  << QPointF(14, 13));
        break;
    case imgEntities: {
        QFont f = p.font();
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.setPen(blue);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("&"));
        break;
    }
    case imgWordWrap:
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(2, 3.5), QPointF(14, 3.5));
        p.drawLine(QPointF(2, 12.5), QPointF(7, 12.5));
        p.setPen(QPen(blue, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7, 6, 7, 6.5), 90 * 16, -180 * 16);
        p.drawLine(QPointF(10.5, 12.5), QPointF(8, 12.5));
        break;
    case imgHiddenChars: {
        QFont f = p.font();
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QString(QChar(0x00B6)));
        break;
    }
    case imgPrevious:
    case imgNext: {
        const bool left = index == imgPrevious;
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        QPolygonF tri;
        if (left)
            tri << QPointF(3, 8) << QPointF(12, 2.5) << QPointF(12, 13.5);
        else
            tri << QPointF(13, 8) << QPointF(4, 2.5) << QPointF(4, 13.5);
        p.drawPolygon(tri);
        break;
    }
    case imgReload:
        p.setPen(QPen(green, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPolygon(QPolygonF() << QPointF(9, 0.5) << QPointF(14, 3) << QPointF(9.5, 6.5));
        break;
    case imgAddOption:
    case imgDeleteOption:
        badge(p, index == imgAddOption ? green : red);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
        if (index == imgAddOption)
            p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
        break;
    case imgClose:
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
        p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
        break;
    default: {
        QFont f = p.font();
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QPen(blue, 1));
        p.setBrush(QColor(235, 242, 252));
        p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 2, 2);
        p.drawText(QRectF(0, 2, 16, 12), Qt::AlignCenter, QStringLiteral("</>"));
        break;
    }
    }
}
} // namespace

QPixmap ImageListPixmap(int index, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    paint(p, index);
    return pixmap;
}

QIcon ImageList1(int index)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(index);
    if (it == cache.end()) {
        QIcon icon;
        icon.addPixmap(ImageListPixmap(index, 16));
        icon.addPixmap(ImageListPixmap(index, 32));
        it = cache.insert(index, icon);
    }
    return *it;
}
