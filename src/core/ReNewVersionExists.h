#pragma once
// Tells that a newer version exists and offers its download page; its check box
// switches the reminder off.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

struct VkSettings;

class TNewVersionExists : public QDialog {
    Q_OBJECT
public:
    // The settings' reminder switch is set again whenever the box closes; their language
    // picks the download page.
    TNewVersionExists(VkSettings &settings, QWidget *parent = nullptr);
    void FormShow();
    void FormClose();
    void ButtonYesClick();
    void ButtonNoClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void closeEvent(QCloseEvent *event) override;

private:
    VkSettings &m_settings;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QCheckBox *CB_DontShowThisMessage;
    QPushButton *ButtonYes;
    QPushButton *ButtonNo;
};
