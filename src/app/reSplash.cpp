#include "app/reSplash.h"

#include "core/ImageList.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QPixmap splashPicture()
{
    QPixmap pixmap(128, 128);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 110, 200), 6));
    p.setBrush(QColor(225, 238, 252));
    p.drawRoundedRect(QRectF(12, 12, 104, 104), 14, 14);
    QFont f = p.font();
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(40, 110, 200));
    p.drawText(QRectF(12, 20, 104, 60), Qt::AlignCenter, QStringLiteral("</>"));
    f.setPixelSize(16);
    p.setFont(f);
    p.setPen(QColor(60, 60, 70));
    p.drawText(QRectF(12, 76, 104, 30), Qt::AlignCenter, QStringLiteral("VelKandrix"));
    p.drawPixmap(96, 92, ImageListPixmap(imgSuccess, 20));
    return pixmap;
}
} // namespace

TSplash::TSplash(QWidget *parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("Splash");
    setFixedSize(208, 184);
    setStyleSheet("TSplash { background: #2866c8; border: 3px outset #5a8fe0; }");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    auto *inside = new QLabel(this);
    inside->setObjectName("PanelInside");
    inside->setAlignment(Qt::AlignCenter);
    inside->setStyleSheet("background: white; border: 2px inset #9ab;");
    inside->setPixmap(splashPicture());
    layout->addWidget(inside);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1500);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TSplash::Timer1Timer);
    Timer1->start();
}

void TSplash::Timer1Timer()
{
    close();
}

void TSplash::PanelInsideClick()
{
    close();
}

void TSplash::mousePressEvent(QMouseEvent *event)
{
    // Any part of the window closes it: the inner label passes its clicks up.
    QFrame::mousePressEvent(event);
    PanelInsideClick();
}
