#pragma once
// Adds one option with its value to the option grid: the option is chosen
// among the typed options the grid does not hold yet (or typed), its value in
// the editor of its type.
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TidyOptionModel;

class TAddTidyConfigValue : public QDialog {
    Q_OBJECT
public:
    // offered: the option names of the option list.
    TAddTidyConfigValue(const TidyOptionModel &model, const QStringList &offered, QWidget *parent = nullptr);

    QString OptionName() const;
    QString OptionValue() const;

private:
    // The default value, and the value box of the option's type.
    void CBTidyConfigTPTypesChange();
    // Closes only for a usable name and a value its type allows.
    void ButtonOKClick();

    QLabel *LabelOption = nullptr;
    QComboBox *CBTidyConfigTPTypes = nullptr;
    QLabel *LabelType = nullptr;
    QComboBox *CBValue = nullptr;
    QLineEdit *EditTagNames = nullptr;
    QPushButton *ButtonOK = nullptr;
    QPushButton *ButtonCancel = nullptr;
    const TidyOptionModel &m_model;
};
