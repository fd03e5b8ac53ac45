#pragma once
// The container generator: one styled div around a text written in the dialog's own
// editor, previewed in the dialog and handed back through the main window's generated
// markup when closed with Insert. One instance serves the program's run, so every
// setting and the text stay from one use to the next.
#include "authoring/GeneratorMarkup.h"
#include "authoring/GeneratorWidgets.h"
#include "authoring/InsertionWidgets.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class QsciScintilla;

class TGeneratorContainer : public TGeneratorDialog {
    Q_OBJECT
public:
    // generatedHtml: where the markup goes (the main window's); links: the open dialog's
    // filters for the tag bar's link and picture commands.
    TGeneratorContainer(QString *generatedHtml, LinkContext links, QWidget *parent = nullptr);

    void FormShow() override;
    void CreateContainer();

private:
    void ButtonStartClick();
    void CBRoundedCornersClick();
    // The boxes as the markup reads them; false when a size box is empty.
    bool Options(ContainerOptions *options) const;

    QGroupBox *GBGeneral = nullptr;
    QLabel *LabelByDefault = nullptr;
    QLineEdit *EditWidth = nullptr;
    QLineEdit *EditHeight = nullptr;
    QLineEdit *EditMargin = nullptr;
    QLineEdit *EditPadding = nullptr;
    TColorShape *SHBackgroundColor = nullptr;
    QPushButton *ButtonColorBackground = nullptr;
    QGroupBox *GBBorder = nullptr;
    QSpinBox *SEBorderWidth = nullptr;
    QComboBox *CBBorderStyle = nullptr;
    TColorShape *SHBorderCorlor = nullptr;
    QPushButton *ButtonColorBorder = nullptr;
    QCheckBox *CBRoundedCorners = nullptr;
    QSpinBox *SERoundedCorners = nullptr;
    QGroupBox *GBText = nullptr;
    QToolButton *ButtonBold = nullptr;
    QToolButton *ButtonItalic = nullptr;
    QToolButton *ButtonUnderline = nullptr;
    QToolButton *ButtonDelete = nullptr;
    QToolButton *ButtonTextCenter = nullptr;
    QToolButton *ButtonTextLeft = nullptr;
    QToolButton *ButtonTextRight = nullptr;
    QToolButton *ButtonTextJustify = nullptr;
    TColorShape *SHTextColor = nullptr;
    QPushButton *ButtonColorText = nullptr;
    QPushButton *ButtonStart = nullptr;
    QPushButton *ButtonInsert = nullptr;
    QPushButton *ButtonCancel = nullptr;
    QsciScintilla *SynEdit1 = nullptr;
};
