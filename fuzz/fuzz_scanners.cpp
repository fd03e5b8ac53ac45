// The syntax scanners, line by line as the editors' lexer calls them. The first byte picks
// the scanner. Every line is scanned from its own copy, so reading or writing outside the
// line is caught; every byte gets a style of the scanner's languages; scanning the whole
// text in place gives the same styles and states; and restyling from a middle line with
// the state stored for the line above gives the same styles again.
#include "FuzzSupport.h"

#include "themes/SyntaxScanners.h"
#include "themes/SyntaxStyles.h"

#include <cstring>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

using SyntaxScan::LineScanner;
using L = SyntaxLanguage;

struct Scanner {
    LineScanner Scan;
    L Languages[4];
    int LanguageCount;
    bool Markers;
};

const Scanner kScanners[] = {
    {SyntaxScan::MultiLine, {L::HTML, L::JS, L::PHP, L::CSS}, 4, true},
    {SyntaxScan::HtmlLine, {L::HTML}, 1, false},
    {SyntaxScan::CssLine, {L::CSS}, 1, false},
    {SyntaxScan::JsLine, {L::JS}, 1, false},
    {SyntaxScan::PhpLine, {L::PHP}, 1, false},
    {SyntaxScan::XmlLine, {L::XML}, 1, false},
    {SyntaxScan::BatLine, {L::BAT}, 1, false},
    {SyntaxScan::CppLine, {L::CPP}, 1, false},
    {SyntaxScan::PasLine, {L::PAS}, 1, false},
    {SyntaxScan::AsmLine, {L::ASM}, 1, false},
    {SyntaxScan::SqlLine, {L::SQL}, 1, false},
};
constexpr int kScannerCount = int(sizeof kScanners / sizeof kScanners[0]);

bool styleOfScanner(const Scanner &scanner, quint8 style)
{
    if (scanner.Markers && SyntaxMarkerOfStyle(style) >= 0)
        return true;
    const SyntaxAttri attri = SyntaxAttriOfStyle(style);
    if (attri == SyntaxAttri::Count)
        return false;
    for (int i = 0; i < scanner.LanguageCount; ++i) {
        const SyntaxLanguageInfo &info = SyntaxLanguageInfoOf(scanner.Languages[i]);
        if (int(attri) >= int(info.First) && int(attri) < int(info.First) + info.Count)
            return true;
    }
    return false;
}

// End of the line starting at pos: after its LF, CR LF or CR, or the text's end.
size_t lineEnd(const char *text, size_t pos, size_t len)
{
    for (size_t i = pos; i < len; ++i) {
        if (text[i] == '\n')
            return i + 1;
        if (text[i] == '\r')
            return i + 1 < len && text[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return len;
}

constexpr quint8 kUnstyled = 0xFF;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Scanner &scanner = kScanners[FuzzTakeByte(data, size) % kScannerCount];
    const char *text = reinterpret_cast<const char *>(data);

    std::vector<size_t> starts;
    for (size_t pos = 0; pos < size; pos = lineEnd(text, pos, size))
        starts.push_back(pos);
    starts.push_back(size);
    const size_t lines = starts.size() - 1;

    // Each line alone, from an exact copy.
    std::vector<quint8> styles(size, kUnstyled);
    std::vector<int> states(lines);
    int state = 0;
    for (size_t line = 0; line < lines; ++line) {
        const size_t length = starts[line + 1] - starts[line];
        std::unique_ptr<char[]> copy(new char[length]);
        std::unique_ptr<quint8[]> lineStyles(new quint8[length]);
        std::memcpy(copy.get(), text + starts[line], length);
        std::memset(lineStyles.get(), kUnstyled, length);
        state = scanner.Scan(copy.get(), 0, int(length), state, lineStyles.get());
        states[line] = state;
        for (size_t i = 0; i < length; ++i) {
            FUZZ_CHECK(lineStyles[i] != kUnstyled);
            FUZZ_CHECK(styleOfScanner(scanner, lineStyles[i]));
        }
        std::memcpy(styles.data() + starts[line], lineStyles.get(), length);
    }

    // The whole text in place, as the lexer passes it.
    std::vector<quint8> whole(size, kUnstyled);
    state = 0;
    for (size_t line = 0; line < lines; ++line) {
        state = scanner.Scan(text, int(starts[line]), int(starts[line + 1]), state, whole.data());
        FUZZ_CHECK(state == states[line]);
    }
    FUZZ_CHECK(whole == styles);

    // From a middle line on, with the state kept for the line above.
    if (lines >= 2) {
        const size_t middle = lines / 2;
        const size_t from = starts[middle];
        std::vector<quint8> rest(size - from, kUnstyled);
        state = states[middle - 1];
        for (size_t line = middle; line < lines; ++line) {
            state = scanner.Scan(text + from, int(starts[line] - from), int(starts[line + 1] - from), state,
                                 rest.data());
            FUZZ_CHECK(state == states[line]);
        }
        FUZZ_CHECK(std::equal(rest.begin(), rest.end(), styles.begin() + std::ptrdiff_t(from)));
    }
    return 0;
}
