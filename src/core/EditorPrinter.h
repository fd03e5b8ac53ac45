#pragma once
// The editor's printer: the text in one body font with tabs 8 columns wide, in its colours on
// white paper, whatever the editor shows on screen. The editor shows its own again afterwards.
#include <Qsci/qsciprinter.h>

class TEditorPrinter : public QsciPrinter {
public:
    TEditorPrinter();

    using QsciPrinter::printRange;
    int printRange(QsciScintillaBase *editor, QPainter &painter, int from = -1, int to = -1) override;
};
