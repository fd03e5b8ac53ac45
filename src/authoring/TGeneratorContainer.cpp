#include "authoring/TGeneratorContainer.h"

#include "authoring/GeneratorWidgets.h"
#include "authoring/InsertionIcons.h"
#include "authoring/TGeneratorTagBar.h"
#include "documents/EditorText.h"
#include "program/MessagesKandrix.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>

namespace {
QToolButton *newToggle(const QString &name, const QString &iconName, const QString &tip, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setIcon(InsertionIcon(iconName));
    button->setToolTip(tip);
    return button;
}

// At most one of the buttons down: pressing one lifts the others, and a down one can be
// lifted again (which an exclusive button group would not allow).
void atMostOneDown(const QList<QToolButton *> &buttons)
{
    for (QToolButton *button : buttons) {
        QObject::connect(button, &QToolButton::toggled, button, [button, buttons](bool down) {
            if (!down)
                return;
            for (QToolButton *other : buttons) {
                if (other != button)
                    other->setChecked(false);
            }
        });
    }
}
} // namespace

TGeneratorContainer::TGeneratorContainer(QString *generatedHtml, LinkContext links, QWidget *parent)
    : TGeneratorDialog(generatedHtml, parent)
{
    setObjectName(QStringLiteral("GeneratorContainer"));
    setWindowTitle(tr("Container generator"));
    setSizeGripEnabled(true);

    auto *options = new QWidget(this);
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->setContentsMargins(0, 0, 0, 0);

    GBGeneral = new QGroupBox(options);
    GBGeneral->setObjectName(QStringLiteral("GBGeneral"));
    auto *general = new QFormLayout(GBGeneral);
    EditWidth = NewNumberBox(QStringLiteral("EditWidth"), QStringLiteral("0"), GBGeneral);
    EditHeight = NewNumberBox(QStringLiteral("EditHeight"), QStringLiteral("0"), GBGeneral);
    EditMargin = NewNumberBox(QStringLiteral("EditMargin"), QStringLiteral("0"), GBGeneral);
    EditPadding = NewNumberBox(QStringLiteral("EditPadding"), QStringLiteral("2"), GBGeneral);
    general->addRow(tr("Width:"), EditWidth);
    general->addRow(tr("Height:"), EditHeight);
    general->addRow(tr("Margin:"), EditMargin);
    general->addRow(tr("Padding:"), EditPadding);
    LabelByDefault = new QLabel(GBGeneral);
    LabelByDefault->setObjectName(QStringLiteral("LabelByDefault"));
    general->addRow(LabelByDefault);
    SHBackgroundColor = new TColorShape(QStringLiteral("SHBackgroundColor"), Qt::white, GBGeneral);
    ButtonColorBackground = NewDialogButton(QStringLiteral("ButtonColorBackground"), tr("Background..."), GBGeneral);
    general->addRow(ShapeWithButton(SHBackgroundColor, ButtonColorBackground));
    optionsLayout->addWidget(GBGeneral);

    GBBorder = new QGroupBox(options);
    GBBorder->setObjectName(QStringLiteral("GBBorder"));
    auto *borderLayout = new QFormLayout(GBBorder);
    // A negative width would write a border the browser rejects.
    SEBorderWidth = NewSpinBox(QStringLiteral("SEBorderWidth"), 0, 1000, 1, GBBorder);
    CBBorderStyle = NewBorderStyleBox(QStringLiteral("CBBorderStyle"), GBBorder);
    borderLayout->addRow(tr("Width:"), SEBorderWidth);
    borderLayout->addRow(tr("Style:"), CBBorderStyle);
    SHBorderCorlor = new TColorShape(QStringLiteral("SHBorderCorlor"), Qt::black, GBBorder);
    ButtonColorBorder = NewDialogButton(QStringLiteral("ButtonColorBorder"), tr("Colour..."), GBBorder);
    borderLayout->addRow(ShapeWithButton(SHBorderCorlor, ButtonColorBorder));
    CBRoundedCorners = new QCheckBox(GBBorder);
    CBRoundedCorners->setObjectName(QStringLiteral("CBRoundedCorners"));
    SERoundedCorners = NewSpinBox(QStringLiteral("SERoundedCorners"), 0, 100, 10, GBBorder);
    borderLayout->addRow(CBRoundedCorners, SERoundedCorners);
    optionsLayout->addWidget(GBBorder);

    GBText = new QGroupBox(options);
    GBText->setObjectName(QStringLiteral("GBText"));
    auto *text = new QVBoxLayout(GBText);
    auto *styleRow = new QHBoxLayout;
    ButtonBold = newToggle(QStringLiteral("ButtonBold"), QStringLiteral("ButtonBolds"), tr("Bold"), GBText);
    ButtonItalic = newToggle(QStringLiteral("ButtonItalic"), QStringLiteral("ButtonItalics"), tr("Italic"), GBText);
    ButtonUnderline = newToggle(QStringLiteral("ButtonUnderline"), QStringLiteral("ButtonUnderline"), tr("Underline"), GBText);
    ButtonDelete = newToggle(QStringLiteral("ButtonDelete"), QStringLiteral("Button_del"), tr("Strike through"), GBText);
    for (QToolButton *b : {ButtonBold, ButtonItalic, ButtonUnderline, ButtonDelete})
        styleRow->addWidget(b);
    styleRow->addStretch();
    auto *alignRow = new QHBoxLayout;
    ButtonTextCenter = newToggle(QStringLiteral("ButtonTextCenter"), QStringLiteral("ButtonJustifyCenter"), tr("Centre"), GBText);
    ButtonTextLeft = newToggle(QStringLiteral("ButtonTextLeft"), QStringLiteral("ButtonJustifyLeft"), tr("Left"), GBText);
    ButtonTextRight = newToggle(QStringLiteral("ButtonTextRight"), QStringLiteral("ButtonJustifyRight"), tr("Right"), GBText);
    ButtonTextJustify = newToggle(QStringLiteral("ButtonTextJustify"), QStringLiteral("ButtonJustify"), tr("Justify"), GBText);
    for (QToolButton *b : {ButtonTextCenter, ButtonTextLeft, ButtonTextRight, ButtonTextJustify})
        alignRow->addWidget(b);
    alignRow->addStretch();
    atMostOneDown({ButtonUnderline, ButtonDelete});
    atMostOneDown({ButtonTextCenter, ButtonTextLeft, ButtonTextRight, ButtonTextJustify});
    SHTextColor = new TColorShape(QStringLiteral("SHTextColor"), QColor(0x00, 0x00, 0x80), GBText);
    ButtonColorText = NewDialogButton(QStringLiteral("ButtonColorText"), tr("Text colour..."), GBText);
    text->addLayout(styleRow);
    text->addLayout(alignRow);
    text->addLayout(ShapeWithButton(SHTextColor, ButtonColorText));
    optionsLayout->addWidget(GBText);
    optionsLayout->addStretch();

    ButtonStart = NewDialogButton(QStringLiteral("ButtonStart"), tr("Start"), options);
    ButtonInsert = NewDialogButton(QStringLiteral("ButtonInsert"), tr("Insert"), options);
    ButtonCancel = NewDialogButton(QStringLiteral("ButtonCancel"), tr("Cancel"), options);
    for (QPushButton *b : {ButtonStart, ButtonInsert, ButtonCancel})
        optionsLayout->addWidget(b);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    auto *previewPane = new QWidget(splitter);
    previewPane->setObjectName(QStringLiteral("PanelPreview"));
    previewPane->setMinimumHeight(120);
    // Blank as an empty page until there is something to show.
    previewPane->setAutoFillBackground(true);
    previewPane->setBackgroundRole(QPalette::Base);
    Preview = new TGeneratorPreview(previewPane);
    auto *editorPane = new QWidget(splitter);
    auto *editorLayout = new QVBoxLayout(editorPane);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    SynEdit1 = new QsciScintilla(editorPane);
    SynEdit1->setObjectName(QStringLiteral("SynEdit1"));
    SynEdit1->setUtf8(true);
    SynEdit1->setEolMode(QsciScintilla::EolWindows);
    LoadEditorText(SynEdit1, QStringLiteral("Your text"));
    TagBar = new TGeneratorTagBar(TGeneratorTagBar::Generator::Container, SynEdit1, std::move(links), editorPane);
    editorLayout->addWidget(TagBar);
    editorLayout->addWidget(SynEdit1);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(options);
    layout->addWidget(splitter, 1);
    resize(860, 600);

    connect(CBRoundedCorners, &QCheckBox::toggled, this, &TGeneratorContainer::CBRoundedCornersClick);
    connect(ButtonColorBackground, &QPushButton::clicked, this, [this] { ChooseShapeColor(SHBackgroundColor); });
    connect(ButtonColorBorder, &QPushButton::clicked, this, [this] { ChooseShapeColor(SHBorderCorlor); });
    connect(ButtonColorText, &QPushButton::clicked, this, [this] { ChooseShapeColor(SHTextColor); });
    connect(ButtonStart, &QPushButton::clicked, this, &TGeneratorContainer::ButtonStartClick);
    ConnectCloseButtons(ButtonInsert, ButtonCancel);
    CBRoundedCornersClick();
}

