#pragma once
// Printing a document: its editor through the editor's printer, or its preview page when
// that is in front. Both printers keep the user's choices between uses.
#include <QObject>

#include <memory>

class QPrinter;
class QWebEngineView;
class TDocument;
class TEditorPrinter;

class TDocumentPrinting : public QObject {
    Q_OBJECT
public:
    explicit TDocumentPrinting(QObject *parent = nullptr);
    ~TDocumentPrinting() override;

    // Prints the editor at once, or the preview after its printer dialog.
    void Print(TDocument *document);
    // The printer dialog of the page in front, to choose the printer, file and page.
    void PrinterSetup(TDocument *document);

    std::shared_ptr<TEditorPrinter> EditorPrinter() const { return m_editorPrinter; }
    void SetEditorPrinter(std::shared_ptr<TEditorPrinter> printer) { m_editorPrinter = std::move(printer); }

private:
    static QWebEngineView *BrowserInFront(TDocument *document);

    std::shared_ptr<TEditorPrinter> m_editorPrinter;
    std::shared_ptr<QPrinter> m_previewPrinter;
};
