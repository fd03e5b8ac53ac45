#pragma once
// The plain-table dialog: an empty table skeleton without styles, of the size asked.
#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

class TFormTable : public QDialog {
    Q_OBJECT
public:
    // generatedHtml receives the markup on OK and is emptied when the dialog is shown,
    // so a Cancel hands nothing over.
    explicit TFormTable(QString *generatedHtml, QWidget *parent = nullptr);

    // The skeleton of columns by rows, CR LF after every line but the last.
    static QString TableMarkup(int columns, int rows);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void ButtonOKClick();
    void ButtonCancelClick();

    QLabel *LabelColumns = nullptr;
    QLabel *LabelRows = nullptr;
    QSpinBox *SENumCols = nullptr;
    QSpinBox *SENumRows = nullptr;
    QPushButton *ButtonOK = nullptr;
    QPushButton *ButtonCancel = nullptr;

    QString *m_generatedHtml;
};
