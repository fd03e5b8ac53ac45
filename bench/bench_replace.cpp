// Replace all of a frequent word in 1 MB and 10 MB documents, through the search window
// of the main window. Run by hand: build/bench/bench_replace
#include "TestSupport.h"

#include "core/reMainForm.h"
#include "../tests/core/MainFormTestSupport.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "tools/ReSearchReplaceSE.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Lines of prose in which one word in eight is "foo".
QString makeText(int targetBytes)
{
    const QString line = QStringLiteral("<p>foo lorem ipsum dolor foo sit amet consectetur foo adipiscing elit</p>\n");
    QString text;
    text.reserve(targetBytes + line.size());
    while (text.size() < targetBytes)
        text += line;
    return text;
}

double replaceAllSeconds(TMainForm &form, const ScriptedDialogs &dialogs, int bytes, int *count)
{
    TDocument *document = currentDocument(&form);
    SetEditorText(document->editor(), makeText(bytes));
    document->editor()->setCursorPosition(0, 0);
    trigger(&form, "MenuReplace");
    auto *window = child<TSearchReplaceSE *>(&form, "SearchReplaceSE");
    Control<QRadioButton>(window, "CBRep_BeginDocument")->setChecked(true);
    Control<QRadioButton>(window, "CBRep_EndDocument")->setChecked(true);
    Control<QComboBox>(window, "CBRep_FindText")->setEditText("foo");
    Control<QComboBox>(window, "CBRep_ReplaceText")->setEditText("barbaz");
    QElapsedTimer timer;
    timer.start();
    Control<QPushButton>(window, "ButtonReplaceAll")->click();
    const double seconds = timer.nsecsElapsed() / 1e9;
    // The count the closing message gives.
    *count = QRegularExpression(QStringLiteral("\\d+")).match(dialogs.texts().value(dialogs.texts().size() - 1)).captured().toInt();
    return seconds;
}
} // namespace

int main(int argc, char **argv)
{
    PrepareWindowTestEnvironment();
    QApplication app(argc, argv);
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    TMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;

    const int runs = 3;
    double times[2] = {};
    const int sizes[2] = {1024 * 1024, 10 * 1024 * 1024};
    for (int s = 0; s < 2; ++s) {
        std::vector<double> samples;
        int count = 0;
        for (int r = 0; r < runs; ++r)
            samples.push_back(replaceAllSeconds(form, dialogs, sizes[s], &count));
        std::sort(samples.begin(), samples.end());
        times[s] = samples[samples.size() / 2];
        std::printf("replace all, %2d MB: %8.3f s  (%d replacements, median of %d)\n", sizes[s] / (1024 * 1024),
                    times[s], count, runs);
    }
    std::printf("10 MB / 1 MB time ratio: %.2f (linear growth: at most 12)\n", times[1] / times[0]);
    currentDocument(&form)->setModified(false);
    return 0;
}
