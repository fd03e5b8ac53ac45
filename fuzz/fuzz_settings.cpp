// The settings reader. Whatever the file holds, what is read and written again reads back
// to the same settings: saving the read settings and reading that gives the same text, but
// for the run count, which every reading counts up.
#include "FuzzSupport.h"

#include "program/VkSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VkSettings first;
    ReadSettingsText(FuzzBytes(data, size), first);
    const QString text = SaveSettingsText(first);
    const QByteArray bytes = EncodeSettingsText(text);
    FUZZ_CHECK(DecodeSettingsBytes(bytes) == text);

    VkSettings second;
    FUZZ_CHECK(ReadSettingsText(bytes, second) == SettingsReadStatus::Completed);
    FUZZ_CHECK(second.RunCount >= first.RunCount);
    second.RunCount = first.RunCount;
    FUZZ_CHECK(SaveSettingsText(second) == text);
    return 0;
}