void TGeneratorContainer::FormShow()
{
    setWindowTitle(CaptionText(SGeneratorContainer_Caption, tr("Container generator")));
    LabelByDefault->setText(CaptionText(SLabelByDefault, tr("0 = default value")));
    GBGeneral->setTitle(CaptionText(SGBGeneral, tr("Container")));
    GBBorder->setTitle(CaptionText(SGBBorder, tr("Border")));
    CBRoundedCorners->setText(CaptionText(SCBRoundedCorners, tr("Rounded corners")));
    GBText->setTitle(CaptionText(SGBText, tr("All the text")));
    ButtonStart->setText(CaptionText(SStart, tr("Start")));
    ButtonInsert->setText(CaptionText(SInsert, tr("Insert")));
    ButtonCancel->setText(CaptionText(SCancel, tr("Cancel")));
    TagBar->ApplyMessageTexts();
    Preview->LoadHTMLFromStr(QString());
    if (m_generatedHtml)
        m_generatedHtml->clear();
    CBRoundedCornersClick();
}

void TGeneratorContainer::CBRoundedCornersClick()
{
    SERoundedCorners->setEnabled(CBRoundedCorners->isChecked());
}

bool TGeneratorContainer::Options(ContainerOptions *o) const
{
    if (!NumberOf(EditWidth, &o->width) || !NumberOf(EditHeight, &o->height) || !NumberOf(EditMargin, &o->margin)
        || !NumberOf(EditPadding, &o->padding))
        return false;
    o->backgroundColor = SHBackgroundColor->ColorText();
    o->borderWidth = SEBorderWidth->value();
    o->borderStyle = CBBorderStyle->currentText();
    o->borderColor = SHBorderCorlor->ColorText();
    o->roundedCorners = CBRoundedCorners->isChecked();
    o->cornerRadius = SERoundedCorners->value();
    o->bold = ButtonBold->isChecked();
    o->italic = ButtonItalic->isChecked();
    o->decoration = ButtonUnderline->isChecked() ? ContainerOptions::Decoration::Underline
                    : ButtonDelete->isChecked()  ? ContainerOptions::Decoration::LineThrough
                                                 : ContainerOptions::Decoration::None;
    o->textAlign = ButtonTextCenter->isChecked()    ? QStringLiteral("center")
                   : ButtonTextLeft->isChecked()    ? QStringLiteral("left")
                   : ButtonTextRight->isChecked()   ? QStringLiteral("right")
                   : ButtonTextJustify->isChecked() ? QStringLiteral("justify")
                                                    : QString();
    o->textColor = SHTextColor->ColorText();
    o->text = EditorText(SynEdit1);
    return true;
}

void TGeneratorContainer::ButtonStartClick()
{
    CreateContainer();
}

void TGeneratorContainer::CreateContainer()
{
    ContainerOptions options;
    if (!Options(&options))
        return;
    const QString markup = ContainerMarkup(options);
    if (m_generatedHtml)
        *m_generatedHtml = markup;
    Preview->LoadHTMLFromStr(markup);
}
