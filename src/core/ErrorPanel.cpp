#include "core/ErrorPanel.h"

#include "core/ImageList.h"
#include "documents/TDocument.h"

#include <QHBoxLayout>
#include <QListView>
#include <QSplitter>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>

void TidyMessageModel::setMessages(QList<TidyMessage> messages, TDocument *document, int tabSize)
{
    beginResetModel();
    m_messages = std::move(messages);
    m_document = document;
    m_tabSize = tabSize;
    endResetModel();
}

void TidyMessageModel::clear()
{
    setMessages({}, nullptr, 8);
}

const TidyMessage *TidyMessageModel::message(int row) const
{
    return row >= 0 && row < m_messages.size() ? &m_messages[row] : nullptr;
}

int TidyMessageModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_messages.size());
}

QVariant TidyMessageModel::data(const QModelIndex &index, int role) const
{
    const TidyMessage *m = message(index.row());
    if (!m || role != Qt::DisplayRole)
        return {};
    return m->text;
}

TErrorPanel::TErrorPanel(QWidget *parent) : QFrame(parent), m_model(this)
{
    setObjectName("PanelGridErrors");
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_close = new QToolButton(this);
    m_close->setObjectName("ButtonCloseGridErrors");
    m_close->setIcon(ImageList1(imgClose));
    m_close->setIconSize(QSize(16, 16));
    m_close->setAutoRaise(true);
    m_close->setFixedSize(18, 18);
    connect(m_close, &QToolButton::clicked, this, &TErrorPanel::closeRequested);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("SplitterGridErrors");
    m_list = new QListView(m_splitter);
    m_list->setObjectName("GridErrors");
    m_list->setModel(&m_model);
    // Rows of one height: the view never measures 30,000 texts.
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_list, &QListView::doubleClicked, this, [this](const QModelIndex &index) { jumpToRow(index.row()); });
    connect(m_list, &QListView::activated, this, [this](const QModelIndex &index) { jumpToRow(index.row()); });

    auto *infoPanel = new QFrame(m_splitter);
    infoPanel->setObjectName("PanelMemoInfo");
    auto *infoLayout = new QVBoxLayout(infoPanel);
    infoLayout->setContentsMargins(0, 0, 0, 0);
    m_info = new QTextEdit(infoPanel);
    m_info->setObjectName("MemoInfo");
    m_info->setReadOnly(true);
    QPalette infoPalette = m_info->palette();
    infoPalette.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    infoPalette.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    m_info->setPalette(infoPalette);
    infoLayout->addWidget(m_info);

    auto *closeColumn = new QVBoxLayout;
    closeColumn->addWidget(m_close);
    closeColumn->addStretch();
    layout->addLayout(closeColumn);
    layout->addWidget(m_splitter);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
}

void TErrorPanel::reset()
{
    m_model.clear();
}

void TErrorPanel::showReport(const TidyReport &report, TDocument *document, int tabSize,
                             const QStringList &complaints, const QString &infoText)
{
    m_model.setMessages(report.messages, document, tabSize);
    showInfo(complaints, infoText);
    if (m_model.rowCount() > 0)
        m_list->setCurrentIndex(m_model.index(0));
}

void TErrorPanel::showInfo(const QStringList &complaints, const QString &infoText)
{
    // Plain text: the quick start's bold must not carry over into the report.
    m_info->clear();
    QString text;
    for (const QString &line : complaints)
        text += line + QStringLiteral("\r\n");
    if (!complaints.isEmpty())
        text += QStringLiteral("\r\n");
    QTextCursor(m_info->document()).insertText(text + infoText, QTextCharFormat());
}

void TErrorPanel::jumpToRow(int row)
{
    const TidyMessage *m = m_model.message(row);
    if (!m || m->line < 1 || !m_model.document())
        return;
    emit jumpRequested(m_model.document(), m->line, m->column, m_model.tabSize());
}

int TErrorPanel::currentRow() const
{
    return m_list->currentIndex().row();
}

void TErrorPanel::SelectReportedPlace(QsciScintilla *editor, int line, int column, int tabSize)
{
    const int lineIndex = qBound(0, line - 1, qMax(0, editor->lines() - 1));
    QString text = editor->text(lineIndex);
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    // QScintilla's index counts characters: a pair of UTF-16 units is one.
    const auto characters = [&text](int utf16) { return int(text.left(utf16).toUcs4().size()); };
    const int start = characters(TidyColumnToIndex(text, column, tabSize));
    const int end = characters(int(text.size()));
    editor->setCursorPosition(lineIndex, start);
    editor->setSelection(lineIndex, start, lineIndex, end);
    editor->setFocus();
}
