#include "authoring/TImageSizeCalculator.h"

#include "program/MessagesKandrix.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

// A soft silver background with a few light diagonal strokes.
QPixmap background()
{
    QPixmap picture(386, 135);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 386, 135);
    gradient.setColorAt(0, QColor(0xF4, 0xF5, 0xF7));
    gradient.setColorAt(1, QColor(0xC9, 0xCE, 0xD6));
    painter.fillRect(picture.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 14));
    for (int x = -135; x < 386; x += 60)
        painter.drawLine(x, 135, x + 135, 0);
    return picture;
}

QLabel *label(QWidget *parent, const char *name, bool bold = false)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    if (bold) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
    }
    return l;
}

QLineEdit *sizeBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    // Digits only, as many as any picture needs.
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setMaxLength(9);
    box->setMinimumWidth(60);
    return box;
}

QString text(const QString &message, const char *fallback)
{
    return message.isEmpty() ? QString::fromUtf8(fallback) : message;
}

} // namespace

TImageSizeCalculator::TImageSizeCalculator(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ImageSizeCalculator"));
    setWindowTitle(QStringLiteral("Image Resizing Calculator"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(background());
    Image1->setScaledContents(true);
    Image1->lower();

    LabelOriginalImageSize = label(this, "LabelOriginalImageSize", true);
    LabelEnterANewValue = label(this, "LabelEnterANewValue", true);
    LabelWidth0riginal = label(this, "LabelWidth0riginal");
    LabelHeightOriginal = label(this, "LabelHeightOriginal");
    LabelWidthNew = label(this, "LabelWidthNew");
    LabelHeightNew = label(this, "LabelHeightNew");
    EditWidthCurrent = sizeBox(this, "EditWidthCurrent");
    EditHeightCurrent = sizeBox(this, "EditHeightCurrent");
    EditWidthNew = sizeBox(this, "EditWidthNew");
    EditHeightNew = sizeBox(this, "EditHeightNew");
    LabelWidth0riginal->setBuddy(EditWidthCurrent);
    LabelHeightOriginal->setBuddy(EditHeightCurrent);
    LabelWidthNew->setBuddy(EditWidthNew);
    LabelHeightNew->setBuddy(EditHeightNew);
    ButtonReset = new QToolButton(this);
    ButtonReset->setObjectName(QStringLiteral("ButtonReset"));
    ButtonReset->setText(tr("Reset"));
    ButtonReset->setAutoRaise(true);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setHorizontalSpacing(8);
    grid->addWidget(LabelOriginalImageSize, 0, 0, 1, 2);
    grid->addWidget(LabelEnterANewValue, 0, 3, 1, 2);
    grid->addWidget(LabelWidth0riginal, 1, 0);
    grid->addWidget(EditWidthCurrent, 1, 1);
    grid->addWidget(LabelWidthNew, 1, 3);
    grid->addWidget(EditWidthNew, 1, 4);
    grid->addWidget(LabelHeightOriginal, 2, 0);
    grid->addWidget(EditHeightCurrent, 2, 1);
    grid->addWidget(LabelHeightNew, 2, 3);
    grid->addWidget(EditHeightNew, 2, 4);
    grid->addWidget(ButtonReset, 3, 4, Qt::AlignRight);
    grid->setColumnMinimumWidth(2, 20);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(4, 1);

    connect(EditWidthNew, &QLineEdit::textChanged, this, &TImageSizeCalculator::EditWidthNewChange);
    connect(EditHeightNew, &QLineEdit::textChanged, this, &TImageSizeCalculator::EditHeightNewChange);
    connect(ButtonReset, &QToolButton::clicked, this, &TImageSizeCalculator::ButtonResetClick);
    // Captions now, so the first layout already fits them.
    FormShow();
    resize(386, 135);
}

void TImageSizeCalculator::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    if (!m_placed) {
        // Centred the first time; afterwards where the user left it.
        m_placed = true;
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}

void TImageSizeCalculator::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Image1->setGeometry(rect());
}

void TImageSizeCalculator::FormShow()
{
    setWindowTitle(text(SImageResizingCalculator, "Image Resizing Calculator"));
    LabelOriginalImageSize->setText(text(SLabelOriginalImageSize, "Original image size"));
    LabelEnterANewValue->setText(text(SLabelEnterANewValue, "Enter a new width or height"));
    LabelWidth0riginal->setText(text(SWidth, "Width:"));
    LabelWidthNew->setText(text(SWidth, "Width:"));
    LabelHeightOriginal->setText(text(SHeight, "Height:"));
    LabelHeightNew->setText(text(SHeight, "Height:"));
}

void TImageSizeCalculator::EditWidthNewChange()
{
    const auto height = ProportionalSide(EditWidthCurrent->text(), EditHeightCurrent->text(), EditWidthNew->text());
    if (!height)
        return;
    const QSignalBlocker quiet(EditHeightNew);
    EditHeightNew->setText(QString::number(*height));
}

void TImageSizeCalculator::EditHeightNewChange()
{
    const auto width = ProportionalSide(EditHeightCurrent->text(), EditWidthCurrent->text(), EditHeightNew->text());
    if (!width)
        return;
    const QSignalBlocker quiet(EditWidthNew);
    EditWidthNew->setText(QString::number(*width));
}

void TImageSizeCalculator::ButtonResetClick()
{
    EditWidthNew->clear();
    EditHeightNew->clear();
}
