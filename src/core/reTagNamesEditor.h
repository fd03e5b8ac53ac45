#pragma once
// Edits a tag-list value of the option grid as one tag name per line.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TTagNamesEditor : public QDialog {
    Q_OBJECT
public:
    explicit TTagNamesEditor(QWidget *parent = nullptr);

    // Shows the value's names one per line and counts them.
    void FormShow(const QString &value);
    // The lines joined back into a tag list.
    QString Value() const;

private:
    QLabel *LabelItemsCount = nullptr;
    QPlainTextEdit *MemoTagNames = nullptr;
    QPushButton *ButtonOK = nullptr;
    QPushButton *ButtonCancel = nullptr;
};
