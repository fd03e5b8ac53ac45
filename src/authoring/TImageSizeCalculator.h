#pragma once
// The image-resize calculator: a new width gives the height that keeps the picture's
// proportions, and a new height the width. Its values stay between showings.
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QToolButton;

// The largest size the calculator reads or writes, in pixels.
constexpr qint64 MaxImageSide = 100000;

// The new length of the other side when a side of presentSide pixels becomes newSide
// pixels: presentOther / presentSide * newSide, a half going to the even neighbour.
// Nothing when a text is empty or not a number, a present size is 0, or an input or the
// result is above MaxImageSide.
std::optional<qint64> ProportionalSide(const QString &presentSide, const QString &presentOther,
                                       const QString &newSide);

class TImageSizeCalculator : public QWidget {
    Q_OBJECT
public:
    explicit TImageSizeCalculator(QWidget *parent = nullptr);

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

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_placed = false;
};
