#include "themes/reSyntaxColor.h"

#include "dialogs/MessageBoxes.h"
#include "dialogs/UserDialogs.h"
#include "program/MessagesKandrix.h"
#include "program/uDivStartVK.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/SyntaxPaintColors.h"
#include "util/uDivFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace {

const char *const kThemeFilter = "Highlighters settings (*.cfg)|*.cfg|All Files (*.*)|*.*";
constexpr int kMaxThemeRows = 20;
constexpr int kSwatchSize = 23;
constexpr int kRowHeight = 16;
constexpr QSize kClientSize(562, 266);

class RowHeightDelegate : public QStyledItemDelegate {
public:
    RowHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_height);
    }

private:
    int m_height;
};

QToolButton *colorButton(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(QStringLiteral("..."));
    button->setFixedSize(kSwatchSize, kSwatchSize);
    return button;
}

// A toggle that shows its style on its own letter.
QToolButton *styleToggle(const QString &name, const QString &letter, int style, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setText(letter);
    QFont font = button->font();
    font.setBold((style & fsBold) != 0);
    font.setItalic((style & fsItalic) != 0);
    font.setUnderline((style & fsUnderline) != 0);
    font.setStrikeOut((style & fsStrikeOut) != 0);
    button->setFont(font);
    button->setFixedSize(kSwatchSize, 22);
    return button;
}

// A stored colour as the screen shows it; a system colour is resolved through the palette.
QColor screenColor(TColor color, const QPalette &palette)
{
    if ((color & 0xFF000000u) == 0xFF000000u)
        return SystemColorToQColor(color, palette);
    return TColorToQColor(color);
}

// Questions and dialogs asked while the colour dialog is up belong to it.
class DialogParent {
public:
    explicit DialogParent(QWidget *window) : m_old(Dialogs().parentWindow)
    {
        Dialogs().parentWindow = window;
    }
    ~DialogParent() { Dialogs().parentWindow = m_old; }
    DialogParent(const DialogParent &) = delete;
    DialogParent &operator=(const DialogParent &) = delete;

private:
    QWidget *m_old;
};

// The catalogue's text for a caption, the design text while no language file gave one.
QString caption(const QString &message, const QString &design)
{
    return message.isEmpty() ? design : message;
}

} // namespace

TColorSwatch::TColorSwatch(const QString &name, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
    setFixedSize(kSwatchSize, kSwatchSize);
}

void TColorSwatch::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

QColor TColorSwatch::ShownColor() const
{
    return screenColor(m_color, palette());
}

void TColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ShownColor());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

