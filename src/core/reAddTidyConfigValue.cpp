#include "core/reAddTidyConfigValue.h"

#include "program/MessagesKandrix.h"
#include "core/TidyValueValidator.h"
#include "validation/TidyConfigFile.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TAddTidyConfigValue::TAddTidyConfigValue(const TidyOptionModel &model, const QStringList &offered,
                                         QWidget *parent)
    : QDialog(parent), m_model(model)
{
    setObjectName("AddTidyConfigValue");
    setWindowTitle(FormAddAValueCaption);
    // Silver, with black text whatever the desktop's colours.
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    silver.setColor(QPalette::WindowText, Qt::black);
    setPalette(silver);
    auto *layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    LabelOption = new QLabel(FormAddAValueOption, this);
    LabelOption->setObjectName("LabelOption");
    CBTidyConfigTPTypes = new QComboBox(this);
    CBTidyConfigTPTypes->setObjectName("CBTidyConfigTPTypes");
    CBTidyConfigTPTypes->setEditable(true);
    CBTidyConfigTPTypes->setInsertPolicy(QComboBox::NoInsert);
    CBTidyConfigTPTypes->setMaxVisibleItems(20);
    CBTidyConfigTPTypes->setMinimumWidth(240);
    CBTidyConfigTPTypes->addItems(offered);
    CBTidyConfigTPTypes->setCurrentIndex(-1);
    CBTidyConfigTPTypes->setEditText(QString());
    LabelType = new QLabel(FormAddAValueType, this);
    LabelType->setObjectName("LabelType");
    CBValue = new QComboBox(this);
    CBValue->setObjectName("CBValue");
    CBValue->setEditable(true);
    CBValue->setInsertPolicy(QComboBox::NoInsert);
    CBValue->setMaxVisibleItems(20);
    EditTagNames = new QLineEdit(this);
    EditTagNames->setObjectName("EditTagNames");
    EditTagNames->hide();
    LabelOption->setBuddy(CBTidyConfigTPTypes);
    LabelType->setBuddy(CBValue);

    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(SCancel.isEmpty() ? tr("Cancel") : SCancel, this);
    ButtonCancel->setObjectName("ButtonCancel");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);

    layout->addWidget(LabelOption, 0, 0);
    layout->addWidget(CBTidyConfigTPTypes, 0, 1);
    layout->addWidget(LabelType, 1, 0);
    layout->addWidget(CBValue, 1, 1);
    layout->addWidget(EditTagNames, 1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(CBTidyConfigTPTypes, &QComboBox::currentTextChanged, this,
            &TAddTidyConfigValue::CBTidyConfigTPTypesChange);
    connect(ButtonOK, &QPushButton::clicked, this, &TAddTidyConfigValue::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TAddTidyConfigValue::CBTidyConfigTPTypesChange()
{
    const QString name = TidyOptionModel::NormalizedName(CBTidyConfigTPTypes->currentText());
    const TidyValueType type = m_model.typeOf(name);
    const QString defaultValue = m_model.defaultOf(name);
    const bool freeText = type == TidyValueType::tpTagNames || type == TidyValueType::tpString
                          || type == TidyValueType::tpInteger;
    CBValue->setVisible(!freeText);
    EditTagNames->setVisible(freeText);
    LabelType->setBuddy(freeText ? static_cast<QWidget *>(EditTagNames) : CBValue);
    // The items always belong to the option shown, none for an option without a list.
    CBValue->clear();
    CBValue->addItems(m_model.valuesOf(type));
    // Only a value of the list is proposed: a stored default Tidy 5 rejects gives way to the first.
    const QString proposed = m_model.proposedValueOf(name);
    CBValue->setCurrentIndex(CBValue->findText(proposed, Qt::MatchExactly | Qt::MatchCaseSensitive));
    CBValue->setEditText(proposed);
    CBValue->setValidator(new TidyValueValidator(type, CBValue));
    EditTagNames->setValidator(new TidyValueValidator(type, EditTagNames));
    EditTagNames->setText(TidyOptionModel::IsValidValue(type, defaultValue) ? defaultValue : QString());
}

QString TAddTidyConfigValue::OptionName() const
{
    return TidyOptionModel::NormalizedName(CBTidyConfigTPTypes->currentText());
}

QString TAddTidyConfigValue::OptionValue() const
{
    const QString value = EditTagNames->isVisibleTo(this) ? EditTagNames->text() : CBValue->currentText();
    return TidyConfiguration::NormalizedValue(value);
}

void TAddTidyConfigValue::ButtonOKClick()
{
    const QString name = OptionName();
    if (!TidyConfiguration::IsValidOptionName(name) || !m_model.isValidValue(name, OptionValue()))
        return;
    accept();
}
