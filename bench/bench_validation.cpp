// Analyze on a 1 MB page against bare HTML Tidy on the same file: the same copy and
// the same run configuration that Analyze hands to Tidy, so the ratio is the
// program's own cost.
// Run by hand: build/bench/bench_validation
#include "TestSupport.h"

#include "documents/EditorText.h"
#include "core/reMainForm.h"
#include "../tests/core/MainFormTestSupport.h"
#include "core/ValidationPart.h"
#include "program/uDivStartVK.h"
#include "platform/ProcessRunner.h"

#include <QComboBox>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// A page with a fault every fiftieth block; cascading faults give tens of thousands of messages.
QByteArray makePage(int targetBytes, bool cascading)
{
    QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Big</title>\n"
                      "</head>\n<body>\n";
    int i = 0;
    while (page.size() < targetBytes) {
        page += "<div class=\"row\"><p>Paragraph " + QByteArray::number(i) +
                " with <b>bold</b> and <a href=\"x.html\">a link</a>.</p>";
        // Every fiftieth block has a fault for the report.
        if (i % 50 == 0)
            page += cascading ? "<p>unclosed <i>italic</p>" : "<p>unknown &bogus entity</p>";
        page += "</div>\n";
        ++i;
    }
    page += "</body>\n</html>\n";
    return page;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void measure(TMainForm &form, TempProgramFolder &folder, ScriptedDialogs &dialogs, const char *label,
             bool cascading)
{
    const QByteArray page = makePage(1024 * 1024, cascading);
    const QString name = QStringLiteral("bench/page-%1.html").arg(cascading ? "cascading" : "typical");
    folder.write(name, page);
    const QString path = folder.file(name);
    const int runs = 9;

    form.show();
    OpenThroughDialog(&form, &dialogs, path);

    trigger(&form, "MenuAnalyze");  // lays out the copy and the run configuration
    const QString copy = folder.file(QStringLiteral("bench/bare-%1.htm").arg(cascading ? "cascading" : "typical"));
    QFile::remove(copy);
    QFile::copy(form.findChild<TValidationPart *>()->TemporaryCopyPath(), copy);
    std::vector<double> bare;
    std::vector<double> analyze;
    for (int r = 0; r < runs; ++r) {
        // Alternating which goes first evens out the machine's drift.
        QElapsedTimer t;
        for (int order = 0; order < 2; ++order) {
            t.start();
            if ((r + order) % 2 == 0) {
                RunProcess(Paths().Tidy5Exe, {"-config", Paths().TidyConfigTmpFile, "-f", folder.file("tmp/bare.txt"), "-e", copy},
                           600000);
                bare.push_back(t.nsecsElapsed() / 1e6);
            } else {
                trigger(&form, "MenuAnalyze");
                analyze.push_back(t.nsecsElapsed() / 1e6);
            }
        }
    }
    const double b = median(bare);
    const double a = median(analyze);
    std::printf("%s page: %d bytes, %d messages listed, %d runs (medians)\n", label, int(page.size()),
                form.findChild<TErrorPanel *>("PanelGridErrors")->messages()->rowCount(), runs);
    std::printf("bare tidy: %.1f ms\n", b);
    std::printf("Analyze:   %.1f ms\n", a);
    std::printf("ratio Analyze / bare tidy: %.3f (goal: at most 1.10)\n\n", a / b);
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
    measure(form, folder, dialogs, "typical", false);
    measure(form, folder, dialogs, "cascading", true);
    DiscardChanges(&form);
    form.close();
    return 0;
}
