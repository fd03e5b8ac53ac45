#include "core/ReNewVersionExists.h"

#include "core/FixedDialogBorder.h"
#include "dialogs/MessageBoxes.h"
#include "program/MessagesKandrix.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

TNewVersionExists::TNewVersionExists(VkSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName("NewVersionExists");
    UseFixedDialogBorder(this, QSize(313, 172), Qt::WindowStaysOnTopHint);
    auto *layout = new QVBoxLayout(this);
    auto *icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    auto label = [this, layout](const char *name) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        layout->addWidget(l);
        return l;
    };
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    CB_DontShowThisMessage = new QCheckBox(tr("Do not show this message again"), this);
    CB_DontShowThisMessage->setObjectName("CB_DontShowThisMessage");
    layout->addWidget(CB_DontShowThisMessage, 0, Qt::AlignHCenter);
    auto *buttons = new QHBoxLayout;
    ButtonYes = new QPushButton(tr("&Yes"), this);
    ButtonYes->setObjectName("ButtonYes");
    ButtonYes->setDefault(true);
    ButtonNo = new QPushButton(tr("&No"), this);
    ButtonNo->setObjectName("ButtonNo");
    buttons->addStretch();
    buttons->addWidget(ButtonYes);
    buttons->addWidget(ButtonNo);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(ButtonYes, &QPushButton::clicked, this, &TNewVersionExists::ButtonYesClick);
    connect(ButtonNo, &QPushButton::clicked, this, &TNewVersionExists::ButtonNoClick);
}

void TNewVersionExists::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TNewVersionExists::FormShow()
{
    setWindowTitle(SNewVersionCaption);
    Label1->setText(SNewVersion1);
    Label2->setText(SNewVersion2);
    Label3->setText(SNewVersion3);
    CB_DontShowThisMessage->setChecked(!m_settings.ShowNewVersion);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TNewVersionExists::FormClose()
{
    m_settings.ShowNewVersion = !CB_DontShowThisMessage->isChecked();
}

// Buttons, Escape and the window's close box all end here or in closeEvent.
void TNewVersionExists::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TNewVersionExists::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TNewVersionExists::ButtonYesClick()
{
    OpenOrSay(m_settings.Language == QLatin1String("fr") ? DownloadPageFR : DownloadPageEN);
    accept();
}

void TNewVersionExists::ButtonNoClick()
{
    reject();
}
