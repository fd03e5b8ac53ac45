#include "core/reAbout.h"

#include "core/FixedDialogBorder.h"
#include "dialogs/MessageBoxes.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QLabel *label(QWidget *parent, const QString &name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    return l;
}
} // namespace

TAbout::TAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName("About");
    UseFixedDialogBorder(this, QSize(369, 153));

    ImageWallpaper = new QLabel(this);
    ImageWallpaper->setObjectName("ImageWallpaper");
    ImageWallpaper->setScaledContents(true);
    ImageWallpaper->setGeometry(rect());

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 6, 0);
    layout->setSpacing(0);

    auto *logoPanel = new QFrame(this);
    logoPanel->setObjectName("PanelLogo");
    logoPanel->setFixedWidth(140);
    logoPanel->setStyleSheet("#PanelLogo { background-color: #1f4e8c; }");
    auto *logoLayout = new QVBoxLayout(logoPanel);
    logoLayout->setContentsMargins(6, 6, 6, 6);
    ImageLogo = new QLabel(logoPanel);
    ImageLogo->setObjectName("ImageLogo");
    ImageLogo->setFixedSize(128, 128);
    ImageLogo->setPixmap(Logo(128));
    ImageLogo->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *credit = new QAction(QStringLiteral("Q.M.R Crew"), ImageLogo);
    credit->setObjectName("PopupCredit");
    ImageLogo->addAction(credit);
    logoLayout->addWidget(ImageLogo, 0, Qt::AlignCenter);
    layout->addWidget(logoPanel);
    layout->addSpacing(8);

    auto *column = new QWidget(this);
    column->setFixedWidth(209);
    auto *texts = new QVBoxLayout(column);
    texts->setContentsMargins(0, 3, 0, 5);
    texts->setSpacing(0);
    LabelSoftName = label(column, "LabelSoftName");
    QFont bold = LabelSoftName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    LabelSoftName->setFont(bold);
    LabelSoftVersion = label(column, "LabelSoftVersion");
    QFont italic = LabelSoftVersion->font();
    italic.setItalic(true);
    LabelSoftVersion->setFont(italic);
    LabelAuthor = label(column, "LabelAuthor");
    LabelAuthor->setText(QStringLiteral("by Q.M.R Crew"));
    LabelWebsite = label(column, "LabelWebsite");
    QFont link = LabelWebsite->font();
    link.setUnderline(true);
    LabelWebsite->setFont(link);
    LabelWebsite->setStyleSheet("color: #0000ff;");
    LabelWebsite->setCursor(Qt::PointingHandCursor);
    LabelWebsite->installEventFilter(this);
    AboutLabel01 = label(column, "AboutLabel01");
    AboutLabel02 = label(column, "AboutLabel02");
    // Two message lines of any language must fit the box's fixed height.
    QFont small = AboutLabel01->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    AboutLabel01->setFont(small);
    AboutLabel02->setFont(small);
    ButtonClose = new QPushButton(column);
    ButtonClose->setObjectName("ButtonClose");
    ButtonClose->setDefault(true);
    connect(ButtonClose, &QPushButton::clicked, this, &TAbout::ButtonCloseClick);
    for (QLabel *l : {LabelSoftName, LabelSoftVersion, LabelAuthor, LabelWebsite, AboutLabel01, AboutLabel02})
        texts->addWidget(l);
    texts->addStretch();
    texts->addSpacing(2);
    texts->addWidget(ButtonClose, 0, Qt::AlignHCenter);
    layout->addWidget(column);
    layout->addStretch();
}

void TAbout::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TAbout::FormShow()
{
    // Without its picture the box is shown plain.
    QPixmap wallpaper;
    if (QFileInfo(Paths().WallpaperFile).isFile() && wallpaper.load(Paths().WallpaperFile))
        ImageWallpaper->setPixmap(wallpaper);
    ImageWallpaper->lower();
    setWindowTitle(FormAboutCaption);
    LabelSoftName->setText(ProductName);
    LabelSoftVersion->setText("v. " + FullVersion);
    AboutLabel01->setText(FormAboutMess01);
    AboutLabel02->setText(FormAboutMess02);
    LabelWebsite->setText(WebsiteAddress);
    ButtonClose->setText(SClose);
    // A wrapped message keeps all its lines in the fixed-height box.
    for (QLabel *l : {AboutLabel01, AboutLabel02})
        l->setMinimumHeight(l->heightForWidth(209));
    AboutLabel01->parentWidget()->layout()->activate();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAbout::ButtonCloseClick()
{
    close();
}

void TAbout::LabelWebsiteClick()
{
    OpenOrSay(WebsiteAddress);
}

bool TAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LabelWebsite && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        LabelWebsiteClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QPixmap TAbout::Logo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal s = size;
    // A rounded sheet of paper with a folded corner.
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(s * 0.08, s * 0.06, s * 0.84, s * 0.88), s * 0.1, s * 0.1);
    QLinearGradient paper(0, 0, 0, s);
    paper.setColorAt(0, QColor("#ffffff"));
    paper.setColorAt(1, QColor("#d9e4f2"));
    p.setPen(QPen(QColor("#0d2f5c"), s * 0.025));
    p.setBrush(paper);
    p.drawPath(sheet);
    // The markup brackets.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(int(s * 0.30));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor("#1f4e8c"));
    p.drawText(QRectF(0, s * 0.12, s, s * 0.4), Qt::AlignCenter, QStringLiteral("</>"));
    // The initials, with a tick: the page checked.
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(s * 0.26));
    p.setFont(font);
    p.setPen(QColor("#0d2f5c"));
    p.drawText(QRectF(s * 0.1, s * 0.5, s * 0.5, s * 0.36), Qt::AlignCenter, QStringLiteral("VK"));
    QPainterPath tick;
    tick.moveTo(s * 0.60, s * 0.68);
    tick.lineTo(s * 0.69, s * 0.78);
    tick.lineTo(s * 0.84, s * 0.56);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor("#2e8b3d"), s * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return pixmap;
}
