#pragma once
// The image-resize calculator: a new width gives the height that keeps the picture's
// proportions, and a new height the width. Its values stay between showings.
#include "authoring/ImageSizes.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

class TImageSizeCalculator : public QWidget {
    Q_OBJECT
public:
    explicit TImageSizeCalculator(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormShow();
    void EditWidthNewChange();
    void EditHeightNewChange();
    void ButtonResetClick();

    QLabel *Image1 = nullptr;
    QLabel *LabelOriginalImageSize = nullptr;
    QLabel *LabelEnterANewValue = nullptr;
    QLabel *LabelWidth0riginal = nullptr;
    QLabel *LabelHeightOriginal = nullptr;
    QLabel *LabelWidthNew = nullptr;
    QLabel *LabelHeightNew = nullptr;
    QLineEdit *EditWidthCurrent = nullptr;
    QLineEdit *EditHeightCurrent = nullptr;
    QLineEdit *EditWidthNew = nullptr;
    QLineEdit *EditHeightNew = nullptr;
    QToolButton *ButtonReset = nullptr;

    bool m_placed = false;
};
