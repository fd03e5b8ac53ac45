#pragma once
// Tells that a newer version exists and offers its download page; its check box
// switches the reminder off.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class TNewVersionExists : public QDialog {
    Q_OBJECT
public:
    // showNewVersion is the program's reminder switch, set again whenever the box closes.
    TNewVersionExists(bool &showNewVersion, QWidget *parent = nullptr);
    void FormShow();
    void FormClose();
    void ButtonYesClick();
    void ButtonNoClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool &m_showNewVersion;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QCheckBox *CB_DontShowThisMessage;
    QPushButton *ButtonYes;
    QPushButton *ButtonNo;
};
