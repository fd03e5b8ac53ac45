// Tidy reports and message positions: the counts are never fewer than the messages listed,
// messages keep the report's order, and any column maps into its line.
#include "FuzzSupport.h"

#include "validation/TidyReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int tabSize = FuzzTakeByte(data, size) % 12;
    const QByteArray bytes = FuzzBytes(data, size);
    const TidyReport report = TidyReport::ParseBytes(bytes);
    int errors = 0;
    int warnings = 0;
    int previous = -1;
    for (const TidyMessage &m : report.messages) {
        FUZZ_CHECK(m.reportLine > previous);
        previous = m.reportLine;
        errors += m.kind == TidyMessageKind::Error;
        warnings += m.kind == TidyMessageKind::Warning;
        if (const auto pos = TidyMessagePosition(m.text)) {
            FUZZ_CHECK(pos->line >= 0 && pos->column >= 0);
            const int index = TidyColumnToIndex(m.text, pos->column, tabSize);
            FUZZ_CHECK(index >= 0 && index <= m.text.size());
        }
    }
    FUZZ_CHECK(report.errors >= errors && report.warnings >= warnings);
    (void)report.icon();
    (void)TidyInfoPaneText(report, TidyReportHeader(5));

    const QString text = QString::fromUtf8(bytes);
    const int column = tabSize * 7 - 3;
    const int index = TidyColumnToIndex(text, column, tabSize);
    FUZZ_CHECK(index >= 0 && index <= text.size());
    return 0;
}
