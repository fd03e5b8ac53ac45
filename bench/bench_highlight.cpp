// Styling speed of the multi-language lexer against QScintilla's own HTML lexer on a 5 MB
// HTML page with style, script and PHP parts. Run by hand:
//   QT_QPA_PLATFORM=offscreen bench/bench_highlight [megabytes]
#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "themes/SyntaxLexer.h"

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Base = QsciScintillaBase;

QByteArray makePage(int bytes)
{
    QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>Bench</title>\n</head>\n<body>\n";
    for (int n = 0; page.size() < bytes; ++n) {
        const QByteArray i = QByteArray::number(n);
        page += "<style type=\"text/css\">\n"
                "/* block " + i + " */\n"
                "@media screen and (max-width: 600px) {\n"
                "  .card" + i + " > h2, #main a:hover { color: #3366cc; margin: 0 auto 12px; }\n"
                "}\n"
                "div.item" + i + " { background: url(img/bg" + i + ".png) no-repeat; border: 1px solid #ccc;"
                " font-family: \"Segoe UI\", sans-serif; padding: 4px 8px !important; }\n"
                "</style>\n"
                "<div class=\"card" + i + "\" id=\"c" + i + "\" data-n=\"" + i + "\">\n"
                "  <h2>Title " + i + " &amp; more</h2>\n"
                "  <p>Some <b>bold</b> and <i>italic</i> text, a <a href=\"page" + i + ".html\">link</a>"
                " and an <img src=\"p" + i + ".png\" alt=\"\" width=\"10\">.</p>\n"
                "  <!-- comment " + i + " -->\n"
                "  <a href=\"<?= $base ?>/item/" + i + "\"><?php echo htmlspecialchars($title" + i + "); ?></a>\n"
                "</div>\n"
                "<script type=\"text/javascript\">\n"
                "// handler " + i + "\n"
                "function show" + i + "(event) {\n"
                "  var el = document.getElementById('c" + i + "');\n"
                "  if (el && event.type === \"click\") { el.style.display = 'none'; }\n"
                "  return /^c\\d+$/.test(el.id) ? " + i + " * 2.5 : null;\n"
                "}\n"
                "</script>\n"
                "<?php\n"
                "/* block " + i + " */\n"
                "$title" + i + " = 'Item " + i + "';\n"
                "if (isset($_GET['n']) && $_GET['n'] == " + i + ") {\n"
                "    echo \"<p>Selected: $title" + i + "</p>\"; // show it\n"
                "}\n"
                "?>\n";
    }
    page += "</body>\n</html>\n";
    return page;
}

// Best of three runs, in milliseconds; the set-up before each run is not timed.
double bestOf(const std::function<void()> &run, const std::function<void()> &setUp = {})
{
    std::vector<double> times;
    for (int r = 0; r < 3; ++r) {
        if (setUp)
            setUp();
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return *std::min_element(times.begin(), times.end());
}

struct Figures {
    double Full;
    double Edit;
    double EditScreen;
    double EditToEnd;
};

// Full styling; the cost of a one-character edit in the middle of the text without any
// styling; then the restyling after such an edit, as far as a screen below it (what typing
// costs) and to the end (the most an edit can cost).
Figures measure(QsciScintilla &editor, const QByteArray &page)
{
    editor.SendScintilla(Base::SCI_SETTEXT, 0ul, page.constData());
    Figures f{};
    f.Full = bestOf([&] { editor.SendScintilla(Base::SCI_COLOURISE, 0ul, -1l); });
    const long middle = page.size() / 2;
    const long line =
        editor.SendScintilla(Base::SCI_LINEFROMPOSITION, static_cast<unsigned long>(middle));
    const long screenEnd =
        editor.SendScintilla(Base::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 60));
    // Styles from the first unstyled position, as painting does.
    const auto styleTo = [&](long end) {
        const long from = editor.SendScintilla(Base::SCI_GETENDSTYLED);
        editor.SendScintilla(Base::SCI_COLOURISE, static_cast<unsigned long>(from), end);
    };
    bool insert = true;
    const auto edit = [&] {
        if (insert)
            editor.SendScintilla(Base::SCI_INSERTTEXT, static_cast<unsigned long>(middle), "x");
        else
            editor.SendScintilla(Base::SCI_DELETERANGE, static_cast<unsigned long>(middle), 1l);
        insert = !insert;
    };
    f.Edit = bestOf(edit);
    editor.SendScintilla(Base::SCI_COLOURISE, 0ul, -1l);
    f.EditScreen = bestOf([&] { styleTo(screenEnd); }, edit);
    f.EditToEnd = bestOf([&] { styleTo(-1); }, edit);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const double megabytes = argc > 1 ? QByteArray(argv[1]).toDouble() : 5.0;
    const QByteArray page = makePage(int(megabytes * 1024 * 1024));

    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    QsciScintilla ours;
    ours.setUtf8(true);
    ours.setLexer(new SyntaxLexer(SyntaxLexerKind::Multi, &model, &ours));
    QsciScintilla theirs;
    theirs.setUtf8(true);
    theirs.setLexer(new QsciLexerHTML(&theirs));

    const Figures a = measure(ours, page);
    const Figures b = measure(theirs, page);
    std::printf("page: %.2f MB, %ld lines\n", page.size() / 1048576.0,
                ours.SendScintilla(Base::SCI_GETLINECOUNT));
    std::printf("%-34s %12s %12s\n", "", "multi-lang", "QsciLexerHTML");
    std::printf("%-34s %10.1f ms %10.1f ms   ratio %.2f (goal <= 1.5)\n", "full styling", a.Full,
                b.Full, a.Full / b.Full);
    std::printf("%-34s %10.3f ms %10.3f ms\n", "1-char edit itself (no styling)", a.Edit, b.Edit);
    std::printf("%-34s %10.3f ms %10.3f ms\n", "restyle 60 lines after the edit", a.EditScreen,
                b.EditScreen);
    std::printf("%-34s %10.1f ms %10.1f ms\n", "restyle to the end after the edit", a.EditToEnd,
                b.EditToEnd);
    return 0;
}
