// The settings reader. Whatever the file holds, settings once written read back to the same
// settings: saving what was read and reading that gives the same text, but for the run
// count, which every reading counts up, and a first run's language. A reading that stopped
// at a bad number skips its closing steps, so there the second writing is compared.
#include "FuzzSupport.h"

#include "program/VkSettings.h"

namespace {

// Reads the bytes and writes the settings again, the run count set back to the one given.
QString readAndWrite(const QByteArray &bytes, const VkSettings &previous, SettingsReadStatus *status)
{
    VkSettings s;
    *status = ReadSettingsText(bytes, s);
    FUZZ_CHECK(s.RunCount >= previous.RunCount || *status != SettingsReadStatus::Completed);
    s.RunCount = previous.RunCount;
    // A count of 0 makes the reading a first run, which takes the system's language.
    if (previous.RunCount == 0)
        s.Language = previous.Language;
    return SaveSettingsText(s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VkSettings first;
    const SettingsReadStatus status = ReadSettingsText(FuzzBytes(data, size), first);
    const QString text = SaveSettingsText(first);
    const QByteArray bytes = EncodeSettingsText(text);
    FUZZ_CHECK_TEXT(DecodeSettingsBytes(bytes), text);

    SettingsReadStatus again;
    const QString second = readAndWrite(bytes, first, &again);
    FUZZ_CHECK(again == SettingsReadStatus::Completed);
    if (status == SettingsReadStatus::Completed)
        FUZZ_CHECK_TEXT(second, text);
    FUZZ_CHECK_TEXT(readAndWrite(EncodeSettingsText(second), first, &again), second);
    return 0;
}
