#pragma once
// The editor's printer: the text in one body font with tabs 8 columns wide, in its colours on
// white paper, whatever the editor shows on screen. The editor shows its own again afterwards.
#include <Qsci/qsciprinter.h>

#include <memory>

class TEditorPrinter : public QsciPrinter {
public:
    TEditorPrinter();

    // 0 when nothing could be printed (the printer did not start).
    using QsciPrinter::printRange;
    int printRange(QsciScintillaBase *editor, QPainter &painter, int from = -1, int to = -1) override;

    // A printer with this one's choices (printer, file, page, copies...). A printer that
    // failed to start stays busy and refuses a new choice, so it is replaced by this.
    std::shared_ptr<TEditorPrinter> Renewed() const;
};
