#pragma once
// The error panel: the list of Tidy's messages, the information pane beside it
// and the close button. Each row keeps the parsed message and the document it
// is about; a double click asks for that document and that place.
#include "validation/TidyReport.h"

#include <QAbstractListModel>
#include <QFrame>
#include <QPointer>

class QListView;
class QSplitter;
class QTextEdit;
class QToolButton;
class QsciScintilla;
class TDocument;

class TidyMessageModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setMessages(QList<TidyMessage> messages, TDocument *document, int tabSize);
    void clear();
    const TidyMessage *message(int row) const;
    TDocument *document() const { return m_document; }
    int tabSize() const { return m_tabSize; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<TidyMessage> m_messages;
    QPointer<TDocument> m_document;
    int m_tabSize = 8;
};

class TErrorPanel : public QFrame {
    Q_OBJECT
public:
    explicit TErrorPanel(QWidget *parent = nullptr);

    QTextEdit *info() const { return m_info; }
    QSplitter *splitter() const { return m_splitter; }
    const TidyMessageModel *messages() const { return &m_model; }

    // Empties the list (GridErrorsReset).
    void reset();
    // Fills the list with the report's messages about the document, and the
    // information pane with the complaints, then the text.
    void showReport(const TidyReport &report, TDocument *document, int tabSize, const QStringList &complaints,
                    const QString &infoText);
    // The pane's text alone (the quick start, a message of the run).
    void showInfo(const QStringList &complaints, const QString &infoText);
    // Asks for the place of a row (GridErrorsDblClick).
    void jumpToRow(int row);
    int currentRow() const;

    // Selects the reported place in the editor: from Tidy's column (tabs expanded
    // to tabSize, a character outside the basic plane counted once) to the line's end.
    static void SelectReportedPlace(QsciScintilla *editor, int line, int column, int tabSize);

signals:
    void jumpRequested(TDocument *document, int line, int column, int tabSize);
    void closeRequested();

private:
    TidyMessageModel m_model;
    QListView *m_list = nullptr;
    QTextEdit *m_info = nullptr;
    QSplitter *m_splitter = nullptr;
    QToolButton *m_close = nullptr;
};
