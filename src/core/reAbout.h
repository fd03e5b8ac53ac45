#pragma once
// The about box: name, version, credit and web site over the wallpaper picture.
#include <QDialog>

class QLabel;
class QPushButton;

class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget *parent = nullptr);
    void FormShow();
    void ButtonCloseClick();
    void LabelWebsiteClick();
    // The program's logo, painted at the given size.
    static QPixmap Logo(int size);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *ImageWallpaper;
    QLabel *ImageLogo;
    QLabel *LabelSoftName;
    QLabel *LabelSoftVersion;
    QLabel *LabelAuthor;
    QLabel *LabelWebsite;
    QLabel *AboutLabel01;
    QLabel *AboutLabel02;
    QPushButton *ButtonClose;
};
