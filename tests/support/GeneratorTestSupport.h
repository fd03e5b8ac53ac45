#pragma once
// Driving the generator dialogs and reading what their previews show. The preview probes
// run in a script world of their own, so they work whether or not the page's scripts may.
#include "authoring/ZColorStringGrid.h"

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <Qsci/qsciscintilla.h>
#include <memory>

inline void clickCell(TZColorStringGrid *grid, int col, int row, Qt::KeyboardModifiers modifiers = {})
{
    const TRect r = grid->CellRect(col, row);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                      QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

// Replaces the editor's text by typing.
inline void typeInto(QsciScintilla *editor, const QString &text)
{
    editor->selectAll();
    QTest::keyClicks(editor, text);
}

// The value of a script run on the shown page; invalid without a browser or when no
// answer comes within the limit.
inline QVariant RunInPage(QWebEngineView *view, const QString &script, int timeoutMs = 30000)
{
    if (!view)
        return {};
    // Shared with the callback, which may come after a wait that gave up.
    auto answer = std::make_shared<std::pair<bool, QVariant>>();
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                [answer](const QVariant &value) { *answer = {true, value}; });
    if (!QTest::qWaitFor([&answer] { return answer->first; }, timeoutMs))
        return {};
    return answer->second;
}

// What a shown page holds once it has loaded: "blank" for the empty page, "loading" before,
// else the script's text (the script is an expression; `document` is the page's).
inline QString ShownPage(QWebEngineView *view, const QString &expression)
{
    const QVariant value =
        RunInPage(view, QStringLiteral("document.readyState !== 'complete' ? 'loading'"
                                       " : location.href === 'about:blank' ? 'blank' : String(%1)")
                            .arg(expression));
    return value.isValid() ? value.toString() : QStringLiteral("no browser");
}
