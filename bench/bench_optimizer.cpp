// CPU time (ms) of the optimizer's passes on 0.1, 1 and 10 MB pages with every box on, and
// how the time grows with the size (x10 size should cost at most x12 time); then the same
// growth for tags holding long runs of blanks, which every tag's cleaning meets whatever
// the boxes. Run by hand:
//   bench/bench_optimizer
#include "tools/HtmlRewriting.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace HtmlRewriting;

namespace {

QString makePage(int size)
{
    QString page = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n"
                                  "<HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html\">\r\n"
                                  "<TITLE>Bench</TITLE>\r\n</HEAD>\r\n<BODY>\r\n");
    for (int n = 0; page.size() < size; ++n) {
        const QString i = QString::number(n);
        page += QStringLiteral("<!-- block ") + i + QStringLiteral(" -->\r\n"
                "<TABLE BORDER=\"1\" WIDTH=\"100%\">\r\n<TR>\r\n\t<TD  ALIGN = \"left\" >Cell ") + i +
                QStringLiteral(",\r\n\tnext   line  with  spaces</TD>\r\n</TR>\r\n</TABLE>\r\n"
                "<P CLASS=\"Text\">Some <B>bold</B>, <I>italic</I> and <U>underlined</U> words \u0141\u00f3d\u017a "
                "\U0001F600.<BR>\r\n<A HREF=\"page") + i + QStringLiteral(".html\" TARGET=\"_blank\">link</A>\r\n"
                "<IMG SRC=\"p") + i + QStringLiteral(".png\" ALT=\"x\" BORDER=\"0\"><HR><INPUT TYPE=\"text\"></P>\r\n"
                "<SCRIPT TYPE=\"text/javascript\">\r\nfor (var i = 0; i<N; i++) { f(i); } // loop ") + i +
                QStringLiteral("\r\n</SCRIPT>\r\n<?php echo $a > 1 ? 'x' : 'y'; ?>\r\n");
    }
    page += QStringLiteral("</BODY>\r\n</HTML>\r\n");
    return page;
}

OptimizerOptions everyBox()
{
    OptimizerOptions o;
    o.dtd = Dtd::Xhtml10Strict;
    o.CBSlash_MetaLink = o.CBSlash_tags = true;
    o.CB_b_strong = o.CB_i_em = o.CB_u_del = true;
    o.CBLowerCase_Tags = o.CBLowerCase_Attributes = o.CBLowerCase_AttributesValue = true;
    o.CBDelete_LineBreak13 = o.CBDelete_LineBreak10 = o.CBDelete_Tabs = o.CBDelete_ExtraSpaces = true;
    o.CBDelete_Comments = true;
    o.CB_target_javascript = o.CBDelete_Img_Border = o.CBDelete_Table_Border = true;
    o.CBIgnore_Scripts = o.CBIgnore_PhpAsp = true;
    o.CBDeleteHtmlTags = true;
    o.StartingWith = QStringLiteral("Cell");
    o.EndingWith = QStringLiteral("Box");
    return o;
}

// CPU time of this thread: other programs on the machine do not count.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The best of a few runs, so that other work on the machine weighs less.
double msOf(const std::function<void()> &run, int repeats)
{
    double best = -1;
    for (int k = 0; k < repeats; ++k) {
        const double start = threadCpuMs();
        run();
        const double ms = threadCpuMs() - start;
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}

// Tags whose blanks run up to each character that takes the blank before it away.
QString blankRuns(int blanks)
{
    const QString run(blanks, u' ');
    return QStringLiteral("<a") + run + QStringLiteral("=x><a") + run + QStringLiteral("\"x\"><a") + run +
           QStringLiteral(">");
}

// Tag cleaning on runs of n and 10n blanks; true when 10n costs at most 12 times n.
bool tagCleaningGrowth()
{
    const OptimizerOptions o;
    const int blanks[] = {100 * 1000, 1000 * 1000};
    double ms[2];
    for (int k = 0; k < 2; ++k) {
        const QString tags = blankRuns(blanks[k]);
        ms[k] = msOf([&] { ProcessText(tags, o); }, 10);
        std::printf("tag cleaning, 3 runs of %7d blanks: %8.2f ms\n", blanks[k], ms[k]);
    }
    std::printf("growth of tag cleaning: x%.2f (x10 blanks, at most x12 allowed)\n", ms[1] / ms[0]);
    return ms[1] / ms[0] <= 12;
}

} // namespace

int main()
{
    const OptimizerOptions o = everyBox();
    const int sizes[] = {100 * 1000, 1000 * 1000, 10 * 1000 * 1000};
    std::vector<double> totals;
    std::printf("%10s %10s %10s %10s %10s %10s %10s %10s\n", "characters", "tags+text", "DOCTYPE", "comments",
                "all tags", "replace", "passes", "Apply");
    for (const int size : sizes) {
        const QString page = makePage(size);
        const int repeats = size < 1000 * 1000 ? 50 : size < 10 * 1000 * 1000 ? 10 : 5;
        QString scanned, headed, uncommented, untagged, result;
        const double scan = msOf([&] { scanned = ProcessText(page, o); }, repeats);
        const double dtd = msOf([&] { headed = ReplaceDTD(scanned, o); }, repeats);
        const double comments = msOf([&] { uncommented = DeleteComments(headed, o); }, repeats);
        const double tags = msOf([&] { untagged = DeleteHtmlTags(uncommented, o); }, repeats);
        const double replace = msOf([&] { QString(untagged).replace(o.StartingWith, o.EndingWith); }, repeats);
        const double whole = msOf([&] { result = OptimizeText(page, o); }, repeats);
        // The growth is judged on the sum of each pass's best time, which other work on
        // the machine disturbs less than one whole run.
        const double passes = scan + dtd + comments + tags + replace;
        totals.push_back(passes);
        std::printf("%10lld %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f\n", static_cast<long long>(page.size()),
                    scan, dtd, comments, tags, replace, passes, whole);
    }
    std::printf("growth of the passes 0.1->1 MB: x%.2f, 1->10 MB: x%.2f (x10 size, at most x12 allowed)\n", totals[1] / totals[0],
                totals[2] / totals[1]);
    const bool passesLinear = totals[1] / totals[0] <= 12 && totals[2] / totals[1] <= 12;
    const bool cleaningLinear = tagCleaningGrowth();
    return passesLinear && cleaningLinear ? 0 : 1;
}
