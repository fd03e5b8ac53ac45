#include "core/EditorPrinter.h"

#include <QByteArray>
#include <QList>
#include <QPainter>
#include <Qsci/qsciscintillabase.h>

namespace {
using Sci = QsciScintillaBase;

const char BodyFont[] = "Tahoma";
constexpr long PrintTabWidth = 8;

QByteArray styleFont(QsciScintillaBase *editor, unsigned long style)
{
    QByteArray name(int(editor->SendScintilla(Sci::SCI_STYLEGETFONT, style, 0L)) + 1, '\0');
    editor->SendScintilla(Sci::SCI_STYLEGETFONT, style, name.data());
    return QByteArray(name.constData());
}
} // namespace

TEditorPrinter::TEditorPrinter()
{
    setCopyCount(1);
    setMagnification(0);
}

int TEditorPrinter::printRange(QsciScintillaBase *editor, QPainter &painter, int from, int to)
{
    if (!painter.isActive())
        return 0;
    if (!editor)
        return QsciPrinter::printRange(editor, painter, from, to);
    const long tabWidth = editor->SendScintilla(Sci::SCI_GETTABWIDTH);
    const long colourMode = editor->SendScintilla(Sci::SCI_GETPRINTCOLOURMODE);
    // A style without a font name cannot be given "no name" back: an empty name is a
    // font of its own, with other line heights. Such styles are left alone; they take a
    // font of the other styles, the body font while printing.
    QList<QByteArray> fonts;
    for (unsigned long style = 0; style <= Sci::STYLE_MAX; ++style) {
        fonts << styleFont(editor, style);
        if (!fonts.constLast().isEmpty())
            editor->SendScintilla(Sci::SCI_STYLESETFONT, style, BodyFont);
    }
    editor->SendScintilla(Sci::SCI_SETTABWIDTH, PrintTabWidth);
    editor->SendScintilla(Sci::SCI_SETPRINTCOLOURMODE, Sci::SC_PRINT_COLOURONWHITE);

    const int printed = QsciPrinter::printRange(editor, painter, from, to);

    for (unsigned long style = 0; style <= Sci::STYLE_MAX; ++style) {
        if (!fonts.at(int(style)).isEmpty())
            editor->SendScintilla(Sci::SCI_STYLESETFONT, style, fonts.at(int(style)).constData());
    }
    editor->SendScintilla(Sci::SCI_SETTABWIDTH, tabWidth);
    editor->SendScintilla(Sci::SCI_SETPRINTCOLOURMODE, colourMode);
    return printed;
}

std::shared_ptr<TEditorPrinter> TEditorPrinter::Renewed() const
{
    auto printer = std::make_shared<TEditorPrinter>();
    // In this order: a file name picks its format, and the format its default printer.
    printer->setOutputFileName(outputFileName());
    printer->setOutputFormat(outputFormat());
    if (outputFormat() == QPrinter::NativeFormat)
        printer->setPrinterName(printerName());
    printer->setPageLayout(pageLayout());
    printer->setFullPage(fullPage());
    printer->setCopyCount(copyCount());
    printer->setCollateCopies(collateCopies());
    printer->setColorMode(colorMode());
    printer->setDuplex(duplex());
    printer->setPageOrder(pageOrder());
    printer->setPaperSource(paperSource());
    printer->setPrintRange(QPrinter::printRange());
    printer->setFromTo(fromPage(), toPage());
    printer->setDocName(docName());
    printer->setMagnification(magnification());
    printer->setWrapMode(wrapMode());
    return printer;
}
