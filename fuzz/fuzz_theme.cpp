// Theme files and colour text. A theme read (up to its first bad colour) and written again
// reads back to the same theme; a colour written as text reads back as the same colour.
#include "FuzzSupport.h"

#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxColorSettings.h"
#include "util/VelKandrixUtils.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size >= 4) {
        quint32 raw;
        std::memcpy(&raw, data, 4);
        const TColor colour = raw & 0xFFFFFF;
        FUZZ_CHECK(HtmlHexToColor(ColorToHtmlHex(colour)) == colour);
    }
    const QString text = QString::fromUtf8(FuzzBytes(data, size));
    try {
        (void)HtmlHexToColor(text);
    } catch (const ConvertError &) {
    }

    SyntaxColorModel model;
    SyntaxColorSettings::OriginSettings(model);
    try {
        SyntaxColorSettings::ReadSettingsText(model, text);
    } catch (const ConvertError &) {
        // The lines before the bad colour stay applied.
    }
    const QStringList lines = SyntaxColorSettings::ThemeFileLines(model);
    SyntaxColorModel again;
    SyntaxColorSettings::OriginSettings(again);
    SyntaxColorSettings::ReadSettingsText(again, lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
    FUZZ_CHECK(SyntaxColorSettings::ThemeFileLines(again) == lines);
    return 0;
}
