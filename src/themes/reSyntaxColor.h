#pragma once
// The syntax colour dialog: edits the shared colour model in place (there is no OK and no
// Cancel), lists, opens, saves and restores themes. It holds no colours of its own besides
// the two attribute swatches, which are the working copy of the selected attribute.
#include "themes/SyntaxColorModel.h"

#include <QDialog>
#include <QFrame>
#include <QPointer>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

// A small square filled with one colour. It keeps the stored colour value itself, so a system
// colour (window text) read from an attribute is written back unchanged.
class TColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit TColorSwatch(const QString &name, QWidget *parent = nullptr);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    // The colour as the screen shows it (system colours resolved through the palette).
    QColor ShownColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TColor m_color = clWhite;
};

class TSyntaxColor : public QDialog {
    Q_OBJECT
public:
    explicit TSyntaxColor(SyntaxColorModel *model, QWidget *parent = nullptr);
    void setVisible(bool visible) override;

signals:
    // The gutter colours of the model changed; the owner repaints the active editor's gutter.
    void GutterColorsChanged();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Showing: captions from the language file, common swatches, theme list, attribute list.
    void FormShow();
    void CBThemesInit();
    void CBThemesClick();
    // Applies a theme file and names it the current theme; a path that is no file does nothing.
    void OpenTheme(const QString &path);
    void CBLanguagesChange();
    void LBListAttriClick();
    void ReadHighlighterProperties();
    void SetHighlighterProperties();
    void ButtonFontColorClick();
    void ButtonBackgroundColorClick();
    void ButtonGeneralBackgroundColorClick();
    void ButtonLangMarkFontClick();
    void ButtonLangMarkBackClick();
    void ButtonGutterBorderColorClick();
    void ButtonGutterColorClick();
    void ButtonSaveSettingsClick();
    void ButtonRestoreClick();
    // Theme operations on the model, keeping the swatches in step.
    void SaveSettings(const QString &fileName);
    void SetGeneralBackground(TColor color);
    void OriginSettings();

    QLabel *LabelThemes = nullptr;
    QComboBox *CBThemes = nullptr;
    QLabel *LabelLanguageSelection = nullptr;
    QComboBox *CBLanguages = nullptr;
    QGroupBox *GBCommon = nullptr;
    QLabel *LabelCommonBackColor = nullptr;
    TColorSwatch *SHGeneralBackgroundColor = nullptr;
    QToolButton *ButtonGeneralBackgroundColor = nullptr;
    QLabel *LabelLangMarkFont = nullptr;
    TColorSwatch *SHLangMarkFont = nullptr;
    QToolButton *ButtonLangMarkFont = nullptr;
    QLabel *LabelLangMarkBack = nullptr;
    TColorSwatch *SHLangMarkBack = nullptr;
    QToolButton *ButtonLangMarkBack = nullptr;
    QLabel *LabelGutterBorderColor = nullptr;
    TColorSwatch *SHGutterBorderColor = nullptr;
    QToolButton *ButtonGutterBorderColor = nullptr;
    QLabel *LabelGutterColor = nullptr;
    TColorSwatch *SHGutterColor = nullptr;
    QToolButton *ButtonGutterColor = nullptr;
    QListWidget *LBListAttri = nullptr;
    QGroupBox *GBSettings = nullptr;
    QLabel *LabelFontColor = nullptr;
    TColorSwatch *SHFontColor = nullptr;
    QToolButton *ButtonFontColor = nullptr;
    QLabel *LabelBackgroundColor = nullptr;
    TColorSwatch *SHBackgroundColor = nullptr;
    QToolButton *ButtonBackgroundColor = nullptr;
    QToolButton *ButtonBold = nullptr;
    QToolButton *ButtonItalic = nullptr;
    QToolButton *ButtonUnderline = nullptr;
    QToolButton *ButtonDelete = nullptr;
    QGroupBox *GBSettingsSaveRestore = nullptr;
    QPushButton *ButtonSaveSettings = nullptr;
    QPushButton *ButtonRestore = nullptr;
    QPushButton *ButtonClose = nullptr;

    void buildControls();
    // The attribute of the selected list entry under the language box's text; Count if none.
    SyntaxAttri selectedAttri() const;
    // The common and marker swatches from the model.
    void showCommonColors();
    // After the model changed under the selection, the attribute swatches and toggles show the
    // selected attribute again, so the next toggle click writes current colours.
    void afterModelChange();
    // Runs the colour dialog from the initial colour; false when the user cancelled.
    bool pickColor(TColor initial, TColor *chosen);
    void pickCommonColor(TColorSwatch *swatch, void (TSyntaxColor::*apply)(TColor));
    void applyGeneralBackground(TColor color);
    void applyLangMarkFont(TColor color);
    void applyLangMarkBack(TColor color);
    void applyGutterBorderColor(TColor color);
    void applyGutterColor(TColor color);
    void pickAttributeColor(TColorSwatch *swatch);

    QPointer<SyntaxColorModel> m_model;
    // The theme box's text was typed since the last pick from its list.
    bool m_themeTyped = false;
};
