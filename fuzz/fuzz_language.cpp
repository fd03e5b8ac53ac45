// The language file reader: any file gives component texts with a component and one of
// the known properties, and reading is the same the second time (no state leaks between
// reads).
#include "FuzzSupport.h"

#include "program/LanguageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    const LanguageTexts texts = ReadLanguageText(bytes);
    for (const LanguageText &t : texts) {
        FUZZ_CHECK(!t.component.isEmpty());
        FUZZ_CHECK(t.property == QLatin1String("caption") || t.property == QLatin1String("hint")
                   || t.property == QLatin1String("text"));
    }
    const LanguageTexts again = ReadLanguageText(bytes);
    FUZZ_CHECK(again.size() == texts.size());
    for (int i = 0; i < texts.size(); ++i)
        FUZZ_CHECK(again[i].component == texts[i].component && again[i].text == texts[i].text);
    return 0;
}
