#include "authoring/TFormTable.h"

#include "program/MessagesKandrix.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox *countBox(QWidget *parent, const char *name)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, 1000);
    box->setValue(4);
    return box;
}

} // namespace

TFormTable::TFormTable(QString *generatedHtml, QWidget *parent) : QDialog(parent), m_generatedHtml(generatedHtml)
{
    setObjectName(QStringLiteral("FormTable"));
    setWindowTitle(QStringLiteral("Table without css"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    LabelColumns = new QLabel(this);
    LabelColumns->setObjectName(QStringLiteral("LabelColumns"));
    LabelRows = new QLabel(this);
    LabelRows->setObjectName(QStringLiteral("LabelRows"));
    SENumCols = countBox(this, "SENumCols");
    SENumRows = countBox(this, "SENumRows");
    LabelColumns->setBuddy(SENumCols);
    LabelRows->setBuddy(SENumRows);
    grid->addWidget(LabelColumns, 0, 0);
    grid->addWidget(SENumCols, 0, 1);
    grid->addWidget(LabelRows, 1, 0);
    grid->addWidget(SENumRows, 1, 1);
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormTable::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormTable::ButtonCancelClick);
    setFixedSize(sizeHint().expandedTo(QSize(240, 0)));
}

QString TFormTable::TableMarkup(int columns, int rows)
{
    const QString crlf = QStringLiteral("\r\n");
    QString row = QStringLiteral("  <tr>") + crlf;
    for (int c = 0; c < columns; ++c)
        row += QStringLiteral("    <td></td>") + crlf;
    row += QStringLiteral("  </tr>") + crlf;
    return QStringLiteral("<table summary=\"\">") + crlf + row.repeated(rows) + QStringLiteral("</table>");
}

void TFormTable::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormTable::FormShow()
{
    LabelColumns->setText(SColumns.isEmpty() ? tr("Columns:") : SColumns);
    LabelRows->setText(SRows.isEmpty() ? tr("Rows:") : SRows);
    ButtonCancel->setText(SCancel.isEmpty() ? tr("Cancel") : SCancel);
    if (m_generatedHtml)
        m_generatedHtml->clear();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TFormTable::ButtonOKClick()
{
    // Digits typed but not yet confirmed count as the box's value.
    SENumCols->interpretText();
    SENumRows->interpretText();
    if (m_generatedHtml)
        *m_generatedHtml = TableMarkup(SENumCols->value(), SENumRows->value());
    accept();
}

void TFormTable::ButtonCancelClick()
{
    reject();
}
