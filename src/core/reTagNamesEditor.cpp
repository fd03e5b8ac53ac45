#include "core/reTagNamesEditor.h"

#include "program/MessagesKandrix.h"
#include "validation/TidyConfigFile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TTagNamesEditor::TTagNamesEditor(QWidget *parent) : QDialog(parent)
{
    setObjectName("TagNamesEditor");
    setWindowTitle(FormItemsEditorCaption);
    auto *layout = new QVBoxLayout(this);
    LabelItemsCount = new QLabel(this);
    LabelItemsCount->setObjectName("LabelItemsCount");
    QFont bold = LabelItemsCount->font();
    bold.setBold(true);
    LabelItemsCount->setFont(bold);
    MemoTagNames = new QPlainTextEdit(this);
    MemoTagNames->setObjectName("MemoTagNames");
    MemoTagNames->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoTagNames->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoTagNames->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *buttons = new QHBoxLayout;
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(SCancel.isEmpty() ? tr("Cancel") : SCancel, this);
    ButtonCancel->setObjectName("ButtonCancel");
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    layout->addWidget(LabelItemsCount);
    layout->addWidget(MemoTagNames, 1);
    layout->addLayout(buttons);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(300, 380);
}

void TTagNamesEditor::FormShow(const QString &value)
{
    const QStringList names = TidyTagNames(value);
    MemoTagNames->setPlainText(names.join(QLatin1Char('\n')));
    LabelItemsCount->setText(FormItemsEditorLabel + QLatin1Char(' ') + QString::number(names.size()));
}

QString TTagNamesEditor::Value() const
{
    return TidyTagList(MemoTagNames->toPlainText().split(QLatin1Char('\n')));
}