TSyntaxColor::TSyntaxColor(SyntaxColorModel *model, QWidget *parent)
    : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("SyntaxColor"));
    setWindowTitle(QStringLiteral("Syntax Color settings"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    buildControls();

    // FormCreate: the language box starts on its first entry and shows all ten.
    for (int l = 0; l < SyntaxLanguageCount; ++l)
        CBLanguages->addItem(QLatin1String(SyntaxLanguageInfoOf(SyntaxLanguage(l)).Item));
    CBLanguages->setMaxVisibleItems(SyntaxLanguageCount);
    CBLanguages->setCurrentIndex(0);

    // A pick in the list or with the arrow keys opens the theme; typing in the box opens
    // nothing, though the box activates an entry whose name was typed and confirmed.
    connect(CBThemes->lineEdit(), &QLineEdit::textEdited, this, [this] { m_themeTyped = true; });
    CBThemes->installEventFilter(this);
    CBThemes->view()->window()->installEventFilter(this);
    connect(CBThemes, qOverload<int>(&QComboBox::activated), this, [this] {
        if (!m_themeTyped)
            CBThemesClick();
    });
    connect(CBLanguages, &QComboBox::editTextChanged, this, [this] { CBLanguagesChange(); });
    connect(CBLanguages, qOverload<int>(&QComboBox::activated), this, [this] { CBLanguagesChange(); });
    connect(LBListAttri, &QListWidget::itemSelectionChanged, this, [this] { LBListAttriClick(); });
    for (QToolButton *toggle : {ButtonBold, ButtonItalic, ButtonUnderline, ButtonDelete})
        connect(toggle, &QToolButton::clicked, this, [this] { SetHighlighterProperties(); });
    connect(ButtonFontColor, &QToolButton::clicked, this, [this] { ButtonFontColorClick(); });
    connect(ButtonBackgroundColor, &QToolButton::clicked, this, [this] { ButtonBackgroundColorClick(); });
    connect(ButtonGeneralBackgroundColor, &QToolButton::clicked, this,
            [this] { ButtonGeneralBackgroundColorClick(); });
    connect(ButtonLangMarkFont, &QToolButton::clicked, this, [this] { ButtonLangMarkFontClick(); });
    connect(ButtonLangMarkBack, &QToolButton::clicked, this, [this] { ButtonLangMarkBackClick(); });
    connect(ButtonGutterBorderColor, &QToolButton::clicked, this,
            [this] { ButtonGutterBorderColorClick(); });
    connect(ButtonGutterColor, &QToolButton::clicked, this, [this] { ButtonGutterColorClick(); });
    connect(ButtonSaveSettings, &QPushButton::clicked, this, [this] { ButtonSaveSettingsClick(); });
    connect(ButtonRestore, &QPushButton::clicked, this, [this] { ButtonRestoreClick(); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TSyntaxColor::buildControls()
{
    QFont small = font();
    small.setFamily(QStringLiteral("Tahoma"));
    small.setPixelSize(11);
    setFont(small);
    QFont boxFont = small;
    boxFont.setPixelSize(13);

    LabelThemes = new QLabel(QStringLiteral("Themes:"), this);
    LabelThemes->setObjectName(QStringLiteral("LabelThemes"));
    CBThemes = new QComboBox(this);
    CBThemes->setObjectName(QStringLiteral("CBThemes"));
    CBThemes->setEditable(true);
    CBThemes->setInsertPolicy(QComboBox::NoInsert);
    CBThemes->setCompleter(nullptr);
    CBThemes->setFont(boxFont);
    LabelLanguageSelection = new QLabel(QStringLiteral("Language selection:"), this);
    LabelLanguageSelection->setObjectName(QStringLiteral("LabelLanguageSelection"));
    CBLanguages = new QComboBox(this);
    CBLanguages->setObjectName(QStringLiteral("CBLanguages"));
    CBLanguages->setEditable(true);
    CBLanguages->setInsertPolicy(QComboBox::NoInsert);
    CBLanguages->setCompleter(nullptr);
    CBLanguages->setFont(boxFont);
    LabelThemes->setBuddy(CBThemes);
    LabelLanguageSelection->setBuddy(CBLanguages);

    GBCommon = new QGroupBox(QStringLiteral("Common"), this);
    GBCommon->setObjectName(QStringLiteral("GBCommon"));
    auto *common = new QGridLayout(GBCommon);
    common->setContentsMargins(4, 4, 4, 6);
    common->setHorizontalSpacing(3);
    common->setVerticalSpacing(3);
    common->setColumnStretch(0, 1);
    auto addRow = [](QGridLayout *grid, int row, QLabel *label, TColorSwatch *swatch,
                     QToolButton *button) {
        grid->addWidget(label, row, 0);
        grid->addWidget(swatch, row, 1);
        grid->addWidget(button, row, 2);
    };
    auto label = [this](const QString &name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    LabelCommonBackColor = label(QStringLiteral("LabelCommonBackColor"), QStringLiteral("Background:"));
    SHGeneralBackgroundColor = new TColorSwatch(QStringLiteral("SHGeneralBackgroundColor"), GBCommon);
    ButtonGeneralBackgroundColor = colorButton(QStringLiteral("ButtonGeneralBackgroundColor"), GBCommon);
    LabelLangMarkFont = label(QStringLiteral("LabelLangMarkFont"), QStringLiteral("Lang. mark. font:"));
    SHLangMarkFont = new TColorSwatch(QStringLiteral("SHLangMarkFont"), GBCommon);
    ButtonLangMarkFont = colorButton(QStringLiteral("ButtonLangMarkFont"), GBCommon);
    LabelLangMarkBack = label(QStringLiteral("LabelLangMarkBack"), QStringLiteral("Lang. mark. back:"));
    SHLangMarkBack = new TColorSwatch(QStringLiteral("SHLangMarkBack"), GBCommon);
    ButtonLangMarkBack = colorButton(QStringLiteral("ButtonLangMarkBack"), GBCommon);
    LabelGutterBorderColor =
        label(QStringLiteral("LabelGutterBorderColor"), QStringLiteral("Gutter border color:"));
    SHGutterBorderColor = new TColorSwatch(QStringLiteral("SHGutterBorderColor"), GBCommon);
    ButtonGutterBorderColor = colorButton(QStringLiteral("ButtonGutterBorderColor"), GBCommon);
    LabelGutterColor = label(QStringLiteral("LabelGutterColor"), QStringLiteral("Gutter color:"));
    SHGutterColor = new TColorSwatch(QStringLiteral("SHGutterColor"), GBCommon);
    ButtonGutterColor = colorButton(QStringLiteral("ButtonGutterColor"), GBCommon);
    addRow(common, 0, LabelCommonBackColor, SHGeneralBackgroundColor, ButtonGeneralBackgroundColor);
    addRow(common, 1, LabelLangMarkFont, SHLangMarkFont, ButtonLangMarkFont);
    addRow(common, 2, LabelLangMarkBack, SHLangMarkBack, ButtonLangMarkBack);
    addRow(common, 3, LabelGutterBorderColor, SHGutterBorderColor, ButtonGutterBorderColor);
    addRow(common, 4, LabelGutterColor, SHGutterColor, ButtonGutterColor);

    auto *left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(LabelThemes);
    left->addWidget(CBThemes);
    left->addSpacing(4);
    left->addWidget(LabelLanguageSelection);
    left->addWidget(CBLanguages);
    left->addSpacing(4);
    left->addWidget(GBCommon);
    left->addStretch();

    LBListAttri = new QListWidget(this);
    LBListAttri->setObjectName(QStringLiteral("LBListAttri"));
    LBListAttri->setSelectionMode(QAbstractItemView::SingleSelection);
    LBListAttri->setFont(boxFont);
    LBListAttri->setFixedSize(185, 249);
    LBListAttri->setUniformItemSizes(true);
    // The language and theme lists and the attribute list show rows of one height.
    for (QAbstractItemView *view : {CBThemes->view(), CBLanguages->view(),
                                    static_cast<QAbstractItemView *>(LBListAttri)})
        view->setItemDelegate(new RowHeightDelegate(kRowHeight, view));

    GBSettings = new QGroupBox(QStringLiteral("Language settings"), this);
    GBSettings->setObjectName(QStringLiteral("GBSettings"));
    auto *settings = new QGridLayout(GBSettings);
    settings->setContentsMargins(4, 4, 4, 6);
    settings->setHorizontalSpacing(3);
    settings->setVerticalSpacing(3);
    settings->setColumnStretch(0, 1);
    LabelFontColor = label(QStringLiteral("LabelFontColor"), QStringLiteral("Font color:"));
    SHFontColor = new TColorSwatch(QStringLiteral("SHFontColor"), GBSettings);
    ButtonFontColor = colorButton(QStringLiteral("ButtonFontColor"), GBSettings);
    LabelBackgroundColor =
        label(QStringLiteral("LabelBackgroundColor"), QStringLiteral("Background color:"));
    SHBackgroundColor = new TColorSwatch(QStringLiteral("SHBackgroundColor"), GBSettings);
    ButtonBackgroundColor = colorButton(QStringLiteral("ButtonBackgroundColor"), GBSettings);
    addRow(settings, 0, LabelFontColor, SHFontColor, ButtonFontColor);
    addRow(settings, 1, LabelBackgroundColor, SHBackgroundColor, ButtonBackgroundColor);
    ButtonBold = styleToggle(QStringLiteral("ButtonBold"), QStringLiteral("B"), fsBold, GBSettings);
    ButtonItalic = styleToggle(QStringLiteral("ButtonItalic"), QStringLiteral("I"), fsItalic, GBSettings);
    ButtonUnderline =
        styleToggle(QStringLiteral("ButtonUnderline"), QStringLiteral("U"), fsUnderline, GBSettings);
    ButtonDelete = styleToggle(QStringLiteral("ButtonDelete"), QStringLiteral("S"), fsStrikeOut, GBSettings);
    auto *toggles = new QHBoxLayout;
    toggles->setSpacing(2);
    for (QToolButton *toggle : {ButtonBold, ButtonItalic, ButtonUnderline, ButtonDelete})
        toggles->addWidget(toggle);
    toggles->addStretch();
    settings->addLayout(toggles, 2, 0, 1, 3);

    GBSettingsSaveRestore = new QGroupBox(QStringLiteral("Settings"), this);
    GBSettingsSaveRestore->setObjectName(QStringLiteral("GBSettingsSaveRestore"));
    auto *saveRestore = new QVBoxLayout(GBSettingsSaveRestore);
    saveRestore->setContentsMargins(6, 4, 6, 6);
    saveRestore->setSpacing(4);
    ButtonSaveSettings = new QPushButton(QStringLiteral("Save"), GBSettingsSaveRestore);
    ButtonSaveSettings->setObjectName(QStringLiteral("ButtonSaveSettings"));
    ButtonSaveSettings->setFixedSize(126, 33);
    ButtonRestore = new QPushButton(QStringLiteral("Restore"), GBSettingsSaveRestore);
    ButtonRestore->setObjectName(QStringLiteral("ButtonRestore"));
    ButtonRestore->setFixedSize(125, 33);
    saveRestore->addWidget(ButtonSaveSettings, 0, Qt::AlignHCenter);
    saveRestore->addWidget(ButtonRestore, 0, Qt::AlignHCenter);
    ButtonClose = new QPushButton(QStringLiteral("Close"), this);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    ButtonClose->setFixedSize(125, 33);
    // Enter in the boxes must not close the dialog.
    for (QPushButton *button : {ButtonSaveSettings, ButtonRestore, ButtonClose})
        button->setAutoDefault(false);

    auto *right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(GBSettings);
    right->addWidget(GBSettingsSaveRestore);
    right->addStretch();
    right->addWidget(ButtonClose, 0, Qt::AlignHCenter);

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(5, 8, 5, 9);
    columns->setSpacing(5);
    columns->addLayout(left, 1);
    columns->addWidget(LBListAttri);
    columns->addLayout(right, 1);
    setFixedSize(kClientSize);
}

void TSyntaxColor::setVisible(bool visible)
{
    // The captions are in place before the layout gives the window its size.
    if (visible && !isVisible())
        FormShow();
    QDialog::setVisible(visible);
}

void TSyntaxColor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool TSyntaxColor::eventFilter(QObject *watched, QEvent *event)
{
    // Opening the drop-down list, the arrow keys and the wheel pick; anything else typed.
    if (watched == CBThemes->view()->window()) {
        if (event->type() == QEvent::Show)
            m_themeTyped = false;
    } else if (watched == CBThemes) {
        if (event->type() == QEvent::Wheel) {
            m_themeTyped = false;
        } else if (event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent *>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown: m_themeTyped = false; break;
            default: break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSyntaxColor::FormShow()
{
    LabelThemes->setText(caption(SLabelThemes, QStringLiteral("Themes:")));
    LabelLanguageSelection->setText(
        caption(SLabelLanguageSelection, QStringLiteral("Language selection:")));
    GBCommon->setTitle(caption(SGBCommon, QStringLiteral("Common")));
    LabelCommonBackColor->setText(caption(SLabelCommonBackColor, QStringLiteral("Background:")));
    LabelLangMarkFont->setText(caption(SLabelLangMarkFont, QStringLiteral("Lang. mark. font:")));
    LabelLangMarkBack->setText(caption(SLabelLangMarkBack, QStringLiteral("Lang. mark. back:")));
    LabelGutterBorderColor->setText(
        caption(SLabelGutterBorderColor, QStringLiteral("Gutter border color:")));
    LabelGutterColor->setText(caption(SLabelGutterColor, QStringLiteral("Gutter color:")));
    GBSettings->setTitle(caption(SSettings, QStringLiteral("Language settings")));
    LabelFontColor->setText(caption(SLabelFontColor, QStringLiteral("Font color:")));
    LabelBackgroundColor->setText(caption(SLabelBackgroundColor, QStringLiteral("Background color:")));
    GBSettingsSaveRestore->setTitle(caption(SGBSettingsSaveRestore, QStringLiteral("Settings")));
    ButtonSaveSettings->setText(caption(SButtonSaveSettings, QStringLiteral("Save")));
    ButtonRestore->setText(caption(SButtonRestore, QStringLiteral("Restore")));
    ButtonClose->setText(caption(SClose, QStringLiteral("Close")));

    showCommonColors();
    CBThemesInit();
    if (m_model) {
        const QString name = m_model->ThemeName();
        CBThemes->setCurrentIndex(CBThemes->findText(name));
        CBThemes->setEditText(name);
    }
    CBLanguagesChange();
}

void TSyntaxColor::showCommonColors()
{
    if (!m_model)
        return;
    SHGeneralBackgroundColor->SetColor(m_model->GeneralBackColor());
    SHGutterBorderColor->SetColor(m_model->GutterBorderColor());
    SHGutterColor->SetColor(m_model->GutterColor());
    SHLangMarkFont->SetColor(m_model->MarkerAttri(Sch_Javascript).Foreground);
    SHLangMarkBack->SetColor(m_model->MarkerAttri(Sch_Javascript).Background);
}

void TSyntaxColor::CBThemesInit()
{
    CBThemes->clear();
    // Every entry that matches, folders and hidden files too, as the theme box always listed;
    // sorted by name so the list reads the same on every file system.
    const QStringList entries = QDir(Paths().HighlightersDir).entryList(
        {QStringLiteral("*.cfg")},
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::CaseSensitive,
        QDir::Name | QDir::IgnoreCase);
    for (const QString &entry : entries)
        CBThemes->addItem(RemoveFileExt(entry));
    CBThemes->setMaxVisibleItems(qBound(1, int(entries.size()), kMaxThemeRows));
}

void TSyntaxColor::CBThemesClick()
{
    OpenTheme(Paths().HighlightersDir + CBThemes->currentText() + QStringLiteral(".cfg"));
}

void TSyntaxColor::OpenTheme(const QString &path)
{
    if (!m_model || !QFileInfo(path).isFile())
        return;
    try {
        SyntaxColorSettings::OpenTheme(*m_model, path);
    } catch (const std::exception &error) {
        // The lines before the bad one stay applied, as the editors already show them.
        afterModelChange();
        const DialogParent parent(this);
        ShowMessageKind(2, QString::fromUtf8(error.what()));
        return;
    }
    afterModelChange();
}

void TSyntaxColor::SaveSettings(const QString &fileName)
{
    if (m_model)
        SyntaxColorSettings::SaveSettings(*m_model, fileName);
}

void TSyntaxColor::SetGeneralBackground(TColor color)
{
    if (!m_model)
        return;
    SyntaxColorSettings::SetGeneralBackground(*m_model, color, SHLangMarkFont->Color());
    SHLangMarkBack->SetColor(color);
    afterModelChange();
}

void TSyntaxColor::OriginSettings()
{
    if (!m_model)
        return;
    SyntaxColorSettings::OriginSettings(*m_model);
    afterModelChange();
}

void TSyntaxColor::afterModelChange()
{
    showCommonColors();
    emit GutterColorsChanged();
    if (selectedAttri() != SyntaxAttri::Count)
        ReadHighlighterProperties();
}

void TSyntaxColor::CBLanguagesChange()
{
    SHFontColor->SetColor(clWhite);
    SHBackgroundColor->SetColor(clWhite);
    for (QToolButton *toggle : {ButtonBold, ButtonItalic, ButtonUnderline, ButtonDelete})
        toggle->setChecked(false);
    const QSignalBlocker quiet(LBListAttri);
    LBListAttri->clear();
    const SyntaxLanguage language = FindSyntaxLanguage(CBLanguages->currentText());
    if (language == SyntaxLanguage::Count)
        return;
    const SyntaxLanguageInfo &info = SyntaxLanguageInfoOf(language);
    for (int i = int(info.First); i < int(info.First) + info.Count; ++i)
        LBListAttri->addItem(SyntaxAttriName(SyntaxAttri(i)));
    LBListAttri->setCurrentRow(-1);
    LBListAttri->clearSelection();
}

SyntaxAttri TSyntaxColor::selectedAttri() const
{
    const QList<QListWidgetItem *> selected = LBListAttri->selectedItems();
    if (selected.isEmpty())
        return SyntaxAttri::Count;
    const SyntaxLanguage language = FindSyntaxLanguage(CBLanguages->currentText());
    if (language == SyntaxLanguage::Count)
        return SyntaxAttri::Count;
    return FindSyntaxAttri(language, selected.first()->text());
}

void TSyntaxColor::LBListAttriClick()
{
    ReadHighlighterProperties();
}

void TSyntaxColor::ReadHighlighterProperties()
{
    const SyntaxAttri attri = selectedAttri();
    if (attri == SyntaxAttri::Count || !m_model)
        return;
    SHFontColor->SetColor(clWhite);
    SHBackgroundColor->SetColor(clWhite);
    const HighlighterAttribute &a = m_model->Attri(attri);
    if (a.Foreground != clNone)
        SHFontColor->SetColor(a.Foreground);
    if (a.Background != clNone)
        SHBackgroundColor->SetColor(a.Background);
    ButtonBold->setChecked((a.Style & fsBold) != 0);
    ButtonItalic->setChecked((a.Style & fsItalic) != 0);
    ButtonUnderline->setChecked((a.Style & fsUnderline) != 0);
    ButtonDelete->setChecked((a.Style & fsStrikeOut) != 0);
}

void TSyntaxColor::SetHighlighterProperties()
{
    const SyntaxAttri attri = selectedAttri();
    if (attri == SyntaxAttri::Count || !m_model)
        return;
    HighlighterAttribute a;
    a.Foreground = SHFontColor->Color();
    a.Background = SHBackgroundColor->Color();
    a.Style = (ButtonBold->isChecked() ? fsBold : 0) | (ButtonItalic->isChecked() ? fsItalic : 0)
              | (ButtonUnderline->isChecked() ? fsUnderline : 0)
              | (ButtonDelete->isChecked() ? fsStrikeOut : 0);
    m_model->SetAttri(attri, a);
}

bool TSyntaxColor::pickColor(TColor initial, TColor *chosen)
{
    QColor color = screenColor(initial, palette());
    const DialogParent parent(this);
    const bool ok = Dialogs().color(&color);
    if (!ok || !color.isValid())
        return false;
    *chosen = QColorToTColor(color);
    return true;
}

void TSyntaxColor::pickAttributeColor(TColorSwatch *swatch)
{
    TColor color = 0;
    if (pickColor(swatch->Color(), &color))
        swatch->SetColor(color);
    // Cancelled or not, the shown values are stored in the selected attribute.
    SetHighlighterProperties();
}

void TSyntaxColor::ButtonFontColorClick()
{
    pickAttributeColor(SHFontColor);
}

void TSyntaxColor::ButtonBackgroundColorClick()
{
    pickAttributeColor(SHBackgroundColor);
}

void TSyntaxColor::pickCommonColor(TColorSwatch *swatch, void (TSyntaxColor::*apply)(TColor))
{
    TColor color = 0;
    if (m_model && pickColor(swatch->Color(), &color))
        (this->*apply)(color);
}

void TSyntaxColor::applyGeneralBackground(TColor color)
{
    SHGeneralBackgroundColor->SetColor(color);
    m_model->SetGeneralBackColor(color);
    SetGeneralBackground(color);
}

void TSyntaxColor::applyLangMarkFont(TColor color)
{
    SHLangMarkFont->SetColor(color);
    SyntaxColorUpdate bracket(*m_model);
    for (int scheme = 0; scheme < SchemeCount; ++scheme)
        m_model->SetMarkerForeground(scheme, color);
}

void TSyntaxColor::applyLangMarkBack(TColor color)
{
    SHLangMarkBack->SetColor(color);
    SyntaxColorUpdate bracket(*m_model);
    for (int scheme = 0; scheme < SchemeCount; ++scheme)
        m_model->SetMarkerBackground(scheme, color);
}

void TSyntaxColor::applyGutterBorderColor(TColor color)
{
    m_model->SetGutterBorderColor(color);
    SHGutterBorderColor->SetColor(color);
    emit GutterColorsChanged();
}

void TSyntaxColor::applyGutterColor(TColor color)
{
    m_model->SetGutterColor(color);
    SHGutterColor->SetColor(color);
    emit GutterColorsChanged();
}

void TSyntaxColor::ButtonGeneralBackgroundColorClick()
{
    pickCommonColor(SHGeneralBackgroundColor, &TSyntaxColor::applyGeneralBackground);
}

void TSyntaxColor::ButtonLangMarkFontClick()
{
    pickCommonColor(SHLangMarkFont, &TSyntaxColor::applyLangMarkFont);
}

void TSyntaxColor::ButtonLangMarkBackClick()
{
    pickCommonColor(SHLangMarkBack, &TSyntaxColor::applyLangMarkBack);
}

void TSyntaxColor::ButtonGutterBorderColorClick()
{
    pickCommonColor(SHGutterBorderColor, &TSyntaxColor::applyGutterBorderColor);
}

void TSyntaxColor::ButtonGutterColorClick()
{
    pickCommonColor(SHGutterColor, &TSyntaxColor::applyGutterColor);
}

void TSyntaxColor::ButtonSaveSettingsClick()
{
    const DialogParent parent(this);
    int filterIndex = 1;
    QString path = Dialogs().saveFile(QStringLiteral("Save highlighters settings"), Paths().HighlightersDir,
                                      QLatin1String(kThemeFilter), &filterIndex);
    if (path.isEmpty())
        return;
    // The theme filter gives the name its extension, so the theme list finds the file.
    const QString name = QFileInfo(path).fileName();
    if (filterIndex == 1 ? !name.endsWith(QLatin1String(".cfg")) : !name.contains(QLatin1Char('.')))
        path += QStringLiteral(".cfg");
    if (!ConfirmOverwrite(path))
        return;
    try {
        SaveSettings(path);
    } catch (const std::exception &error) {
        ShowMessageKind(2, QString::fromUtf8(error.what()));
    }
}

void TSyntaxColor::ButtonRestoreClick()
{
    OriginSettings();
}
